// The page side of the bridge: a WebKit web-process extension that gives
// every frame `cef`, `cef.message` and `cef.fs`, sends "Request" and
// "OpenFile" to the browser side and calls the page's callbacks with every
// "Response". Runs on the web process's main thread.
#include <webkit2/webkit-web-extension.h>

#include <string>
#include <vector>

#include "adapter/callback_registry.h"
#include "adapter/client_decisions.h"
#include "adapter/webkit/user_messages.h"
#include "base2/logging.h"
#include "platform/guid.h"
#include "platform/process.h"

namespace Qor {
namespace Adapter {
namespace {

// A counted reference to a script value, for the callback registry.
class ScriptValue {
 public:
  ScriptValue() = default;
  explicit ScriptValue(JSCValue* value) : value_(value ? JSC_VALUE(g_object_ref(value)) : nullptr) {}
  ScriptValue(const ScriptValue& other) : ScriptValue(other.value_) {}
  ScriptValue& operator=(ScriptValue other) {
    std::swap(value_, other.value_);
    return *this;
  }
  ~ScriptValue() {
    if (value_) g_object_unref(value_);
  }
  JSCValue* get() const { return value_; }

 private:
  JSCValue* value_ = nullptr;
};

struct ClientApp {
  std::string startup_options;
  std::string exe_dir;
  CallbackRegistry<ScriptValue> registry;
};

ClientApp* g_app = nullptr;

// What a native function knows of where it was called.
struct FrameBinding {
  WebKitWebPage* page;
  uint64_t frame;
};

// Every native receives `cef.message` first, then the page's arguments: the
// receiver of callbacks, and the script context of the call.
constexpr guint kReceiver = 1;

JSCValue* Receiver(GPtrArray* arguments) { return JSC_VALUE(g_ptr_array_index(arguments, 0)); }
JSCContext* ContextOf(GPtrArray* arguments) { return jsc_value_get_context(Receiver(arguments)); }
guint PageArgumentCount(GPtrArray* arguments) { return arguments->len - kReceiver; }

// The page-visible functions; each calls the native of the same name with
// exactly its own parameters. `cef.fs` stays empty.
constexpr char kBridgeScript[] = R"JS(
(function (native) {
  if (typeof cef === 'undefined' || cef === null) { window.cef = {}; }
  if (!cef.message) { cef.message = {}; }
  if (!cef.fs) { cef.fs = {}; }
  var m = cef.message;
  m.sendMessage = function (uid, pluginKey, actionKey, args) {
    return native.sendMessage(m, uid, pluginKey, actionKey, args);
  };
  m.setMessageCallback = function (uid, callback) { return native.setMessageCallback(m, uid, callback); };
  m.openFile = function (uid, pluginKey, actionKey, args) { return native.openFile(m, uid); };
  m.openFileCallback = function (uid, callback) { return native.openFileCallback(m, uid, callback); };
  m.removeMessageCallback = function (uid) { return native.removeMessageCallback(m, uid); };
  m.createGuid = function () { return native.createGuid(m); };
  m.getExePath = function () { return native.getExePath(m); };
  m.getAppConfig = function () { return native.getAppConfig(m); };
})
)JS";

// Page argument `index` as text; anything but a string reads as "".
std::string StringArgument(GPtrArray* arguments, guint index) {
  JSCValue* value = JSC_VALUE(g_ptr_array_index(arguments, kReceiver + index));
  if (!jsc_value_is_string(value)) return std::string();
  gchar* text = jsc_value_to_string(value);
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

JSCValue* Undefined(GPtrArray* arguments) { return jsc_value_new_undefined(ContextOf(arguments)); }

JSCValue* StringOrUndefined(GPtrArray* arguments, const std::string& text, bool defined) {
  return defined ? jsc_value_new_string(ContextOf(arguments), text.c_str()) : Undefined(arguments);
}

void SendToBrowser(FrameBinding* binding, WebKitUserMessage* message) {
  webkit_web_page_send_message_to_view(binding->page, message, nullptr, nullptr, nullptr);
}

void Register(FrameBinding* binding, GPtrArray* arguments) {
  CallbackRecord<ScriptValue> record;
  record.context = binding->frame;
  record.receiver = ScriptValue(Receiver(arguments));
  record.function = ScriptValue(JSC_VALUE(g_ptr_array_index(arguments, kReceiver + 1)));
  g_app->registry.Register(StringArgument(arguments, 0), record);
}

JSCValue* SendMessage(GPtrArray* arguments, FrameBinding* binding) {
  if (PageArgumentCount(arguments) == kRequestArgumentCount) {
    SendToBrowser(binding, webkit_user_message_new(
                               kRequestMessage, g_variant_new(kRequestParameters, StringArgument(arguments, 0).c_str(),
                                                              StringArgument(arguments, 1).c_str(),
                                                              StringArgument(arguments, 2).c_str(),
                                                              StringArgument(arguments, 3).c_str())));
  }
  return Undefined(arguments);
}

JSCValue* SetMessageCallback(GPtrArray* arguments, FrameBinding* binding) {
  if (PageArgumentCount(arguments) == 2) Register(binding, arguments);
  return Undefined(arguments);
}

JSCValue* OpenFileCallback(GPtrArray* arguments, FrameBinding* binding) {
  if (PageArgumentCount(arguments) == 2) {
    LOG(INFO) << "ClientAppHandler::openFileCallback start!";
    Register(binding, arguments);
  }
  return Undefined(arguments);
}

JSCValue* RemoveMessageCallback(GPtrArray* arguments, FrameBinding*) {
  if (PageArgumentCount(arguments) == 1) g_app->registry.Remove(StringArgument(arguments, 0));
  return Undefined(arguments);
}

JSCValue* OpenFile(GPtrArray* arguments, FrameBinding* binding) {
  if (PageArgumentCount(arguments) >= 1) {
    LOG(INFO) << "ClientAppHandler::openFile start!";
    SendToBrowser(binding, webkit_user_message_new(kOpenFileMessage,
                                                   g_variant_new(kOpenFileParameters, StringArgument(arguments, 0).c_str())));
  }
  return Undefined(arguments);
}

JSCValue* CreateGuid(GPtrArray* arguments, FrameBinding*) {
  return StringOrUndefined(arguments, platform::NewGuidText(), true);
}

JSCValue* GetExePath(GPtrArray* arguments, FrameBinding*) {
  return StringOrUndefined(arguments, g_app->exe_dir, !g_app->exe_dir.empty());
}

JSCValue* GetAppConfig(GPtrArray* arguments, FrameBinding*) {
  if (g_app->exe_dir.empty()) return Undefined(arguments);
  std::optional<std::string> config = MergedAppConfig(g_app->exe_dir, g_app->startup_options);
  return StringOrUndefined(arguments, config.value_or(""), config.has_value());
}

using Native = JSCValue* (*)(GPtrArray*, FrameBinding*);

// A new document in a frame: the old one's callbacks go, the new one gets the bridge.
void OnWindowObjectCleared(WebKitScriptWorld* world, WebKitWebPage* page, WebKitFrame* frame, gpointer) {
  uint64_t frame_id = webkit_frame_get_id(frame);
  g_app->registry.PurgeContext(frame_id);
  JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, world);
  const std::pair<const char*, Native> natives[] = {
      {"sendMessage", &SendMessage},       {"setMessageCallback", &SetMessageCallback},
      {"openFile", &OpenFile},             {"openFileCallback", &OpenFileCallback},
      {"removeMessageCallback", &RemoveMessageCallback},
      {"createGuid", &CreateGuid},         {"getExePath", &GetExePath},
      {"getAppConfig", &GetAppConfig},
  };
  JSCValue* native = jsc_value_new_object(context, nullptr, nullptr);
  for (const auto& [name, function] : natives) {
    // Each function owns its binding; the script engine frees it with the function.
    JSCValue* value = jsc_value_new_function_variadic(context, name, G_CALLBACK(function),
                                                      new FrameBinding{page, frame_id},
                                                      [](gpointer data) { delete static_cast<FrameBinding*>(data); },
                                                      JSC_TYPE_VALUE);
    jsc_value_object_set_property(native, name, value);
    g_object_unref(value);
  }
  JSCValue* install = jsc_context_evaluate(context, kBridgeScript, -1);
  JSCValue* result = jsc_value_function_call(install, JSC_TYPE_VALUE, native, G_TYPE_NONE);
  g_object_unref(result);
  g_object_unref(install);
  g_object_unref(native);
  g_object_unref(context);
}

// "Response": the callback of its uid gets the text.
gboolean OnPageMessage(WebKitWebPage*, WebKitUserMessage* message, gpointer) {
  GVariant* parameters = webkit_user_message_get_parameters(message);
  if (g_strcmp0(webkit_user_message_get_name(message), kResponseMessage) != 0 || !parameters ||
      !g_variant_is_of_type(parameters, G_VARIANT_TYPE(kResponseParameters))) {
    return FALSE;
  }
  const char* uid;
  const char* text;
  g_variant_get(parameters, "(&s&s)", &uid, &text);
  g_app->registry.Deliver(uid, [text](const CallbackRecord<ScriptValue>& record) {
    if (!record.function.get() || !jsc_value_is_function(record.function.get())) return false;
    JSCValue* result = jsc_value_object_invoke_method(record.function.get(), "call", JSC_TYPE_VALUE,
                                                      record.receiver.get(), G_TYPE_STRING, text, G_TYPE_NONE);
    bool handled = result && jsc_value_is_boolean(result) && jsc_value_to_boolean(result);
    if (result) g_object_unref(result);
    return handled;
  });
  return TRUE;
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
  g_signal_connect(page, "user-message-received", G_CALLBACK(&OnPageMessage), nullptr);
}

}  // namespace
}  // namespace Adapter
}  // namespace Qor

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize_with_user_data(WebKitWebExtension* extension,
                                                                               const GVariant* user_data) {
  using namespace Qor::Adapter;
  g_app = new ClientApp;
  const char* options = "";
  const char* exe_dir = "";
  if (user_data && g_variant_is_of_type(const_cast<GVariant*>(user_data), G_VARIANT_TYPE(kExtensionDataParameters))) {
    g_variant_get(const_cast<GVariant*>(user_data), "(&s&s)", &options, &exe_dir);
  }
  g_app->startup_options = options;
  g_app->exe_dir = exe_dir;
  if (!g_app->exe_dir.empty()) {
    logging::InitLogging(logging::DailyLogFileName(g_app->exe_dir, platform::LocalTime(std::time(nullptr))));
  }
  g_signal_connect(webkit_script_world_get_default(), "window-object-cleared", G_CALLBACK(&OnWindowObjectCleared),
                   nullptr);
  g_signal_connect(extension, "page-created", G_CALLBACK(&OnPageCreated), nullptr);
}
