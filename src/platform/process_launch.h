#ifndef QOR_PLATFORM_PROCESS_LAUNCH_H_
#define QOR_PLATFORM_PROCESS_LAUNCH_H_

#include <string>

// Starting outside programs (the update probe and the updater). Thread-safe.
namespace platform {

struct WaitResult {
  bool started = false;
  unsigned long start_error = 0;  // the system's error code when not started
  bool exit_code_read = false;
  unsigned long exit_code = 0;
  unsigned long read_error = 0;  // the system's error code when not read
};

// Runs `path` (UTF-8) without arguments and without a visible window, and
// waits for it however long it takes.
WaitResult RunHiddenAndWait(const std::string& path);

// Starts `path` (UTF-8) without waiting. Like WinExec: a value above 31 means
// it started; 31 or less is the reason it did not.
unsigned StartDetached(const std::string& path);

}  // namespace platform

#endif  // QOR_PLATFORM_PROCESS_LAUNCH_H_
