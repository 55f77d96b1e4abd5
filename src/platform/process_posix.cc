#include "platform/process.h"

#include <unistd.h>

namespace platform {

int CurrentProcessId() { return static_cast<int>(getpid()); }

std::tm LocalTime(std::time_t when) {
  std::tm result{};
  localtime_r(&when, &result);
  return result;
}

}  // namespace platform
