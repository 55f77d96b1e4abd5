// Stands in for the updater: leaves updater_started.txt beside it.
#include <fstream>
#include <string>

#include "platform/paths.h"

int main() {
  std::ofstream(platform::ExecutableDir() + platform::kPathSeparator + "updater_started.txt") << "started";
  return 0;
}
