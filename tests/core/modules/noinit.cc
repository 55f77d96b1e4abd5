// Lacks PlnInitiliaze.
#include "test_module.h"

PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }
PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char*, const PlnChar*, PlnChar*, int32_t*) { return 0; }
