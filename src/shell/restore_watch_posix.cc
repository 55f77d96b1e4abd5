#include "shell/restore_watch_posix.h"

#include <glib-unix.h>

#include "platform/restore_listener_posix.h"

namespace shell {
namespace {

gboolean OnRestoreRequest(gint fd, GIOCondition, gpointer data) {
  if (platform::TakeRestoreRequest(fd)) {
    GtkWindow* window = GTK_WINDOW(data);
    gtk_window_deiconify(window);
    gtk_window_present(window);
  }
  return G_SOURCE_CONTINUE;
}

}  // namespace

bool WatchRestoreRequests(GtkWindow* window) {
  int fd = platform::ListenForRestoreRequests();
  if (fd < 0) return false;
  g_unix_fd_add(fd, G_IO_IN, &OnRestoreRequest, window);
  return true;
}

}  // namespace shell
