#include <windows.h>

#include "shell/shell_main.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  return shell::RunShell(instance, show_command);
}
