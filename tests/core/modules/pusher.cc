// Pushes texts through EXEC_CALLBACK: once as soon as it receives the
// callback (while the host is still loading it), and from a thread of its
// own for every request, to the uid given in args.
#include <thread>

#include "test_module.h"

namespace {
HostExecCallbackFunc g_exec_callback = nullptr;
}  // namespace

PLN_EXPORT int PLN_CALL PlnInitiliaze() { return 0; }

PLN_EXPORT int PLN_CALL PlnSetParam(const char* key, intptr_t value) {
  if (std::string(key) != kParamExecCallback) return 0;
  g_exec_callback = reinterpret_cast<HostExecCallbackFunc>(value);
  g_exec_callback("pushed-while-loading", u"from PlnSetParam");
  return 0;
}

PLN_EXPORT int PLN_CALL PlnOnProcessMessage(const char*, const PlnChar* args, PlnChar* answer,
                                            int32_t* answer_bytes) {
  std::string uid = testmodule::Narrow(args);
  std::thread([uid] { g_exec_callback(uid.c_str(), u"from a thread"); }).join();
  testmodule::WriteAnswer(u"pushed", answer, answer_bytes);
  return 0;
}
