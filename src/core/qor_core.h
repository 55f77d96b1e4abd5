#ifndef QOR_CORE_QOR_CORE_H_
#define QOR_CORE_QOR_CORE_H_

#include <atomic>
#include <string>

#include "common/pln_interface.h"

namespace base {
class AsTask;
}

namespace Qor {
namespace Core {

// Where answers leave the core: (uid, answer) as NUL-terminated texts.
using ResponseHook = int (*)(const char* uid, const PlnChar* answer);

// The task dispatcher: runs every request on the thread pool through the
// plug-in manager and hands the answer, or a fixed error text, to the
// response hook under the request's uid. Created on first use, never
// destroyed; thread-safe.
class QorCore {
 public:
  using ResultSink = void (*)(const std::string& uid, const std::u16string& answer);

  static QorCore& GetInstance();

  // Queues the request and returns at once.
  void AsyncNotify(std::string uid, std::string plugin_key, std::string action_key, std::u16string args);
  // Performs the request on the calling thread; failures give the empty answer.
  std::u16string SynNotify(std::string uid, std::string plugin_key, std::string action_key, std::u16string args);
  // The body of a queued request.
  void OnTaskAction(std::string uid, std::string path, std::string action_key, std::u16string args);

  // plugins/<key>.pln beside the executable, in narrow system text.
  std::string ModulePath(const std::string& plugin_key) const;

 private:
  friend int StartCore();
  friend int StopCore();

  QorCore();
  virtual ~QorCore() = default;
  void OnRefusedKey(const std::string& uid, const std::string& plugin_key);

  std::string plugin_folder_;
  std::atomic<ResultSink> result_sink_{nullptr};
  bool stopped_ = false;
};

// A plug-in key names a file in the plugins folder and nothing else: not
// empty, no separator of either kind, no "..", no ":", no control character.
bool IsAcceptablePluginKey(const std::string& plugin_key);

// Wires the core to the plug-in manager and the result path; returns 1.
int StartCore();
// Drops every later answer; running and queued requests go on. Returns 1.
int StopCore();

// The request entry of the browser side (UTF-8 texts, UTF-16 arguments).
// "waveform"/"setplayvol" runs at once on the calling thread and answers
// nothing; every other request is queued.
void HandleRequest(const char* uid, const char* plugin_key, const char* action_key, const PlnChar* args);

// The core's result sink: passes (uid, answer) to the response hook, if set.
void ForwardResult(const std::string& uid, const std::u16string& answer);
void SetResponseHook(ResponseHook hook);

// The thread-pool entry: runs the task, then destroys it.
int RunTask(base::AsTask* task);

}  // namespace Core
}  // namespace Qor

#endif  // QOR_CORE_QOR_CORE_H_
