#include <windows.h>

#include "shell/shell.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  shell::StartLog();
  shell::EndLog();
  return 1;
}
