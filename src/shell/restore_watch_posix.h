#ifndef QOR_SHELL_RESTORE_WATCH_POSIX_H_
#define QOR_SHELL_RESTORE_WATCH_POSIX_H_

#include <gtk/gtk.h>

namespace shell {

// Linux only: restores and raises `window` whenever a second copy asks for
// it. Returns false when another copy is listening already. Main thread.
bool WatchRestoreRequests(GtkWindow* window);

}  // namespace shell

#endif  // QOR_SHELL_RESTORE_WATCH_POSIX_H_
