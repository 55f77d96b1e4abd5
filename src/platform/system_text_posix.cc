#include "platform/system_text.h"

#include "base2/text_convert.h"

namespace platform {

std::u16string SystemToUtf16(std::string_view text) { return base2::Utf8ToUtf16(text); }

std::string Utf16ToSystem(std::u16string_view text) { return base2::Utf16ToUtf8(text); }

}  // namespace platform
