#ifndef QOR_PLATFORM_PATHS_H_
#define QOR_PLATFORM_PATHS_H_

#include <string>

// Paths are UTF-8 text in this program; the platform files convert at the
// system boundary. Thread-safe.
namespace platform {

extern const char kPathSeparator;
// What program file names end in: ".exe" on Windows, nothing elsewhere.
extern const char kExecutableSuffix[];

// The running executable's full path and its folder (no trailing separator).
std::string ExecutablePath();
std::string ExecutableDir();

// A path written with Windows separators, in this platform's form: unchanged
// on Windows, backslashes turned into slashes elsewhere.
std::string FromWindowsSeparators(std::string path);

}  // namespace platform

#endif  // QOR_PLATFORM_PATHS_H_
