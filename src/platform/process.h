#ifndef QOR_PLATFORM_PROCESS_H_
#define QOR_PLATFORM_PROCESS_H_

#include <ctime>

// Facts about the running process. Thread-safe.
namespace platform {

int CurrentProcessId();

// Local calendar time of `when`.
std::tm LocalTime(std::time_t when);

}  // namespace platform

#endif  // QOR_PLATFORM_PROCESS_H_
