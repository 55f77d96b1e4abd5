// The floor's page side: `floor.send(text, done)` sends "Request" to the
// browser side, which answers at once; `floor.mark()` and `floor.report(text)`
// tell the minimal program what the bench needs. Nothing else.
#include <webkit2/webkit-web-extension.h>

#include <string>

namespace {

WebKitWebPage* g_page = nullptr;
JSCValue* g_pending = nullptr;

void Send(const char* name, const char* text) {
  webkit_web_page_send_message_to_view(g_page, webkit_user_message_new(name, g_variant_new("(s)", text)), nullptr,
                                       nullptr, nullptr);
}

void FloorSend(const char* text, JSCValue* done, gpointer) {
  if (g_pending) g_object_unref(g_pending);
  g_pending = JSC_VALUE(g_object_ref(done));
  Send("Request", text);
}

void FloorMark(gpointer) { Send("Mark", ""); }
void FloorReport(const char* text, gpointer) { Send("Report", text); }

gboolean OnMessage(WebKitWebPage*, WebKitUserMessage* message, gpointer) {
  if (g_strcmp0(webkit_user_message_get_name(message), "Response") != 0 || !g_pending) return FALSE;
  const char* text;
  g_variant_get(webkit_user_message_get_parameters(message), "(&s)", &text);
  JSCValue* done = g_pending;
  g_pending = nullptr;
  JSCValue* result = jsc_value_function_call(done, G_TYPE_STRING, text, G_TYPE_NONE);
  g_object_unref(result);
  g_object_unref(done);
  return TRUE;
}

void OnWindowObjectCleared(WebKitScriptWorld* world, WebKitWebPage* page, WebKitFrame* frame, gpointer) {
  g_page = page;
  JSCContext* context = webkit_frame_get_js_context_for_script_world(frame, world);
  JSCValue* floor = jsc_value_new_object(context, nullptr, nullptr);
  JSCValue* send = jsc_value_new_function(context, "send", G_CALLBACK(FloorSend), nullptr, nullptr, G_TYPE_NONE, 2,
                                          G_TYPE_STRING, JSC_TYPE_VALUE);
  JSCValue* mark = jsc_value_new_function(context, "mark", G_CALLBACK(FloorMark), nullptr, nullptr, G_TYPE_NONE, 0);
  JSCValue* report = jsc_value_new_function(context, "report", G_CALLBACK(FloorReport), nullptr, nullptr,
                                            G_TYPE_NONE, 1, G_TYPE_STRING);
  jsc_value_object_set_property(floor, "send", send);
  jsc_value_object_set_property(floor, "mark", mark);
  jsc_value_object_set_property(floor, "report", report);
  jsc_context_set_value(context, "floor", floor);
  for (JSCValue* value : {send, mark, report, floor}) g_object_unref(value);
  g_object_unref(context);
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
  g_signal_connect(page, "user-message-received", G_CALLBACK(OnMessage), nullptr);
}

}  // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize(WebKitWebExtension* extension) {
  g_signal_connect(webkit_script_world_get_default(), "window-object-cleared", G_CALLBACK(OnWindowObjectCleared),
                   nullptr);
  g_signal_connect(extension, "page-created", G_CALLBACK(OnPageCreated), nullptr);
}
