#ifndef QOR_TESTS_SUPPORT_RESPONSE_COLLECTOR_H_
#define QOR_TESTS_SUPPORT_RESPONSE_COLLECTOR_H_

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/pln_interface.h"

namespace testsupport {

// Stands where the browser would receive answers: install Hook as the core's
// response hook and wait for what arrives. Thread-safe.
class ResponseCollector {
 public:
  using Response = std::pair<std::string, std::u16string>;

  static ResponseCollector& Get();
  static int Hook(const char* uid, const PlnChar* answer);

  // The first answer for `uid`, or nothing when none came in time.
  std::optional<std::u16string> WaitFor(const std::string& uid,
                                        std::chrono::milliseconds timeout = std::chrono::seconds(20));
  // True once `count` answers in all have arrived.
  bool WaitForCount(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(60));
  std::vector<Response> Snapshot();
  void Clear();

 private:
  std::mutex lock_;
  std::condition_variable arrived_;
  std::vector<Response> responses_;
};

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_RESPONSE_COLLECTOR_H_
