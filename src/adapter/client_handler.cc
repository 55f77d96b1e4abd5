#include "adapter/client_handler.h"

#include "base2/logging.h"

namespace Qor {
namespace Adapter {

bool ClientHandler::OnRequest(const std::string& uid, const std::string& plugin_key, const std::string& action_key,
                              const std::u16string& args) {
  if (!forwarder_) return false;
  forwarder_(uid, plugin_key, action_key, args);
  return true;
}

bool ClientHandler::OnLoadError(int error_code, const std::string& error_text, const std::string& failed_url,
                                bool aborted, const std::string& error_page_url) {
  LOG(INFO) << "ErrorCode:" << error_code;
  LOG(INFO) << "errorText:" << error_text;
  LOG(INFO) << "failedUrl:" << failed_url;
  return ShowErrorPageFor(aborted, failed_url, error_page_url);
}

}  // namespace Adapter
}  // namespace Qor
