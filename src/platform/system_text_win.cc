#include "platform/system_text.h"

#include <windows.h>

namespace platform {

std::u16string SystemToUtf16(std::string_view text) {
  if (text.empty()) return {};
  int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return {};
  std::u16string out(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                      reinterpret_cast<wchar_t*>(out.data()), units);
  return out;
}

std::string Utf16ToSystem(std::u16string_view text) {
  if (text.empty()) return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace platform
