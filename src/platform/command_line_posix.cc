#include "platform/command_line.h"

#include <fstream>
#include <sstream>

#include "base2/text_convert.h"

namespace platform {

std::optional<std::vector<std::u16string>> CommandLineArguments() {
  std::ifstream stream("/proc/self/cmdline", std::ios::binary);
  if (!stream) return std::nullopt;
  std::ostringstream bytes;
  bytes << stream.rdbuf();
  std::vector<std::u16string> arguments;
  std::string text = bytes.str();
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    arguments.push_back(base2::Utf8ToUtf16(text.substr(start, end - start)));
    start = end + 1;
  }
  return arguments;
}

}  // namespace platform
