#include "platform/per_user_name.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/paths.h"

namespace platform {

std::string PerUserName(const std::string& base) {
  // FNV-1a of the executable's path: copies of another build live apart.
  uint64_t hash = 1469598103934665603ULL;
  for (unsigned char c : ExecutablePath()) hash = (hash ^ c) * 1099511628211ULL;
  char suffix[64];
  std::snprintf(suffix, sizeof(suffix), "-%u-%016llx", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(hash));
  return base + suffix;
}

std::string RuntimeDir() {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  return (dir && *dir && access(dir, W_OK) == 0) ? dir : "/tmp";
}

}  // namespace platform
