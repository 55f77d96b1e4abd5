#ifndef QOR_ADAPTER_CLIENT_DECISIONS_H_
#define QOR_ADAPTER_CLIENT_DECISIONS_H_

#include <optional>
#include <string>
#include <vector>

// What the browser does, decided apart from any engine. Thread-safe.
namespace Qor {
namespace Adapter {

// Key codes as Windows names them; each engine maps its own to these.
constexpr int kKeyBackspace = 8;
constexpr int kKeyF5 = 116;
constexpr int kKeyF12 = 123;

// Before the page sees a key: true consumes it. Backspace outside a text
// field never navigates back.
bool ConsumeBeforePage(int key_code, bool is_key_down, bool focus_in_editable);

enum class KeyAction { kPass, kSwallow, kOpenDevTools };
// After the page: F12 opens the developer tools only when ShowDevTools is
// exactly "0"; F5 never reloads.
KeyAction DecideKey(int key_code, const std::string& show_dev_tools);

// A failed load shows the error page, unless another navigation aborted it,
// or the error page itself is what failed (no endless loop).
bool ShowErrorPageFor(bool aborted, const std::string& failed_url, const std::string& error_page_url);

// <documents folder>/<suggested name>; empty when the folder is unknown.
std::string ProposedDownloadPath(const std::string& documents_dir, const std::string& suggested_name);

// The page's configuration: packages/app.json below `exe_dir` (a UTF-8
// byte-order mark skipped) with the start-up options merged in, as compact
// JSON. Nothing when a text does not give a JSON object; each failure writes
// its FATAL line ("Check failed: root_A. " ...), and the process goes on.
std::optional<std::string> MergedAppConfig(const std::string& exe_dir, const std::string& startup_options);

// The engine settings of the browser, whatever the engine.
struct EngineSettings {
  std::string cache_dir;  // <exe>/temp/cache, cookies kept there too
  std::string log_file;   // <exe>/logs/cef.log
  std::string locale = "zh-CN";
  std::vector<std::string> cookie_schemes = {"http", "https"};
  bool persist_session_cookies = true;
  bool ignore_certificate_errors = true;
  bool use_proxy = false;
  bool web_security = false;
  bool file_access_from_file_urls = true;
  bool universal_access_from_file_urls = true;
  bool javascript_access_clipboard = true;
  bool javascript_dom_paste = true;
  bool local_storage = true;
  bool media_stream = true;
};
EngineSettings SettingsFor(const std::string& exe_dir);

// "packages/defaultpage/loaderror.html" below `exe_dir`.
std::string ErrorPagePath(const std::string& exe_dir);

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_CLIENT_DECISIONS_H_
