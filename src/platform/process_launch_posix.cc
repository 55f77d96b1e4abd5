#include "platform/process_launch.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <thread>

extern char** environ;

namespace platform {
namespace {

// The value StartDetached gives for a program that started, as WinExec does.
constexpr unsigned kStarted = 33;

int Spawn(const std::string& path, pid_t* pid) {
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  return posix_spawn(pid, path.c_str(), nullptr, nullptr, argv, environ);
}

}  // namespace

WaitResult RunHiddenAndWait(const std::string& path) {
  WaitResult result;
  pid_t pid = 0;
  if (int error = Spawn(path, &pid)) {
    result.start_error = static_cast<unsigned long>(error);
    return result;
  }
  result.started = true;
  int status = 0;
  pid_t waited;
  do {
    waited = waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited != pid) {
    result.read_error = static_cast<unsigned long>(errno);
    return result;
  }
  result.exit_code_read = true;
  // A probe killed by a signal reports what a shell would: 128 + the signal.
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128u + static_cast<unsigned>(WTERMSIG(status));
  return result;
}

unsigned StartDetached(const std::string& path) {
  pid_t pid = 0;
  if (int error = Spawn(path, &pid)) return static_cast<unsigned>(std::min(error, 31));
  // Reaped when it ends, so it never lingers as a zombie.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return kStarted;
}

}  // namespace platform
