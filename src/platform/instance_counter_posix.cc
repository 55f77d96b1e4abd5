#include "platform/instance_counter.h"

#include <fcntl.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "platform/per_user_name.h"

// Every running copy holds a write lock on one byte of a shared lock file;
// the count is the number of locked bytes. The kernel drops a process's locks
// when it ends, however it ends, so the count never goes stale. Locks on open
// file descriptions (OFD) let the probing descriptor see this process's own
// locks as well.
namespace platform {
namespace {

constexpr off_t kSlots = 4096;

class LockFileCounter {
 public:
  LockFileCounter() {
    std::string path = RuntimeDir() + "/" + PerUserName("qor-shell") + ".instances";
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    probe_fd_ = open(path.c_str(), O_RDWR | O_CLOEXEC);
  }

  int Count() {
    std::lock_guard<std::mutex> hold(lock_);
    if (probe_fd_ < 0) return 0;
    // Each probe reports the first lock in the rest of the range.
    int count = 0;
    for (off_t start = 0; start < kSlots;) {
      struct flock probe = Range(F_WRLCK, start, kSlots - start);
      if (fcntl(probe_fd_, F_OFD_GETLK, &probe) != 0 || probe.l_type == F_UNLCK) break;
      ++count;
      start = probe.l_start + (probe.l_len > 0 ? probe.l_len : 1);
    }
    return count;
  }

  void Raise() {
    std::lock_guard<std::mutex> hold(lock_);
    if (fd_ < 0) return;
    for (off_t slot = 0; slot < kSlots; ++slot) {
      struct flock take = Range(F_WRLCK, slot, 1);
      if (fcntl(fd_, F_OFD_SETLK, &take) == 0) {
        held_.push_back(slot);
        return;
      }
    }
  }

  void Lower() {
    std::lock_guard<std::mutex> hold(lock_);
    if (held_.empty()) return;
    struct flock release = Range(F_UNLCK, held_.back(), 1);
    fcntl(fd_, F_OFD_SETLK, &release);
    held_.pop_back();
  }

 private:
  static struct flock Range(short type, off_t start, off_t length) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = start;
    range.l_len = length;
    return range;
  }

  std::mutex lock_;
  int fd_ = -1;
  int probe_fd_ = -1;
  std::vector<off_t> held_;
};

LockFileCounter& Counter() {
  static auto* counter = new LockFileCounter;
  return *counter;
}

}  // namespace

int InstanceCount() { return Counter().Count(); }
void RaiseInstanceCount() { Counter().Raise(); }
void LowerInstanceCount() { Counter().Lower(); }

}  // namespace platform
