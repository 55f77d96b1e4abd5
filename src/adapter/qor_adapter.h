#ifndef QOR_ADAPTER_QOR_ADAPTER_H_
#define QOR_ADAPTER_QOR_ADAPTER_H_

#include <string>

#include "common/pln_interface.h"

// The one object through which the shell drives the embedded browser: free
// functions over a process-wide adapter. Initialize and UnInitialize are
// serialised by AdapterLock; SendResponse may be called from any thread; the
// rest run on the main thread.
namespace Qor {
namespace Adapter {

using OnNotifyFunc = void (*)(const char* uid, const char* plugin_key, const char* action_key, const PlnChar* args);
using UnInitCompletedFunc = void (*)();

// 1 in the browser process once the engine is ready; -1 in a sub-process
// (a "--type=" argument), whose work is then over.
int Initialize(const char* startup_options, void* instance);
bool AdapterExists();

// Setting OnNotify also arms the request forwarding.
void SetOnNotify(OnNotifyFunc hook);
void SetUnInitCompleted(UnInitCompletedFunc hook);

// `url` is narrow system text: an address or a file path.
void CreateMainBrowser(void* parent_window, const char* url);
void RunMessageLoop();
int UnInitialize();
void* HostWindow();

// 0 when no adapter exists, 1 otherwise (also when there is no browser to
// send to).
int SendResponse(const char* uid, const PlnChar* text);
// The task core's response hook.
int DeliverResponse(const char* uid, const PlnChar* text);
// Where the page's requests go: the OnNotify hook, if set.
void ForwardRequest(std::string uid, std::string plugin_key, std::string action_key, std::u16string args);

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_QOR_ADAPTER_H_
