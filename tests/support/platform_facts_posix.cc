#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "base2/file_path.h"
#include "platform/paths.h"
#include "support/platform_facts.h"

namespace testsupport {

bool ExceptionsCrossModuleBoundaries() { return true; }

size_t OpenHandleCount() {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

namespace {

bool SetImmutable(const std::string& path, bool immutable) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
  ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return ok;
}

}  // namespace

std::shared_ptr<void> HoldUndeletable(const std::string& path) {
  if (geteuid() == 0) {
    if (!SetImmutable(path, true)) return nullptr;
    return std::shared_ptr<void>(nullptr, [path](void*) { SetImmutable(path, false); });
  }
  std::string folder = std::filesystem::u8path(path).parent_path().u8string();
  if (chmod(folder.c_str(), 0555) != 0) return nullptr;
  return std::shared_ptr<void>(nullptr, [folder](void*) { chmod(folder.c_str(), 0755); });
}

bool TryToReplaceCrashHandler() {
  signal(SIGSEGV, SIG_DFL);
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  return true;
}

void CrashNow() { *static_cast<volatile int*>(nullptr) = 1; }

std::string CrashReportPath() { return base2::JoinPath(platform::ExecutableDir(), "crash_report.txt"); }

bool LooksLikeCrashReport(const std::string& contents) {
  return contents.rfind("Fatal signal 11 (SEGV) at address 0x0\n", 0) == 0 &&
         contents.find("Backtrace:\n") != std::string::npos;
}

}  // namespace testsupport
