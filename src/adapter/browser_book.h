#ifndef QOR_ADAPTER_BROWSER_BOOK_H_
#define QOR_ADAPTER_BROWSER_BOOK_H_

#include <mutex>
#include <vector>

namespace Qor {
namespace Adapter {

// Which browsers exist: the first one created is the main browser, every
// later one (pop-ups, developer tools) a pop-up. Engine-neutral; browsers are
// the engine's identifiers. UI thread, with a lock for the recording.
class BrowserBook {
 public:
  static constexpr int kNoBrowser = -1;

  void OnAfterCreated(int browser);
  // True when this was the last browser: the engine's loop should end.
  bool OnBeforeClose(int browser);

  int MainBrowserId() const { return main_browser_; }
  bool HasMainBrowser() const { return main_browser_ != kNoBrowser; }
  std::vector<int> PopupBrowsers() const;
  int BrowserCount() const { return browser_count_; }

 private:
  mutable std::mutex lock_;
  int main_browser_ = kNoBrowser;
  std::vector<int> popups_;
  int browser_count_ = 0;
};

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_BROWSER_BOOK_H_
