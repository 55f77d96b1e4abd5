#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::unique_ptr<AppendFile> AppendFile::Open(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  return std::unique_ptr<AppendFile>(new AppendFile(fd));
}

AppendFile::~AppendFile() { close(static_cast<int>(handle_)); }

bool AppendFile::Append(std::string_view bytes) {
  ssize_t written;
  do {
    written = write(static_cast<int>(handle_), bytes.data(), bytes.size());
  } while (written < 0 && errno == EINTR);
  return written == static_cast<ssize_t>(bytes.size());
}

}  // namespace platform
