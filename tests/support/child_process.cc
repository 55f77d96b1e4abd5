#include "support/child_process.h"

#include <map>

namespace testsupport {
namespace {

std::map<std::string, ChildMain>& Registry() {
  static auto* registry = new std::map<std::string, ChildMain>;
  return *registry;
}

}  // namespace

ChildRegistration::ChildRegistration(const char* name, ChildMain main) { Registry()[name] = main; }

int MaybeRunChild(int argc, char** argv) {
  const std::string prefix = "--child=";
  if (argc < 2 || std::string(argv[1]).rfind(prefix, 0) != 0) return -1;
  auto found = Registry().find(std::string(argv[1]).substr(prefix.size()));
  if (found == Registry().end()) return 99;
  return found->second(std::vector<std::string>(argv + 2, argv + argc));
}

}  // namespace testsupport
