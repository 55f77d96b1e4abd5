#include "platform/guid.h"

#include <objbase.h>
#include <windows.h>

#include "platform/wide_text_win.h"

namespace platform {

std::string NewGuidText() {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return std::string();
  wchar_t text[39] = {};
  if (StringFromGUID2(guid, text, 39) != 39) return std::string();
  return WideToUtf8(std::wstring(text + 1, 36));  // without the braces
}

}  // namespace platform
