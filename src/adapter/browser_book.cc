#include "adapter/browser_book.h"

#include <algorithm>

namespace Qor {
namespace Adapter {

void BrowserBook::OnAfterCreated(int browser) {
  std::lock_guard<std::mutex> hold(lock_);
  if (main_browser_ == kNoBrowser) {
    main_browser_ = browser;
  } else {
    popups_.push_back(browser);
  }
  ++browser_count_;
}

bool BrowserBook::OnBeforeClose(int browser) {
  std::lock_guard<std::mutex> hold(lock_);
  if (browser == main_browser_) {
    main_browser_ = kNoBrowser;
  } else {
    auto found = std::find(popups_.begin(), popups_.end(), browser);
    if (found != popups_.end()) popups_.erase(found);
  }
  return --browser_count_ == 0;
}

std::vector<int> BrowserBook::PopupBrowsers() const {
  std::lock_guard<std::mutex> hold(lock_);
  return popups_;
}

}  // namespace Adapter
}  // namespace Qor
