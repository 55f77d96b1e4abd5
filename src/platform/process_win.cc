#include "platform/process.h"

#include <windows.h>

namespace platform {

int CurrentProcessId() { return static_cast<int>(GetCurrentProcessId()); }

std::tm LocalTime(std::time_t when) {
  std::tm result{};
  localtime_s(&result, &when);
  return result;
}

}  // namespace platform
