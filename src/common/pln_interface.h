#ifndef QOR_COMMON_PLN_INTERFACE_H_
#define QOR_COMMON_PLN_INTERFACE_H_

// The contract between the host and a plug-in module (plugins/<key>.pln):
// four exports with C names and the C calling convention, three host
// callbacks handed over through PlnSetParam, and the answer buffer rules.
// Shared by the host and every module.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define PLN_CALL __cdecl
#define PLN_EXPORT extern "C" __declspec(dllexport)
#else
#define PLN_CALL
#define PLN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// One UTF-16 code unit, on every platform.
typedef char16_t PlnChar;

// Exports of a module, in the order the host calls them.
typedef int(PLN_CALL* PlnInitiliazeFunc)();
typedef int(PLN_CALL* PlnSetParamFunc)(const char* key, intptr_t value);
// `args` is the request's UTF-16 JSON text. The module writes its answer and
// a NUL into `answer` and the answer's length in bytes, without the NUL,
// into `*answer_bytes`, which the host sets to 0 before the call.
typedef int(PLN_CALL* PlnOnProcessMessageFunc)(const char* action_key, const PlnChar* args, PlnChar* answer,
                                               int32_t* answer_bytes);
typedef int(PLN_CALL* PlnUnInitializeFunc)();

constexpr char SYMBOL_INIT[] = "PlnInitiliaze";
constexpr char SYMBOL_SETPARAM[] = "PlnSetParam";
constexpr char SYMBOL_PROCMESSAGE[] = "PlnOnProcessMessage";

// PlnSetParam keys and the host callbacks they carry.
constexpr char kParamLog[] = "LOG";
constexpr char kParamWLog[] = "WLOG";
constexpr char kParamExecCallback[] = "EXEC_CALLBACK";
// level: 0 information, 1 warning, 2 error, 3 fatal, anything else information.
typedef void(PLN_CALL* HostLogFunc)(int level, const char* text);
typedef void(PLN_CALL* HostWLogFunc)(int level, const PlnChar* text);
// Delivers `text` to the page as if it were the answer to request `uid`.
typedef void(PLN_CALL* HostExecCallbackFunc)(const char* uid, const PlnChar* text);

// The host's answer buffer: a fresh one per call, contents not initialised.
// An answer holds at most kMaxAnswerUnits code units plus its NUL.
constexpr size_t kAnswerBufferBytes = 0x1000000;
constexpr size_t kAnswerBufferUnits = kAnswerBufferBytes / sizeof(PlnChar);
constexpr size_t kMaxAnswerUnits = kAnswerBufferUnits - 1;

#endif  // QOR_COMMON_PLN_INTERFACE_H_
