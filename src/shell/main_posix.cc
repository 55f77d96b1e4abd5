#include <cstdio>

#include "shell/shell.h"
#include "shell/shell_settings.h"

int main() {
  shell::StartLog();
  std::fprintf(stderr, "shell: the main window is not built yet (home page: %s)\n",
               shell::Settings().HomePageUrl().c_str());
  shell::EndLog();
  return 1;
}
