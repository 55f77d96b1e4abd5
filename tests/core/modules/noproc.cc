// Lacks PlnOnProcessMessage.
#include "test_module.h"

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }
PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }
