// Fills the answer buffer completely: 8,388,607 code units and the NUL.
#include "test_module.h"

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }
PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char*, const PlnChar*, PlnChar* answer, int32_t* answer_bytes) {
  for (size_t i = 0; i < kMaxAnswerUnits; ++i) answer[i] = static_cast<PlnChar>(u'a' + i % 26);
  answer[kMaxAnswerUnits] = 0;
  *answer_bytes = static_cast<int32_t>(kMaxAnswerUnits * sizeof(PlnChar));
  return 0;
}
