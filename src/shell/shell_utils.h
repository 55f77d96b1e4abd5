#ifndef QOR_SHELL_SHELL_UTILS_H_
#define QOR_SHELL_SHELL_UTILS_H_

#include <string>

namespace shell {

// Removes `path` (narrow system text) with everything in it, deepest first.
// Returns 1 when the folder itself is gone, 0 otherwise (one error line for
// every folder that stays). Links to folders are removed, never followed.
int DeleteDirectory(const std::string& path);

// Stateless helpers of the shell. Created on first use, thread-safe.
class ShellUtils {
 public:
  static ShellUtils& GetInstance();
  int DeleteDirectory(const std::string& path) { return shell::DeleteDirectory(path); }

 private:
  ShellUtils() = default;
};

}  // namespace shell

#endif  // QOR_SHELL_SHELL_UTILS_H_
