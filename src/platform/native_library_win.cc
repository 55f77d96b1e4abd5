#include "platform/native_library.h"

#include <windows.h>

#include "base2/text_convert.h"

namespace platform {
namespace {

// The system's message for `code`, in the user's language, as the system
// formats it (usually with a line break at the end).
std::string SystemMessage(DWORD code) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  return base2::SystemToUtf8(text);
}

}  // namespace

NativeLibrary* NativeLibrary::Load(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return module ? new NativeLibrary(module) : nullptr;
}

void* NativeLibrary::GetFunction(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

unsigned long LastErrorCode() { return GetLastError(); }

std::string GetSystemErrorText() { return SystemMessage(GetLastError()); }

}  // namespace platform
