#ifndef QOR_ADAPTER_WEBKIT_WEBKIT_ENGINE_POSIX_H_
#define QOR_ADAPTER_WEBKIT_WEBKIT_ENGINE_POSIX_H_

#include <webkit2/webkit2.h>

namespace Qor {
namespace Adapter {

// Linux only: what the WebKitGTK binding lets the window code and the tests
// see of itself. UI thread.
class WebKitEngineAccess {
 public:
  // The running engine, or null.
  static WebKitEngineAccess* Get();
  virtual WebKitWebView* MainView() = 0;
  virtual WebKitWebContext* Context() = 0;

 protected:
  virtual ~WebKitEngineAccess() = default;
};

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_WEBKIT_WEBKIT_ENGINE_POSIX_H_
