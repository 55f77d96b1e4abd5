// Answers its arguments, and tells how the host set it up.
//   "echo"  -> args                  "stats" -> "init=<n>;params=<keys in order>"
//   "empty" -> the empty answer      "log"   -> args "<level>|<text>" written through LOG
//   "wlog"  -> the same through WLOG
#include <atomic>
#include <cstdlib>
#include <mutex>

#include "test_module.h"

namespace {

std::atomic<int> g_init_count{0};
std::mutex g_params_lock;
std::string g_params;
HostLogFunc g_log = nullptr;
HostWLogFunc g_wlog = nullptr;

}  // namespace

PLN_EXPORT int PLN_CALL PlnInitiliaze() {
  ++g_init_count;
  return 0;
}

PLN_EXPORT int PLN_CALL PlnSetParam(const char* key, intptr_t value) {
  std::lock_guard<std::mutex> hold(g_params_lock);
  g_params += g_params.empty() ? key : std::string(",") + key;
  if (std::string(key) == kParamLog) g_log = reinterpret_cast<HostLogFunc>(value);
  if (std::string(key) == kParamWLog) g_wlog = reinterpret_cast<HostWLogFunc>(value);
  return 0;
}

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char* action_key, const PlnChar* args, PlnChar* answer,
                                            int32_t* answer_bytes) {
  std::string action = action_key;
  std::u16string arguments = args;
  if (action == "stats") {
    std::lock_guard<std::mutex> hold(g_params_lock);
    testmodule::WriteAnswer(testmodule::Widen("init=" + std::to_string(g_init_count) + ";params=" + g_params),
                            answer, answer_bytes);
  } else if (action == "log" || action == "wlog") {
    size_t bar = arguments.find(u'|');
    int level = std::atoi(testmodule::Narrow(arguments.substr(0, bar).c_str()).c_str());
    std::u16string text = arguments.substr(bar + 1);
    if (action == "log") g_log(level, testmodule::Narrow(text.c_str()).c_str());
    if (action == "wlog") g_wlog(level, text.c_str());
  } else if (action != "empty") {
    testmodule::WriteAnswer(arguments, answer, answer_bytes);
  }
  return 0;
}

PLN_EXPORT int PLN_CALL PlnUnInitialize() { return 0; }
