// Waits the number of milliseconds in args, then answers "slow".
#include <chrono>
#include <thread>

#include "test_module.h"

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }
PLN_EXPORT int PLN_CALL PlnSetParam(const char*, intptr_t) { return 0; }

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char*, const PlnChar* args, PlnChar* answer,
                                            int32_t* answer_bytes) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(testmodule::Narrow(args))));
  testmodule::WriteAnswer(u"slow", answer, answer_bytes);
  return 0;
}
