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

// The start-up chores, run only by the first copy (InstanceCount 0). The
// update check runs upgrade/ApplyUpdate beside `exe_dir` when `auto_upgrade`
// is "0" and starts upgrade/UPD when it exits with 1 or 2; the temp cleanup
// deletes the folder temp when `clear_temp` is "1".
void RunUpdateCheck(const std::string& exe_dir, const std::string& auto_upgrade);
void RunTempCleanup(const std::string& exe_dir, const std::string& clear_temp);

}  // namespace shell

#endif  // QOR_SHELL_SHELL_H_
