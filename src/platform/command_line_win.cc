#include "platform/command_line.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

std::optional<std::vector<std::u16string>> CommandLineArguments() {
  int count = 0;
  LPWSTR* vector = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!vector) return std::nullopt;
  std::vector<std::u16string> arguments;
  for (int i = 0; i < count; ++i) {
    arguments.emplace_back(reinterpret_cast<const char16_t*>(vector[i]));
  }
  LocalFree(vector);
  return arguments;
}

}  // namespace platform
