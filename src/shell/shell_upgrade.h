#ifndef QOR_SHELL_SHELL_UPGRADE_H_
#define QOR_SHELL_SHELL_UPGRADE_H_

#include <string>

namespace shellupgrade {

// Runs the update probe at `path` (UTF-8) hidden and waits for it. Returns
// its exit code, or 0 when it did not start or its code could not be read.
unsigned long WinExecAndWait32_Process(const std::string& path);

}  // namespace shellupgrade

#endif  // QOR_SHELL_SHELL_UPGRADE_H_
