// Writes an answer but leaves its length at 0.
#include "test_module.h"

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }
PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char*, const PlnChar*, PlnChar* answer, int32_t*) {
  const char16_t text[] = u"written";
  for (size_t i = 0; i < sizeof(text) / sizeof(text[0]); ++i) answer[i] = text[i];
  return 0;
}
