#include "support/platform_facts.h"

namespace testsupport {

bool ExceptionsCrossModuleBoundaries() { return true; }

}  // namespace testsupport
