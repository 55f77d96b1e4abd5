// benchsink.pln: where the bench page reports. "mark" writes the wall-clock
// time in nanoseconds to $QOR_BENCH_MARK, "report" the arguments to
// $QOR_BENCH_OUT.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/pln_interface.h"

namespace {

void WriteTo(const char* variable, const std::string& text) {
  if (const char* path = std::getenv(variable)) std::ofstream(path) << text;
}

}  // namespace

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }
PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char* action, const PlnChar* args, PlnChar*, int32_t*) {
  std::string name = action;
  if (name == "mark") {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    WriteTo("QOR_BENCH_MARK", std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  } else if (name == "report") {
    std::string text;
    for (; *args; ++args) text += static_cast<char>(*args);  // the report is ASCII JSON
    WriteTo("QOR_BENCH_OUT", text);
  }
  return 0;
}
