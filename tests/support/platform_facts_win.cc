#include <windows.h>

#include "support/platform_facts.h"

namespace testsupport {

bool ExceptionsCrossModuleBoundaries() { return false; }

size_t OpenHandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

}  // namespace testsupport
