// The browser engine on Linux: WebKitGTK 4.1. The page side of the bridge is
// the web-process extension (client_app_handler.cc); page messages travel as
// WebKit user messages.
#include <gtk/gtk.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <map>
#include <vector>

#include "adapter/browser_engine.h"
#include "adapter/client_handler.h"
#include "adapter/webkit/user_messages.h"
#include "adapter/webkit/webkit_engine_posix.h"
#include "base2/file_path.h"
#include "base2/logging.h"
#include "base2/text_convert.h"
#include "platform/append_file.h"

namespace Qor {
namespace Adapter {
namespace {

constexpr char kExtensionFolder[] = "webkit-extensions";

// The engine's own messages (GLib log) go to logs/cef.log.
GLogWriterOutput WriteEngineLog(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer file) {
  gchar* line = g_log_writer_format_fields(level, fields, count, FALSE);
  std::string text = std::string(line) + "\n";
  g_free(line);
  static_cast<platform::AppendFile*>(file)->Append(text);
  return G_LOG_WRITER_HANDLED;
}

std::string FileUri(const std::string& path) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string result = uri ? uri : "";
  g_free(uri);
  return result;
}

int KeyCodeOf(guint keyval) {
  switch (keyval) {
    case GDK_KEY_BackSpace: return kKeyBackspace;
    case GDK_KEY_F5: return kKeyF5;
    case GDK_KEY_F12: return kKeyF12;
    default: return 0;
  }
}

class WebKitEngine : public BrowserEngine, public WebKitEngineAccess {
 public:
  explicit WebKitEngine(ClientHandler& handler) : handler_(handler) { instance_ = this; }
  ~WebKitEngine() override { instance_ = nullptr; }

  void Start(const EngineSettings& settings, const std::string& startup_options) override {
    // Without a display there is nothing to show: the engine stays idle and
    // the main window, which cannot be made either, ends the program.
    started_ = gtk_init_check(nullptr, nullptr);
    if (!started_) return;
    g_mkdir_with_parents(settings.cache_dir.c_str(), 0700);
    if (auto log = platform::AppendFile::Open(settings.log_file)) {
      g_log_set_writer_func(&WriteEngineLog, log.release(), nullptr);
    }
    WebKitWebsiteDataManager* data = webkit_website_data_manager_new(
        "base-data-directory", settings.cache_dir.c_str(), "base-cache-directory", settings.cache_dir.c_str(), nullptr);
    if (settings.ignore_certificate_errors) {
      webkit_website_data_manager_set_tls_errors_policy(data, WEBKIT_TLS_ERRORS_POLICY_IGNORE);
    }
    if (!settings.use_proxy) {
      webkit_website_data_manager_set_network_proxy_settings(data, WEBKIT_NETWORK_PROXY_MODE_NO_PROXY, nullptr);
    }
    WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(data);
    if (settings.persist_session_cookies) {
      std::string store = base2::JoinPath(settings.cache_dir, "cookies.sqlite");
      webkit_cookie_manager_set_persistent_storage(cookies, store.c_str(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    }
    webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_ALWAYS);
    context_ = webkit_web_context_new_with_website_data_manager(data);
    g_object_unref(data);
    const gchar* languages[] = {settings.locale.c_str(), nullptr};
    webkit_web_context_set_preferred_languages(context_, languages);
    std::string extensions = base2::JoinPath(handler_.exe_dir(), kExtensionFolder);
    webkit_web_context_set_web_extensions_directory(context_, extensions.c_str());
    webkit_web_context_set_web_extensions_initialization_user_data(
        context_, g_variant_new(kExtensionDataParameters, startup_options.c_str(), handler_.exe_dir().c_str()));
    g_signal_connect(context_, "download-started", G_CALLBACK(&OnDownloadStarted), this);

    settings_ = webkit_settings_new();
    g_object_set(settings_, "enable-developer-extras", TRUE, "allow-file-access-from-file-urls",
                 settings.file_access_from_file_urls, "allow-universal-access-from-file-urls",
                 settings.universal_access_from_file_urls, "javascript-can-access-clipboard",
                 settings.javascript_access_clipboard, "javascript-can-open-windows-automatically", TRUE,
                 "enable-html5-local-storage", settings.local_storage, "enable-media-stream", settings.media_stream,
                 "enable-mediasource", TRUE, "enable-webaudio", TRUE, nullptr);
  }

  void CreateMainBrowser(void* parent_window, const std::string& url) override {
    if (!started_) return;
    parent_ = GTK_WIDGET(parent_window);
    host_ = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(parent_), host_);
    WebKitWebView* view = NewView(nullptr);
    gtk_box_pack_start(GTK_BOX(host_), GTK_WIDGET(view), TRUE, TRUE, 0);
    gtk_widget_show_all(host_);
    gtk_widget_grab_focus(GTK_WIDGET(view));  // keys go to the page
    Register(view, nullptr);
    Load(view, url);
  }

