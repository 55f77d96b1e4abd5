#include "platform/paths.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace platform {

const char kExecutableSuffix[] = ".exe";
const char kPathSeparator = '\\';

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return WideToUtf8(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExecutableDir() {
  std::string path = ExecutablePath();
  size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string FromWindowsSeparators(std::string path) { return path; }

}  // namespace platform
