#include <gtk/gtk.h>

#include <cstdlib>

#include "shell/restore_watch_posix.h"
#include "support/desktop.h"

namespace testsupport {
namespace {

gboolean StopLoop(gpointer loop) {
  g_main_loop_quit(static_cast<GMainLoop*>(loop));
  return G_SOURCE_REMOVE;
}

}  // namespace

bool ShowShellWindowUntilRestored(const std::function<void()>& ready, int timeout_ms) {
  g_set_prgname("SHELL");
  gdk_set_program_class("SHELL");
  if (!gtk_init_check(nullptr, nullptr)) return false;
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "test window");
  gtk_widget_show(window);
  if (!shell::WatchRestoreRequests(GTK_WINDOW(window))) return false;
  gtk_widget_hide(window);
  ready();
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_signal_connect_swapped(window, "show", G_CALLBACK(StopLoop), loop);
  g_timeout_add(static_cast<guint>(timeout_ms), &StopLoop, loop);
  g_main_loop_run(loop);
  bool restored = gtk_widget_get_visible(window);
  gtk_widget_destroy(window);
  return restored;
}

bool DismissMessageBox(const std::string& caption, int timeout_ms) {
  std::string command = "timeout " + std::to_string(timeout_ms / 1000 + 1) + " xdotool search --sync --name '" +
                        caption + "' windowfocus --sync key --clearmodifiers Return >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

}  // namespace testsupport
