// Lets a C++ exception escape PlnOnProcessMessage.
#include <stdexcept>

#include "test_module.h"

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }
PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char*, const PlnChar*, PlnChar*, int32_t*) {
  throw std::runtime_error("escaped from the module");
}
