#include "platform/thread_pool.h"

#include <signal.h>

#include <atomic>
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
// Before sleeping, an idle thread looks for new work this many times: a
// request that follows the last answer within microseconds (a page asking
// again) is then taken without a sleep and a wake-up.
constexpr int kSpinsBeforeSleep = 20000;

class GrowingPool {
 public:
  bool Queue(WorkFunction work, void* context) {
    std::unique_lock<std::mutex> lock(mutex_);
    queue_.push_back({work, context});
    queued_.store(queue_.size(), std::memory_order_release);
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
        // One idle thread at a time spins; the others would only take the
        // processor from the threads that work.
        bool spinner = false;
        if (spinning_.compare_exchange_strong(spinner, true)) {
          lock.unlock();
          for (int spin = 0; spin < kSpinsBeforeSleep && queued_.load(std::memory_order_acquire) == 0; ++spin) {
            if (spin % 64 == 63) std::this_thread::yield();  // now and then give the processor away
          }
          spinning_.store(false);
          lock.lock();
        }
        bool has_work = !queue_.empty() || ready_.wait_for(lock, kIdleTimeout, [this] { return !queue_.empty(); });
        --idle_;
        if (!has_work) {
          --threads_;
          return;
        }
      }
      Item item = queue_.front();
      queue_.pop_front();
      queued_.store(queue_.size(), std::memory_order_release);
      lock.unlock();
      item.work(item.context);
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Item> queue_;
  std::atomic<size_t> queued_{0};  // queue_.size(), readable without the lock
  std::atomic<bool> spinning_{false};
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
