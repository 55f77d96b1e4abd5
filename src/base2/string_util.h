#ifndef QOR_BASE2_STRING_UTIL_H_
#define QOR_BASE2_STRING_UTIL_H_

#include <string>
#include <string_view>

namespace base2 {

// Without the ASCII white space (blank, tab, CR, LF, VT, FF) at both ends.
std::string_view TrimWhitespace(std::string_view text);

// Only the letters A to Z become a to z; every other byte stays.
std::string AsciiLower(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// Reads a decimal int the way a text stream extracts one: leading white space
// skipped, an optional sign, the digits, anything after them ignored. Without
// digits, or out of range, it gives `fallback`.
int ParseLeadingInt(std::string_view text, int fallback);

}  // namespace base2

#endif  // QOR_BASE2_STRING_UTIL_H_
