#ifndef QOR_PLATFORM_GUID_H_
#define QOR_PLATFORM_GUID_H_

#include <string>

namespace platform {

// A new random GUID as 36 upper-case hexadecimal digits and hyphens, without
// braces; "" when none can be made. Thread-safe.
std::string NewGuidText();

}  // namespace platform

#endif  // QOR_PLATFORM_GUID_H_
