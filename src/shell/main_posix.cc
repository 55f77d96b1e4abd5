#include <gtk/gtk.h>

#include "shell/crash_handler.h"
#include "shell/shell_main.h"

int main(int argc, char** argv) {
  // The crash handler starts the program again to show its message.
  int helper_result = shell::MaybeShowCrashMessage(argc, argv);
  if (helper_result >= 0) return helper_result;
  // WM_CLASS "SHELL" for every window, whoever opens the display first.
  g_set_prgname("SHELL");
  gdk_set_program_class("SHELL");
  return shell::RunShell(nullptr, 0);
}
