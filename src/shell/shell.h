#ifndef QOR_SHELL_SHELL_H_
#define QOR_SHELL_SHELL_H_

#include <ctime>
#include <string>

// The shell process's own start-up pieces. Main thread only.
namespace shell {

// Opens the daily log of `date` below `exe_dir` and writes the start banner.
void StartLog(const std::string& exe_dir, const std::tm& date);
// The same for the executable's folder and today.
void StartLog();
// Writes the end banner and closes the log file.
void EndLog();

}  // namespace shell

#endif  // QOR_SHELL_SHELL_H_
