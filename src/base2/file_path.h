#ifndef QOR_BASE2_FILE_PATH_H_
#define QOR_BASE2_FILE_PATH_H_

#include <string>
#include <string_view>

namespace base2 {

// `dir` and `component` joined with this platform's separator, unless `dir`
// is empty or already ends with a separator of either kind.
std::string JoinPath(std::string_view dir, std::string_view component);

// The text after the last slash or backslash.
std::string_view BaseName(std::string_view path);

}  // namespace base2

#endif  // QOR_BASE2_FILE_PATH_H_
