#ifndef QOR_ADAPTER_BROWSER_ENGINE_H_
#define QOR_ADAPTER_BROWSER_ENGINE_H_

#include <memory>
#include <string>

#include "adapter/client_decisions.h"

namespace Qor {
namespace Adapter {

class ClientHandler;

// One binding per browser engine (WebKitGTK on Linux; none yet on Windows)
// behind the engine-neutral adapter. Main thread, except SendResponse.
class BrowserEngine {
 public:
  virtual ~BrowserEngine() = default;

  // Starts the engine in the browser process.
  virtual void Start(const EngineSettings& settings, const std::string& startup_options) = 0;
  // Creates the host area in `parent_window` (the main window) and the main
  // browser in it, loading `url` (UTF-8: an address or a file path).
  virtual void CreateMainBrowser(void* parent_window, const std::string& url) = 0;
  // Runs until QuitMessageLoop (the last browser has closed).
  virtual void RunMessageLoop() = 0;
  virtual void QuitMessageLoop() = 0;
  // Sends "Response" to the main browser's page; dropped without one. Any thread.
  virtual void SendResponse(const std::string& uid, const std::u16string& text) = 0;
  // Pop-ups are closed forced, the main browser not forced.
  virtual void CloseBrowsers() = 0;
  virtual void Shutdown() = 0;
  // The host area inside the main window (HostWindow), or null.
  virtual void* HostWindow() = 0;
};

// This platform's engine, reporting browsers and page messages to `handler`.
std::unique_ptr<BrowserEngine> CreateBrowserEngine(ClientHandler& handler);

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_BROWSER_ENGINE_H_
