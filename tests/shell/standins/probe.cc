// Stands in for the update probe: exits with the number in exit_code.txt
// beside it and leaves probe_ran.txt there.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/paths.h"

int main() {
  std::string dir = platform::ExecutableDir() + platform::kPathSeparator;
  std::ofstream(dir + "probe_ran.txt") << "ran";
  int code = 0;
  std::ifstream(dir + "exit_code.txt") >> code;
  return code;
}
