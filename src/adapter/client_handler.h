#ifndef QOR_ADAPTER_CLIENT_HANDLER_H_
#define QOR_ADAPTER_CLIENT_HANDLER_H_

#include <string>

#include "adapter/browser_book.h"
#include "adapter/client_decisions.h"

namespace Qor {
namespace Adapter {

using RequestForwarderFunc = void (*)(std::string uid, std::string plugin_key, std::string action_key,
                                      std::u16string args);

// The engine-neutral half of the browser client: keeps the books of the
// browsers, passes the page's requests on and makes the key and load-error
// decisions. The engine binding calls it on the UI thread.
class ClientHandler {
 public:
  ClientHandler(std::string exe_dir, std::string show_dev_tools)
      : exe_dir_(std::move(exe_dir)), show_dev_tools_(std::move(show_dev_tools)) {}

  void SetRequestForwarder(RequestForwarderFunc forwarder) { forwarder_ = forwarder; }

  // A "Request" from a page; true when it was passed on.
  bool OnRequest(const std::string& uid, const std::string& plugin_key, const std::string& action_key,
                 const std::u16string& args);

  // Logs the three lines; true when the error page should be shown.
  bool OnLoadError(int error_code, const std::string& error_text, const std::string& failed_url, bool aborted,
                   const std::string& error_page_url);

  KeyAction OnKey(int key_code) const { return DecideKey(key_code, show_dev_tools_); }

  BrowserBook& book() { return book_; }
  const std::string& exe_dir() const { return exe_dir_; }

 private:
  std::string exe_dir_;
  std::string show_dev_tools_;
  RequestForwarderFunc forwarder_ = nullptr;
  BrowserBook book_;
};

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_CLIENT_HANDLER_H_
