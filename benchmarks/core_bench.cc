// Requests through HandleRequest to the echo module and a response hook,
// against the floor of a bare thread-pool hand-off.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>

#include "bench_util.h"
#include "core/qor_core.h"
#include "platform/thread_pool.h"

namespace {

constexpr int kWarmup = 2000;
constexpr int kSequential = 20000;
constexpr int kInFlight = 64;
constexpr int kConcurrent = 200000;

// Counts finished requests; the sender waits on it.
class Completions {
 public:
  void Done(int index) {
    finished_at_[static_cast<size_t>(index) % finished_at_.size()] = bench::Clock::now();
    std::lock_guard<std::mutex> hold(lock_);
    ++done_;
    changed_.notify_all();
  }
  // Waits until fewer than `limit` of `sent` are still open.
  void WaitBelow(long sent, long limit) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [&] { return sent - done_ < limit; });
  }
  bench::Clock::time_point FinishedAt(int index) { return finished_at_[static_cast<size_t>(index) % finished_at_.size()]; }
  void Reset() { done_ = 0; }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  long done_ = 0;
  std::array<bench::Clock::time_point, 4096> finished_at_{};
};

Completions g_completions;

int OnResponse(const char* uid, const PlnChar*) {
  g_completions.Done(std::atoi(uid));
  return 0;
}

void OnNoOp(void* index) { g_completions.Done(static_cast<int>(reinterpret_cast<intptr_t>(index))); }

// The latency of one `send(i)` with nothing else in flight.
template <typename Send>
double SequentialLatency(int i, Send send) {
  auto start = bench::Clock::now();
  send(i);
  g_completions.WaitBelow(i + 1, 1);
  return std::chrono::duration<double, std::micro>(g_completions.FinishedAt(i) - start).count();
}

void SendRequest(int i) {
  std::string uid = std::to_string(i);
  Qor::Core::HandleRequest(uid.c_str(), "echo", "echo", u"{\"res\":\"bench\"}");
}

}  // namespace

int main() {
  Qor::Core::StartCore();
  Qor::Core::SetResponseHook(&OnResponse);

  // Floor and request samples alternate, so that both meet the same
  // scheduling conditions, which drift a lot on a small virtual machine.
  auto hand_off = [](int i) { platform::QueueWork(&OnNoOp, reinterpret_cast<void*>(intptr_t{i})); };
  std::vector<double> floor;
  std::vector<double> one;
  g_completions.Reset();
  for (int i = 0; i < 2 * (kWarmup + kSequential); i += 2) {
    double floor_sample = SequentialLatency(i, hand_off);
    double request_sample = SequentialLatency(i + 1, SendRequest);
    if (i < 2 * kWarmup) continue;
    floor.push_back(floor_sample);
    one.push_back(request_sample);
  }
  double floor_p50 = bench::Percentile(floor, 50);
  double p50 = bench::Percentile(one, 50);

  g_completions.Reset();
  auto start = bench::Clock::now();
  for (int i = 0; i < kConcurrent; ++i) {
    g_completions.WaitBelow(i, kInFlight);
    SendRequest(i);
  }
  g_completions.WaitBelow(kConcurrent, 1);
  double seconds = bench::MicrosSince(start) / 1e6;

  bench::PrintFigure("core.rps.64", kConcurrent / seconds, "req/s");
  bench::PrintFigure("core.p50_us.1", p50, "us");
  bench::PrintFigure("core.p99_us.1", bench::Percentile(one, 99), "us");
  bench::PrintFigure("core.floor_p50_us.1", floor_p50, "us");
  bench::PrintFigure("core.p50_ratio", p50 / floor_p50, "x");
  bench::PrintFigure("core.rss_mib.64", bench::PeakRssMib(), "MiB");
  return 0;
}
