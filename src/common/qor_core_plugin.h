#ifndef QOR_COMMON_QOR_CORE_PLUGIN_H_
#define QOR_COMMON_QOR_CORE_PLUGIN_H_

// The runtime every module carries (and the host too): the exports
// PlnInitiliaze, PlnSetParam and PlnUnInitialize, the module's share of the
// daily log, the stored host callbacks, text conversions, the reading of a
// request's arguments and the common frame of PlnOnProcessMessage.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "base2/json_util.h"
#include "common/pln_interface.h"
#include "common/plugin_identity.h"

PLN_EXPORT int PLN_CALL PlnInitiliaze();
PLN_EXPORT int PLN_CALL PlnSetParam(const char* key, intptr_t value);
PLN_EXPORT int PLN_CALL PlnUnInitialize();

// The host callbacks, set by PlnSetParam before the first request.
extern HostLogFunc g_log_;
extern HostWLogFunc g_wlog_;
extern HostExecCallbackFunc g_exec_callback_;

// Narrow system text to UTF-16, and UTF-16 to narrow system text (cut before
// the first character the code page lacks). Never throw: on failure they log
// and give "".
std::u16string StrToWstr(const std::string& text);
std::string wstr2str(const std::u16string& text);

// The object of a UTF-8 JSON text; null when the text is not a JSON object.
std::unique_ptr<base2::Json> DeserializeJson(std::string text);

namespace qor_plugin {

// The UTF-8 value of string member `name` of the request's arguments;
// nothing when the arguments are not a JSON object or the member is missing
// or not a string.
std::optional<std::string> ReadArgsMember(const PlnChar* args, const char* name);

// One action of a module: its lower-case key and the work, which sets the answer.
struct PluginAction {
  const char* key;
  void (*run)(const PlnChar* args, std::u16string& answer);
};

// The common body of PlnOnProcessMessage: finds the action whose key equals
// `action_key` with A to Z lower-cased, runs it and writes its answer (cut to
// the buffer). An exception leaves the answer empty and writes one line.
int RunProcessMessage(const PluginAction* actions, size_t action_count, const char* action_key, const PlnChar* args,
                      PlnChar* answer, int32_t* answer_bytes);

// "【<module>::PlnOnProcessMessage】<key>.", the line most actions begin with.
void LogActionLine(const char* key);

}  // namespace qor_plugin

#endif  // QOR_COMMON_QOR_CORE_PLUGIN_H_
