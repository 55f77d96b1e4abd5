#ifndef QOR_ADAPTER_CALLBACK_REGISTRY_H_
#define QOR_ADAPTER_CALLBACK_REGISTRY_H_

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace Qor {
namespace Adapter {

// A page callback for one uid: the page context it was registered in, the
// object it is called on and the function. `Callable` is the engine's
// counted reference to a script value.
template <typename Callable>
struct CallbackRecord {
  uint64_t context = 0;
  Callable receiver{};
  Callable function{};
};

// The page side's callbacks, keyed by uid (compared byte for byte). The
// first registration of a uid wins; a record outlives any number of
// responses and goes when the page removes it or its context goes away.
// The lock is re-entrant: a callback that runs during Deliver may register
// and remove callbacks. Render thread only in practice; thread-safe anyway.
template <typename Callable>
class CallbackRegistry {
 public:
  using Record = CallbackRecord<Callable>;

  // False when the uid has a record already (the old one stays).
  bool Register(const std::string& uid, Record record) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return records_.emplace(uid, std::move(record)).second;
  }

  void Remove(const std::string& uid) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    records_.erase(uid);
  }

  // Drops every record registered in `context`.
  void PurgeContext(uint64_t context) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    for (auto it = records_.begin(); it != records_.end();) {
      it = it->second.context == context ? records_.erase(it) : std::next(it);
    }
  }

  // Calls `invoke(record)` with a copy of uid's record, under the lock;
  // returns what it returns, or false when the uid has no record.
  template <typename Invoke>
  bool Deliver(const std::string& uid, Invoke&& invoke) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    auto found = records_.find(uid);
    if (found == records_.end()) return false;
    Record copy = found->second;  // the callback may remove its own record
    return invoke(copy);
  }

  size_t size() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return records_.size();
  }

 private:
  std::recursive_mutex lock_;
  std::map<std::string, Record> records_;
};

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_CALLBACK_REGISTRY_H_
