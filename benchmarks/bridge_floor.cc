// The floor of the bridge benchmark: a minimal WebKitGTK program that loads
// the same page and answers every "Request" user message at once, on the UI
// thread, with no dispatch. Usage: bridge_floor <page file> <extension dir>.
// Writes like benchsink.pln: $QOR_BENCH_MARK and $QOR_BENCH_OUT.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void WriteTo(const char* variable, const std::string& text) {
  if (const char* path = std::getenv(variable)) std::ofstream(path) << text;
}

gboolean OnMessage(WebKitWebView* view, WebKitUserMessage* message, gpointer) {
  const char* name = webkit_user_message_get_name(message);
  const char* text = "";
  g_variant_get(webkit_user_message_get_parameters(message), "(&s)", &text);
  if (g_strcmp0(name, "Request") == 0) {
    webkit_web_view_send_message_to_page(view, webkit_user_message_new("Response", g_variant_new("(s)", text)),
                                         nullptr, nullptr, nullptr);
  } else if (g_strcmp0(name, "Mark") == 0) {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    WriteTo("QOR_BENCH_MARK", std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  } else if (g_strcmp0(name, "Report") == 0) {
    WriteTo("QOR_BENCH_OUT", text);
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || !gtk_init_check(&argc, &argv)) return 2;
  WebKitWebContext* context = webkit_web_context_new();
  webkit_web_context_set_web_extensions_directory(context, argv[2]);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 1000, 700);
  GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, nullptr));
  gtk_container_add(GTK_CONTAINER(window), view);
  g_signal_connect(view, "user-message-received", G_CALLBACK(OnMessage), nullptr);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  gtk_widget_show_all(window);
  gchar* uri = g_filename_to_uri(argv[1], nullptr, nullptr);
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), uri);
  g_free(uri);
  gtk_main();
  return 0;
}
