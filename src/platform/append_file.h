#ifndef QOR_PLATFORM_APPEND_FILE_H_
#define QOR_PLATFORM_APPEND_FILE_H_

#include <memory>
#include <string>
#include <string_view>

namespace platform {

// A file opened for appending and shared with other processes that append to
// it too. Each Append is one system write at the end of the file, so lines
// written by several processes never tear. Not thread-safe: callers lock.
class AppendFile {
 public:
  // Creates the file when missing; null when it cannot be opened.
  static std::unique_ptr<AppendFile> Open(const std::string& path);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  bool Append(std::string_view bytes);

 private:
  explicit AppendFile(intptr_t handle) : handle_(handle) {}
  intptr_t handle_;
};

}  // namespace platform

#endif  // QOR_PLATFORM_APPEND_FILE_H_
