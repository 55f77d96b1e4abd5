#ifndef QOR_PLATFORM_COMMAND_LINE_H_
#define QOR_PLATFORM_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

namespace platform {

// This process's arguments, the program path first, as UTF-16; nothing when
// the command line cannot be split.
std::optional<std::vector<std::u16string>> CommandLineArguments();

}  // namespace platform

#endif  // QOR_PLATFORM_COMMAND_LINE_H_
