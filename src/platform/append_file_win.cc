#include "platform/append_file.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace platform {

std::unique_ptr<AppendFile> AppendFile::Open(const std::string& path) {
  // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end of
  // the file atomically, also against other processes.
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<AppendFile>(new AppendFile(reinterpret_cast<intptr_t>(file)));
}

AppendFile::~AppendFile() { CloseHandle(reinterpret_cast<HANDLE>(handle_)); }

namespace {

// Wine's end-of-file appends are not atomic across processes (lines of two
// writers overwrite each other), so every append also holds a byte-range lock
// on the file itself. The range lies far past any real end of file, where no
// write ever reaches, so the lock never blocks a write, only other appenders.
class AppendLock {
 public:
  explicit AppendLock(HANDLE file) : file_(file) {
    overlapped_.Offset = 0xFFFFFFF0;
    overlapped_.OffsetHigh = 0x7FFFFFFF;
    locked_ = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &overlapped_);
  }
  ~AppendLock() {
    if (locked_) UnlockFileEx(file_, 0, 1, 0, &overlapped_);
  }

 private:
  HANDLE file_;
  OVERLAPPED overlapped_{};
  BOOL locked_;
};

}  // namespace

bool AppendFile::Append(std::string_view bytes) {
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  AppendLock lock(file);
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return ok && written == bytes.size();
}

}  // namespace platform
