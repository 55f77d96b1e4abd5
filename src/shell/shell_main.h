#ifndef QOR_SHELL_SHELL_MAIN_H_
#define QOR_SHELL_SHELL_MAIN_H_

namespace shell {

// The whole program, start-up to shutdown. Returns 1 after a normal run, a
// refused second start and a sub-process, 0 when the main window cannot be
// made. Main thread.
int RunShell(void* instance, int show_command);

}  // namespace shell

#endif  // QOR_SHELL_SHELL_MAIN_H_
