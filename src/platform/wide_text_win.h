#ifndef QOR_PLATFORM_WIDE_TEXT_WIN_H_
#define QOR_PLATFORM_WIDE_TEXT_WIN_H_

// For the Windows files only: wchar_t is a UTF-16 code unit there.
#include <string>
#include <string_view>

#include "base2/text_convert.h"

namespace platform {

inline std::wstring Utf8ToWide(std::string_view text) {
  std::u16string utf16 = base2::Utf8ToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::string WideToUtf8(std::wstring_view text) {
  return base2::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace platform

#endif  // QOR_PLATFORM_WIDE_TEXT_WIN_H_
