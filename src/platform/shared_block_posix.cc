#include "platform/shared_block.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/per_user_name.h"

// POSIX shared memory outlives its processes, so liveness comes from locks:
// every process that holds the block keeps a shared flock on it (the creator
// an exclusive one until it has written). A block nobody locks belongs to a
// copy that died; it is treated as absent and made anew.
namespace platform {
namespace {

std::string ShmName(const std::string& name) { return "/" + PerUserName(name); }

char* MapBlock(int fd) {
  void* view = mmap(nullptr, SharedBlock::kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  return view == MAP_FAILED ? nullptr : static_cast<char*>(view);
}

}  // namespace

std::unique_ptr<SharedBlock> SharedBlock::OpenExisting(const std::string& name) {
  int fd = -1;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fd = shm_open(ShmName(name).c_str(), O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) break;  // held by a live process
    struct stat info {};
    bool sized = fstat(fd, &info) == 0 && info.st_size >= static_cast<off_t>(kSize);
    if (sized) {
      // Nobody holds a finished block: its creator died.
      shm_unlink(ShmName(name).c_str());
      close(fd);
      return nullptr;
    }
    // Just created, and its creator has not locked it yet: look again.
    close(fd);
    fd = -1;
    usleep(1000);
  }
  if (fd < 0) return nullptr;
  // Waits while the creator is still writing.
  char* data = nullptr;
  struct stat info {};
  if (flock(fd, LOCK_SH) != 0 || fstat(fd, &info) != 0 || info.st_size < static_cast<off_t>(kSize) ||
      !(data = MapBlock(fd))) {
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<SharedBlock>(new SharedBlock(fd, data));
}

std::unique_ptr<SharedBlock> SharedBlock::Create(const std::string& name) {
  int fd = shm_open(ShmName(name).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  char* data = nullptr;
  if (flock(fd, LOCK_EX) != 0 || ftruncate(fd, kSize) != 0 || !(data = MapBlock(fd))) {
    shm_unlink(ShmName(name).c_str());
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<SharedBlock>(new SharedBlock(fd, data));
}

SharedBlock::~SharedBlock() {
  munmap(data_, kSize);
  close(static_cast<int>(handle_));
}

void SharedBlock::Publish() { flock(static_cast<int>(handle_), LOCK_SH); }

}  // namespace platform