  void RunMessageLoop() override {
    if (!started_ || views_.empty()) return;
    loop_ = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop_);
    g_main_loop_unref(loop_);
    loop_ = nullptr;
  }

  void QuitMessageLoop() override {
    if (loop_) g_main_loop_quit(loop_);
  }

  void SendResponse(const std::string& uid, const std::u16string& text) override {
    // Hand over to the main loop: WebKit is used from the UI thread only.
    auto* pending = new PendingResponse{uid, base2::Utf16ToUtf8(text)};
    g_idle_add_full(G_PRIORITY_HIGH, &SendPendingResponse, pending,
                    [](gpointer data) { delete static_cast<PendingResponse*>(data); });
  }

  void CloseBrowsers() override {
    // Destroying a pop-up's window takes it out of views_: collect first.
    std::vector<GtkWidget*> popups;
    for (auto& [id, browser] : views_) {
      if (browser.window) popups.push_back(browser.window);
    }
    for (GtkWidget* window : popups) gtk_widget_destroy(window);
    if (WebKitWebView* main = MainView()) webkit_web_view_try_close(main);
  }

  void Shutdown() override {}

  void* HostWindow() override { return host_; }

  // WebKitEngineAccess, for tests and the main window.
  WebKitWebView* MainView() override {
    auto found = views_.find(handler_.book().MainBrowserId());
    return found == views_.end() ? nullptr : found->second.view;
  }
  WebKitWebContext* Context() override { return context_; }

  static WebKitEngine* instance_;

 private:
  struct Browser {
    WebKitWebView* view;
    GtkWidget* window;  // the top-level window of a pop-up; null for the main browser
  };
  struct PendingResponse {
    std::string uid;
    std::string text;
  };

