#ifndef QOR_SHELL_CRASH_HANDLER_H_
#define QOR_SHELL_CRASH_HANDLER_H_

// What happens when a thread of this process fails: the user is told
// "程序出现运行故障，请关闭后重新启动！" ("故障提示"), a dump or crash report is
// written, and the process ends. Windows: a top-level exception filter and a
// full-memory dump to C:\dumpfile.dmp. Linux: handlers for the fatal signals
// on an alternate stack, a report (signal, address, backtrace) in
// crash_report.txt beside the executable, and the message shown by a helper
// process. Main thread, first thing in the process.
namespace shell {

constexpr char kCrashMessage[] = "程序出现运行故障，请关闭后重新启动！";
constexpr char kCrashCaption[] = "故障提示";

void InstallCrashFilter();
// Keeps what is loaded later from replacing the filter. Windows: a later
// SetUnhandledExceptionFilter does nothing and returns null. Linux: a watcher
// puts the handlers back, with a warning line, when something replaced them.
void LockCrashFilter();

// The helper mode that shows the message: returns the exit code when `argv`
// asks for it, -1 otherwise. Every entry point calls it first.
int MaybeShowCrashMessage(int argc, char** argv);

}  // namespace shell

#endif  // QOR_SHELL_CRASH_HANDLER_H_
