#include "platform/paths.h"

#include <unistd.h>

#include <algorithm>

namespace platform {

const char kExecutableSuffix[] = "";
const char kPathSeparator = '/';

std::string ExecutablePath() {
  std::string buffer(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) return {};
  buffer.resize(static_cast<size_t>(length));
  return buffer;
}

std::string ExecutableDir() {
  std::string path = ExecutablePath();
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

std::string FromWindowsSeparators(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace platform