  WebKitWebView* NewView(WebKitWebView* related) {
    GtkWidget* view = related ? webkit_web_view_new_with_related_view(related)
                              : GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context_, "settings",
                                                        settings_, nullptr));
    if (related) webkit_web_view_set_settings(WEBKIT_WEB_VIEW(view), settings_);
    g_signal_connect(view, "create", G_CALLBACK(&OnCreate), this);
    g_signal_connect(view, "close", G_CALLBACK(&OnClose), this);
    g_signal_connect(view, "context-menu", G_CALLBACK(&OnContextMenu), this);
    g_signal_connect(view, "load-failed", G_CALLBACK(&OnLoadFailed), this);
    g_signal_connect(view, "user-message-received", G_CALLBACK(&OnUserMessage), this);
    g_signal_connect(view, "key-press-event", G_CALLBACK(&OnKeyPress), this);
    g_signal_connect(view, "destroy", G_CALLBACK(&OnViewDestroyed), this);
    return WEBKIT_WEB_VIEW(view);
  }

  int Register(WebKitWebView* view, GtkWidget* window) {
    int id = next_id_++;
    views_[id] = {view, window};
    g_object_set_data(G_OBJECT(view), "qor-browser-id", GINT_TO_POINTER(id));
    handler_.book().OnAfterCreated(id);
    return id;
  }

  static int IdOf(WebKitWebView* view) {
    return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(view), "qor-browser-id"));
  }

  void Load(WebKitWebView* view, const std::string& url) {
    bool is_path = !url.empty() && url[0] == '/';
    webkit_web_view_load_uri(view, is_path ? FileUri(url).c_str() : url.c_str());
  }

  void SendTo(WebKitWebView* view, const std::string& uid, const std::string& text) {
    WebKitUserMessage* message =
        webkit_user_message_new(kResponseMessage, g_variant_new(kResponseParameters, uid.c_str(), text.c_str()));
    webkit_web_view_send_message_to_page(view, message, nullptr, nullptr, nullptr);
  }

  static gboolean SendPendingResponse(gpointer data) {
    auto* pending = static_cast<PendingResponse*>(data);
    if (instance_) {
      if (WebKitWebView* main = instance_->MainView()) instance_->SendTo(main, pending->uid, pending->text);
    }
    return G_SOURCE_REMOVE;
  }

  // A page opens a window: a new top-level window with a view of its own.
  static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction*, WebKitEngine* self) {
    WebKitWebView* popup = self->NewView(view);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(popup));
    self->Register(popup, window);
    g_signal_connect_swapped(popup, "ready-to-show", G_CALLBACK(gtk_widget_show_all), window);
    g_signal_connect(popup, "notify::title", G_CALLBACK(+[](WebKitWebView* view, GParamSpec*, GtkWindow* window) {
                       const gchar* title = webkit_web_view_get_title(view);
                       gtk_window_set_title(window, title ? title : "");
                     }),
                     window);
    return GTK_WIDGET(popup);
  }

  // The developer tools: docked in the view (WebKitGTK's choice), or in a
  // window of their own, which then counts like a pop-up.
  void OpenDevTools(WebKitWebView* view) {
    WebKitWebInspector* inspector = webkit_web_view_get_inspector(view);
    if (!g_object_get_data(G_OBJECT(inspector), "qor-watched")) {
      g_object_set_data(G_OBJECT(inspector), "qor-watched", GINT_TO_POINTER(1));
      g_signal_connect(inspector, "attach", G_CALLBACK(+[](WebKitWebInspector*) -> gboolean {
                         LOG(INFO) << "【ClientHandler::OpenDevTools】developer tools opened in the view";
                         return FALSE;
                       }),
                       nullptr);
      g_signal_connect(inspector, "open-window", G_CALLBACK(+[](WebKitWebInspector* opened, WebKitEngine* self) {
                         int id = self->next_id_++;
                         LOG(INFO) << "【ClientHandler::OpenDevTools】developer tools opened in a window";
                         g_object_set_data(G_OBJECT(opened), "qor-browser-id", GINT_TO_POINTER(id));
                         self->handler_.book().OnAfterCreated(id);
                         return FALSE;
                       }),
                       this);
      g_signal_connect(inspector, "closed", G_CALLBACK(+[](WebKitWebInspector* closed, WebKitEngine* self) {
                         int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(closed), "qor-browser-id"));
                         g_object_set_data(G_OBJECT(closed), "qor-browser-id", nullptr);
                         if (id && self->handler_.book().OnBeforeClose(id)) self->QuitMessageLoop();
                       }),
                       this);
    }
    webkit_web_inspector_show(inspector);
  }

  static void OnClose(WebKitWebView* view, WebKitEngine* self) {
    auto found = self->views_.find(IdOf(view));
    if (found == self->views_.end()) return;
    gtk_widget_destroy(found->second.window ? found->second.window : GTK_WIDGET(view));
  }

  static void OnViewDestroyed(WebKitWebView* view, WebKitEngine* self) {
    int id = IdOf(view);
    if (!self->views_.erase(id)) return;
    if (self->handler_.book().OnBeforeClose(id)) self->QuitMessageLoop();
  }

  static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*, WebKitEngine*) {
    return TRUE;  // no context menu, ever
  }

  static gboolean OnLoadFailed(WebKitWebView* view, WebKitLoadEvent, gchar* failing_uri, GError* error,
                               WebKitEngine* self) {
    bool aborted = g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED);
    std::string error_page = FileUri(ErrorPagePath(self->handler_.exe_dir()));
    if (!self->handler_.OnLoadError(error->code, error->message, failing_uri ? failing_uri : "", aborted,
                                    error_page)) {
      return aborted ? FALSE : TRUE;
    }
    // Not from inside the failing load's own signal: WebKit ignores that.
    auto* pending = new std::pair<WebKitWebView*, std::string>(WEBKIT_WEB_VIEW(g_object_ref(view)), error_page);
    g_idle_add_full(G_PRIORITY_DEFAULT,
                    [](gpointer data) {
                      auto* load = static_cast<std::pair<WebKitWebView*, std::string>*>(data);
                      webkit_web_view_load_uri(load->first, load->second.c_str());
                      return G_SOURCE_REMOVE;
                    },
                    pending,
                    [](gpointer data) {
                      auto* load = static_cast<std::pair<WebKitWebView*, std::string>*>(data);
                      g_object_unref(load->first);
                      delete load;
                    });
    return TRUE;
  }

  static gboolean OnKeyPress(WebKitWebView*, GdkEventKey* event, WebKitEngine* self) {
    // WebKitGTK binds no navigation to Backspace: it always reaches the page.
    switch (self->handler_.OnKey(KeyCodeOf(event->keyval))) {
      case KeyAction::kOpenDevTools:
        if (WebKitWebView* main = self->MainView()) self->OpenDevTools(main);
        return TRUE;
      case KeyAction::kSwallow:
        return TRUE;
      case KeyAction::kPass:
        return FALSE;
    }
    return FALSE;
  }

  static gboolean OnUserMessage(WebKitWebView* view, WebKitUserMessage* message, WebKitEngine* self) {
    const char* name = webkit_user_message_get_name(message);
    GVariant* parameters = webkit_user_message_get_parameters(message);
    if (g_strcmp0(name, kRequestMessage) == 0 && parameters && g_variant_is_of_type(parameters, G_VARIANT_TYPE(kRequestParameters))) {
      const char *uid, *key, *action, *args;
      g_variant_get(parameters, "(&s&s&s&s)", &uid, &key, &action, &args);
      self->handler_.OnRequest(uid, key, action, base2::Utf8ToUtf16(args));
      return TRUE;
    }
    if (g_strcmp0(name, kOpenFileMessage) == 0 && parameters && g_variant_is_of_type(parameters, G_VARIANT_TYPE(kOpenFileParameters))) {
      const char* uid;
      g_variant_get(parameters, "(&s)", &uid);
      self->RunOpenDialog(view, uid);
      return TRUE;
    }
    return FALSE;
  }

  // "Open", one existing .zip file; the first chosen path goes back to the
  // page that asked, nothing on cancel.
  void RunOpenDialog(WebKitWebView* view, const std::string& uid) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new("Open", GTK_WINDOW(gtk_widget_get_toplevel(GTK_WIDGET(view))),
                                                    GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel", GTK_RESPONSE_CANCEL,
                                                    "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, ".zip");
    gtk_file_filter_add_pattern(filter, "*.zip");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), filter);
    auto* request = new OpenRequest{this, view, uid};
    g_object_ref(view);
    g_signal_connect_data(dialog, "response", G_CALLBACK(&OnOpenDialogResponse), request,
                          [](gpointer data, GClosure*) {
                            auto* done = static_cast<OpenRequest*>(data);
                            g_object_unref(done->view);
                            delete done;
                          },
                          GConnectFlags(0));
    gtk_widget_show(dialog);
  }

  struct OpenRequest {
    WebKitEngine* engine;
    WebKitWebView* view;
    std::string uid;
  };

  static void OnOpenDialogResponse(GtkDialog* dialog, gint response, OpenRequest* request) {
    gchar* path = response == GTK_RESPONSE_ACCEPT ? gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)) : nullptr;
    if (path) {
      // The dialog may have moved the current folder; relative paths count on it.
      if (chdir(request->engine->handler_.exe_dir().c_str()) == 0) {
        request->engine->SendTo(request->view, request->uid, path);
      }
      g_free(path);
    }
    gtk_widget_destroy(GTK_WIDGET(dialog));
  }

  // Downloads: a save dialog proposing the documents folder and the
  // suggested name; "下载完成！" when the file is complete.
  static void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, WebKitEngine* self) {
    g_signal_connect(download, "decide-destination", G_CALLBACK(&OnDecideDestination), self);
    g_signal_connect(download, "failed", G_CALLBACK(+[](WebKitDownload* d, GError*, gpointer) {
                       g_object_set_data(G_OBJECT(d), "qor-failed", GINT_TO_POINTER(1));
                     }),
                     nullptr);
    g_signal_connect(download, "finished", G_CALLBACK(&OnDownloadFinished), self);
  }

  static gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested_name, WebKitEngine* self) {
    const char* documents = g_get_user_special_dir(G_USER_DIRECTORY_DOCUMENTS);
    std::string proposed = ProposedDownloadPath(documents ? documents : "", suggested_name ? suggested_name : "");
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new(nullptr, self->parent_ ? GTK_WINDOW(self->parent_) : nullptr,
                                    GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel", GTK_RESPONSE_CANCEL, "_Save",
                                    GTK_RESPONSE_ACCEPT, nullptr);
    if (!proposed.empty()) {
      gchar* folder = g_path_get_dirname(proposed.c_str());
      gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), folder);
      g_free(folder);
    }
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(dialog), suggested_name ? suggested_name : "");
    gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    gchar* uri = response == GTK_RESPONSE_ACCEPT ? gtk_file_chooser_get_uri(GTK_FILE_CHOOSER(dialog)) : nullptr;
    gtk_widget_destroy(dialog);
    if (uri) {
      webkit_download_set_destination(download, uri);
      g_free(uri);
    } else {
      webkit_download_cancel(download);
    }
    return TRUE;
  }

  static void OnDownloadFinished(WebKitDownload* download, WebKitEngine* self) {
    if (g_object_get_data(G_OBJECT(download), "qor-failed")) return;
    GtkWidget* box = gtk_message_dialog_new(self->parent_ ? GTK_WINDOW(self->parent_) : nullptr,
                                            GTK_DIALOG_DESTROY_WITH_PARENT, GTK_MESSAGE_INFO, GTK_BUTTONS_OK,
                                            "下载完成！");
    gtk_window_set_title(GTK_WINDOW(box), "文件下载");
    g_signal_connect(box, "response", G_CALLBACK(gtk_widget_destroy), nullptr);
    gtk_widget_show(box);
  }

  ClientHandler& handler_;
  WebKitWebContext* context_ = nullptr;
  WebKitSettings* settings_ = nullptr;
  GtkWidget* parent_ = nullptr;
  GtkWidget* host_ = nullptr;
  GMainLoop* loop_ = nullptr;
  bool started_ = false;
  std::map<int, Browser> views_;
  int next_id_ = 1;
};

WebKitEngine* WebKitEngine::instance_ = nullptr;

}  // namespace

std::unique_ptr<BrowserEngine> CreateBrowserEngine(ClientHandler& handler) {
  return std::make_unique<WebKitEngine>(handler);
}

WebKitEngineAccess* WebKitEngineAccess::Get() { return WebKitEngine::instance_; }

}  // namespace Adapter
}  // namespace Qor
