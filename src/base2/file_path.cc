#include "base2/file_path.h"

#include "platform/paths.h"

namespace base2 {

std::string JoinPath(std::string_view dir, std::string_view component) {
  std::string joined(dir);
  if (!joined.empty() && joined.back() != '/' && joined.back() != '\\') joined += platform::kPathSeparator;
  joined += component;
  return joined;
}

std::string_view BaseName(std::string_view path) {
  size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace base2
