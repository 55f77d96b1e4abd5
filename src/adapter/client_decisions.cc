#include "adapter/client_decisions.h"

#include <fstream>
#include <sstream>

#include "base2/file_path.h"
#include "base2/json_util.h"
#include "base2/logging.h"

namespace Qor {
namespace Adapter {

bool ConsumeBeforePage(int key_code, bool is_key_down, bool focus_in_editable) {
  return is_key_down && key_code == kKeyBackspace && !focus_in_editable;
}

KeyAction DecideKey(int key_code, const std::string& show_dev_tools) {
  if (key_code == kKeyF12 && show_dev_tools == "0") return KeyAction::kOpenDevTools;
  if (key_code == kKeyF5) return KeyAction::kSwallow;
  return KeyAction::kPass;
}

bool ShowErrorPageFor(bool aborted, const std::string& failed_url, const std::string& error_page_url) {
  if (aborted) return false;
  return failed_url != error_page_url;
}

std::string ProposedDownloadPath(const std::string& documents_dir, const std::string& suggested_name) {
  if (documents_dir.empty()) return std::string();
  return base2::JoinPath(documents_dir, suggested_name);
}

std::optional<std::string> MergedAppConfig(const std::string& exe_dir, const std::string& startup_options) {
  std::ifstream file(base2::JoinPath(base2::JoinPath(exe_dir, "packages"), "app.json"), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  std::string text_a = bytes.str();
  if (text_a.compare(0, 3, "\xEF\xBB\xBF") == 0) text_a.erase(0, 3);

  auto parse = [](const std::string& text) {
    return base2::Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
  };
  base2::Json root_a = parse(text_a);
  base2::Json root_b = parse(startup_options);
  if (root_a.is_discarded()) LOG(FATAL) << "Check failed: root_A. ";
  if (root_b.is_discarded()) LOG(FATAL) << "Check failed: root_B. ";
  if (!root_a.is_discarded() && !root_a.is_object()) LOG(FATAL) << "Check failed: dict_val_A. ";
  if (!root_b.is_discarded() && !root_b.is_object()) LOG(FATAL) << "Check failed: dict_val_B. ";
  if (!root_a.is_object() || !root_b.is_object()) return std::nullopt;
  base2::DeepMerge(root_a, root_b);
  return base2::WriteJson(root_a);
}

EngineSettings SettingsFor(const std::string& exe_dir) {
  EngineSettings settings;
  settings.cache_dir = base2::JoinPath(base2::JoinPath(exe_dir, "temp"), "cache");
  settings.log_file = base2::JoinPath(base2::JoinPath(exe_dir, "logs"), "cef.log");
  return settings;
}

std::string ErrorPagePath(const std::string& exe_dir) {
  return base2::JoinPath(base2::JoinPath(base2::JoinPath(exe_dir, "packages"), "defaultpage"), "loaderror.html");
}

}  // namespace Adapter
}  // namespace Qor
