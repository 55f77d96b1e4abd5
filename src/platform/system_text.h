#ifndef QOR_PLATFORM_SYSTEM_TEXT_H_
#define QOR_PLATFORM_SYSTEM_TEXT_H_

#include <string>
#include <string_view>

// The narrow system text: the ANSI code page on Windows (936 on Chinese
// systems), UTF-8 elsewhere. Characters the code page cannot hold become the
// system's default character. Thread-safe.
namespace platform {

std::u16string SystemToUtf16(std::string_view text);
std::string Utf16ToSystem(std::u16string_view text);

}  // namespace platform

#endif  // QOR_PLATFORM_SYSTEM_TEXT_H_
