#include <gtk/gtk.h>

#include "adapter/qor_adapter.h"
#include "shell/main_window.h"
#include "shell/restore_watch_posix.h"
#include "shell/shell_settings.h"

namespace shell {
namespace {

GtkWidget* g_main_window = nullptr;
GMainLoop* g_main_loop = nullptr;

// Close requests: ignored with CloseApp "1", otherwise only after "OK".
gboolean OnDeleteEvent(GtkWidget* window, GdkEvent*, gpointer) {
  if (Settings().CloseApp() == "1") return TRUE;
  GtkWidget* question = gtk_message_dialog_new(GTK_WINDOW(window), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                               GTK_BUTTONS_OK_CANCEL, "%s", kCloseQuestion);
  gtk_window_set_title(GTK_WINDOW(question), kCloseCaption);
  gtk_dialog_set_default_response(GTK_DIALOG(question), GTK_RESPONSE_OK);  // as on Windows: OK first
  gint answer = gtk_dialog_run(GTK_DIALOG(question));
  gtk_widget_destroy(question);
  return answer == GTK_RESPONSE_OK ? FALSE : TRUE;
}

// The start message: the browser is made and the engine's loop runs inside
// this handler; when it returns, the main loop is told to quit.
gboolean OnShellStart(gpointer) {
  std::string url = Settings().HomePageUrl();
  if (Qor::Adapter::AdapterExists()) {
    Qor::Adapter::CreateMainBrowser(g_main_window, url.c_str());
    if (Qor::Adapter::AdapterExists()) Qor::Adapter::RunMessageLoop();
  }
  if (g_main_loop) g_main_loop_quit(g_main_loop);
  return G_SOURCE_REMOVE;
}

GdkRectangle PrimaryArea(bool work_area) {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  GdkRectangle area{0, 0, 1024, 768};
  if (!monitor) return area;
  if (work_area) {
    gdk_monitor_get_workarea(monitor, &area);
  } else {
    gdk_monitor_get_geometry(monitor, &area);
  }
  return area;
}

}  // namespace

int RegisterMainWindowClass(void*) {
  // WM_CLASS "SHELL": the name a second copy and the modules look for. Set
  // before the display opens (the engine may have opened it already).
  g_set_prgname("SHELL");
  gdk_set_program_class("SHELL");
  return gtk_init_check(nullptr, nullptr) ? 1 : 0;
}

int CreateMainWindow(void*, int) {
  if (!gdk_display_get_default()) return 0;
  const ShellSettings& settings = Settings();
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  if (!window) return 0;
  g_main_window = window;
  gtk_window_set_title(GTK_WINDOW(window), settings.AppTitle().c_str());
  int width = settings.WindowWidthPixels();
  int height = settings.WindowHeightPixels();
  gtk_window_set_default_size(GTK_WINDOW(window), width, height);
  GdkGeometry minimum{};
  minimum.min_width = kMinimumSize;
  minimum.min_height = kMinimumSize;
  gtk_window_set_geometry_hints(GTK_WINDOW(window), nullptr, &minimum, GDK_HINT_MIN_SIZE);
  if (settings.NoBorder() == "0") gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  g_signal_connect(window, "delete-event", G_CALLBACK(&OnDeleteEvent), nullptr);

  switch (ChooseShowMode(settings.FullScreen(), settings.WindowMaximize())) {
    case ShowMode::kFullScreen: {
      GdkRectangle screen = PrimaryArea(false);
      gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
      gtk_window_move(GTK_WINDOW(window), screen.x, screen.y);
      gtk_window_set_default_size(GTK_WINDOW(window), screen.width, screen.height);
      break;
    }
    case ShowMode::kMaximized:
      gtk_window_maximize(GTK_WINDOW(window));
      break;
    case ShowMode::kCentered: {
      GdkRectangle work = PrimaryArea(true);
      GdkRectangle screen = PrimaryArea(false);
      Point at = CenteredPosition({work.x, work.y, work.x + work.width, work.y + work.height}, width, height,
                                  screen.width, screen.height);
      gtk_window_move(GTK_WINDOW(window), at.x, at.y);
      break;
    }
  }
  gtk_widget_show(window);
  return 1;
}

void PostShellStart() { g_idle_add(&OnShellStart, nullptr); }

void RunMainLoop() {
  g_main_loop = g_main_loop_new(nullptr, FALSE);
  g_main_loop_run(g_main_loop);
  g_main_loop_unref(g_main_loop);
  g_main_loop = nullptr;
}

void ListenForRestoreRequests() {
  if (g_main_window) WatchRestoreRequests(GTK_WINDOW(g_main_window));
}

}  // namespace shell
