#ifndef QOR_BASE2_TEXT_CONVERT_H_
#define QOR_BASE2_TEXT_CONVERT_H_

#include <string>
#include <string_view>

// Conversions between UTF-8, UTF-16 and the narrow system text. Invalid
// input never fails: bad sequences become U+FFFD. Thread-safe.
namespace base2 {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
bool IsValidUtf8(std::string_view text);

// The longest prefix of at most `max_bytes` bytes that does not split a
// UTF-8 character.
std::string CutUtf8(std::string_view text, size_t max_bytes);

// UTF-8 to and from the narrow system text (see platform/system_text.h).
std::string Utf8ToSystem(std::string_view text);
std::string SystemToUtf8(std::string_view text);

}  // namespace base2

#endif  // QOR_BASE2_TEXT_CONVERT_H_
