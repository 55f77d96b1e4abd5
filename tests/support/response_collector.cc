#include "support/response_collector.h"

namespace testsupport {

ResponseCollector& ResponseCollector::Get() {
  static auto* collector = new ResponseCollector;
  return *collector;
}

int ResponseCollector::Hook(const char* uid, const PlnChar* answer) {
  ResponseCollector& self = Get();
  std::lock_guard<std::mutex> hold(self.lock_);
  self.responses_.emplace_back(uid, answer);
  self.arrived_.notify_all();
  return 0;
}

std::optional<std::u16string> ResponseCollector::WaitFor(const std::string& uid, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> hold(lock_);
  std::optional<std::u16string> found;
  arrived_.wait_for(hold, timeout, [&] {
    for (const Response& response : responses_) {
      if (response.first == uid) {
        found = response.second;
        return true;
      }
    }
    return false;
  });
  return found;
}

bool ResponseCollector::WaitForCount(size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> hold(lock_);
  return arrived_.wait_for(hold, timeout, [&] { return responses_.size() >= count; });
}

std::vector<ResponseCollector::Response> ResponseCollector::Snapshot() {
  std::lock_guard<std::mutex> hold(lock_);
  return responses_;
}

void ResponseCollector::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  responses_.clear();
}

}  // namespace testsupport
