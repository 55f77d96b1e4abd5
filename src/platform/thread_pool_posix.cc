#include "platform/thread_pool.h"

#include <signal.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {
namespace {

// Threads beyond this wait for one to become free.
constexpr size_t kMaxThreads = 256;
// An idle thread ends after this long without work.
constexpr auto kIdleTimeout = std::chrono::seconds(20);

class GrowingPool {
 public:
  bool Queue(WorkFunction work, void* context) {
    std::unique_lock<std::mutex> lock(mutex_);
    queue_.push_back({work, context});
    if (idle_ >= queue_.size()) {
      ready_.notify_one();
      return true;
    }
    if (threads_ >= kMaxThreads) return true;
    try {
      std::thread([this] { Serve(); }).detach();
      ++threads_;
    } catch (const std::system_error&) {
      if (threads_ == 0) {
        queue_.pop_back();
        return false;
      }
    }
    return true;
  }

 private:
  struct Item {
    WorkFunction work;
    void* context;
  };

  void Serve() {
    // A stack of its own for signal handlers, so that a stack overflow on
    // this thread still reaches the crash handler.
    static constexpr size_t kSignalStackSize = 64 * 1024;
    std::unique_ptr<char[]> signal_stack(new char[kSignalStackSize]);
    stack_t stack{};
    stack.ss_sp = signal_stack.get();
    stack.ss_size = kSignalStackSize;
    sigaltstack(&stack, nullptr);
    ServeUntilIdle();
    stack.ss_flags = SS_DISABLE;
    sigaltstack(&stack, nullptr);
  }

  void ServeUntilIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      while (queue_.empty()) {
        ++idle_;
        bool has_work = ready_.wait_for(lock, kIdleTimeout, [this] { return !queue_.empty(); });
        --idle_;
        if (!has_work) {
          --threads_;
          return;
        }
      }
      Item item = queue_.front();
      queue_.pop_front();
      lock.unlock();
      item.work(item.context);
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Item> queue_;
  size_t threads_ = 0;
  size_t idle_ = 0;
};

}  // namespace

bool QueueWork(WorkFunction work, void* context) {
  // Never destroyed: detached workers may outlive static destruction.
  static GrowingPool* pool = new GrowingPool;
  return pool->Queue(work, context);
}

}  // namespace platform
