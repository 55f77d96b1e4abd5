// The bridge end to end on Linux: a real WebKitGTK view under Xvfb, a real
// page, the real core and real modules loaded from the plugins folder.
#include <arpa/inet.h>
#include <gtk/gtk.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "adapter/qor_adapter.h"
#include "adapter/webkit/webkit_engine_posix.h"
#include "base2/file_path.h"
#include "base2/text_convert.h"
#include "core/qor_core.h"
#include "platform/paths.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace Qor {
namespace Adapter {
namespace {

namespace fs = std::filesystem;

constexpr char kPage[] = R"HTML(<!doctype html><meta charset="utf-8"><title>bridge</title>
<input id="field"><script>
window.received = {};
function listen(uid) {
  cef.message.setMessageCallback(uid, function (text) { (received[uid] = received[uid] || []).push(text); return true; });
}
window.ready = true;
</script>)HTML";

// The arguments of each request as the OnNotify hook saw them, by uid.
std::mutex g_requests_lock;
std::map<std::string, std::u16string> g_request_args;

void RecordingHandleRequest(const char* uid, const char* key, const char* action, const PlnChar* args) {
  {
    std::lock_guard<std::mutex> hold(g_requests_lock);
    g_request_args[uid] = args;
  }
  Core::HandleRequest(uid, key, action, args);
}

std::string PageUri(const std::string& name) {
  gchar* uri = g_filename_to_uri(base2::JoinPath(base2::JoinPath(platform::ExecutableDir(), "pages"), name).c_str(),
                                 nullptr, nullptr);
  std::string result = uri;
  g_free(uri);
  return result;
}

class BridgeTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string exe_dir = platform::ExecutableDir();
    fs::create_directories(fs::u8path(base2::JoinPath(exe_dir, "pages")));
    fs::create_directories(fs::u8path(base2::JoinPath(exe_dir, "packages/defaultpage")));
    testsupport::WriteFile(base2::JoinPath(exe_dir, "pages/bridge.html"), kPage);
    testsupport::WriteFile(base2::JoinPath(exe_dir, "pages/other.html"), kPage);
    testsupport::WriteFile(base2::JoinPath(exe_dir, "packages/app.json"), R"({"name":"test"})");
    testsupport::WriteFile(base2::JoinPath(exe_dir, "packages/defaultpage/loaderror.html"),
                           "<!doctype html><title>error</title><script>window.ready = true;</script>");
    // A documents folder of the test's own, before GLib reads the user folders.
    static testsupport::TempDir* home = new testsupport::TempDir;
    fs::create_directories(fs::u8path(home->Child("Documents")));
    testsupport::WriteFile(home->Child("user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"" + home->Child("Documents") + "\"\n");
    setenv("XDG_CONFIG_HOME", home->path().c_str(), 1);
    documents_ = home->Child("Documents");
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "needs a display";
    ASSERT_EQ(Initialize(R"({"ShowDevTools":"1","lang":"zh"})", nullptr), 1);
    SetOnNotify(&RecordingHandleRequest);
    Core::StartCore();
    Core::SetResponseHook(&DeliverResponse);
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window_), 800, 600);
    gtk_widget_show(window_);
    CreateMainBrowser(window_, base2::JoinPath(base2::JoinPath(exe_dir, "pages"), "bridge.html").c_str());
    ASSERT_TRUE(WaitFor("window.ready === true"));  // the first page, before any test loads another
  }

  void SetUp() override { Open("bridge.html"); }

  static WebKitWebView* View() { return WebKitEngineAccess::Get()->MainView(); }

  // Loads a test page and waits until its script has run.
  static void Open(const std::string& name) {
    Eval("window.ready = false");  // the old document must not pass for the new one
    webkit_web_view_load_uri(View(), PageUri(name).c_str());
    ASSERT_TRUE(WaitFor("window.ready === true && location.href.endsWith('" + name + "')"));
  }

  // The JSON of what `script` evaluates to in the main page.
  static std::string Eval(const std::string& script) {
    struct State {
      bool done = false;
      std::string json;
    } state;
    webkit_web_view_evaluate_javascript(
        View(), script.c_str(), -1, nullptr, nullptr, nullptr,
        [](GObject* view, GAsyncResult* result, gpointer data) {
          auto* state = static_cast<State*>(data);
          JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, nullptr);
          if (value) {
            gchar* json = jsc_value_to_json(value, 0);
            state->json = json ? json : "undefined";
            g_free(json);
            g_object_unref(value);
          } else {
            state->json = "<error>";
          }
          state->done = true;
        },
        &state);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!state.done && std::chrono::steady_clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
    return state.json;
  }

  // Runs the main loop until `condition` (a script) is true.
  static bool WaitFor(const std::string& condition, int timeout_ms = 20000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
      if (Eval("!!(" + condition + ")") == "true") return true;
      for (int i = 0; i < 20 && g_main_context_iteration(nullptr, FALSE); ++i) {
      }
    }
    return false;
  }

  static void Spin(int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
      g_main_context_iteration(nullptr, FALSE);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  static std::u16string RequestArgs(const std::string& uid) {
    std::lock_guard<std::mutex> hold(g_requests_lock);
    return g_request_args.count(uid) ? g_request_args[uid] : u"<none>";
  }

  static GtkWidget* window_;
  static std::string documents_;
};

GtkWidget* BridgeTest::window_ = nullptr;
std::string BridgeTest::documents_;

TEST_F(BridgeTest, RoundTripThroughTheCore) {
  Eval("listen('rt'); cef.message.sendMessage('rt', 'echo', 'echo', '{\"a\":1}')");
  ASSERT_TRUE(WaitFor("received.rt"));
  EXPECT_EQ(Eval("received.rt"), R"(["{\"a\":1}"])");
  EXPECT_EQ(Eval("typeof cef.fs + typeof cef.message.createGuid()"), "\"objectstring\"");
  EXPECT_EQ(Eval("/^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$/.test(cef.message.createGuid())"), "true");
  EXPECT_EQ(Eval("cef.message.getExePath()"), "\"" + platform::ExecutableDir() + "\"");
  EXPECT_EQ(Eval("cef.message.getAppConfig()"), R"("{\"ShowDevTools\":\"1\",\"lang\":\"zh\",\"name\":\"test\"}")");
}

TEST_F(BridgeTest, RegistrationRules) {
  Eval("listen('two'); cef.message.setMessageCallback('dup', function (t) { (received.dup = received.dup || []).push('first ' + t); });"
       "cef.message.setMessageCallback('dup', function (t) { (received.dup = received.dup || []).push('second ' + t); });"
       "listen('rm'); cef.message.removeMessageCallback('rm'); listen('barrier')");
  DeliverResponse("two", u"one");
  DeliverResponse("two", u"two");
  DeliverResponse("dup", u"x");
  DeliverResponse("rm", u"x");
  DeliverResponse("barrier", u"x");
  ASSERT_TRUE(WaitFor("received.barrier"));
  EXPECT_EQ(Eval("received.two"), R"(["one","two"])");
  EXPECT_EQ(Eval("received.dup"), R"(["first x"])");
  EXPECT_EQ(Eval("received.rm === undefined"), "true");
}

TEST_F(BridgeTest, ArgumentsReachTheHookUnchanged) {
  Eval("listen('obj'); cef.message.sendMessage('obj', 'echo', 'echo', {a: 1});"
       "listen('na'); cef.message.sendMessage('na', 'echo', 'echo', '考试 😀 é');"
       "cef.message.sendMessage('short', 'echo', 'echo')");
  ASSERT_TRUE(WaitFor("received.obj && received.na"));
  EXPECT_EQ(RequestArgs("obj"), u"");
  EXPECT_EQ(RequestArgs("na"), u"考试 😀 é");
  EXPECT_EQ(Eval("received.na[0] === '考试 😀 é' && received.obj[0] === ''"), "true");
}

TEST_F(BridgeTest, AnswersArriveWhole) {
  std::u16string big;
  for (int i = 0; i < 1024 * 1024; ++i) big += static_cast<char16_t>(u'a' + i % 26);
  Eval("listen('empty'); listen('big')");
  DeliverResponse("empty", u"");
  DeliverResponse("big", big.c_str());
  ASSERT_TRUE(WaitFor("received.big"));
  EXPECT_EQ(Eval("received.empty"), R"([""])");
  EXPECT_EQ(Eval("received.big[0].length === 1048576 && received.big[0] === "
                 "Array.from({length: 1048576}, (_, i) => String.fromCharCode(97 + i % 26)).join('')"),
            "true");
}

TEST_F(BridgeTest, AnswersFromEightThreadsAllArrive) {
  Eval("listen('many')");
  std::vector<std::thread> senders;
  for (int t = 0; t < 8; ++t) {
    senders.emplace_back([t] {
      for (int i = 0; i < 100; ++i) {
        DeliverResponse("many", base2::Utf8ToUtf16(std::to_string(t) + "-" + std::to_string(i)).c_str());
      }
    });
  }
  for (std::thread& sender : senders) sender.join();
  ASSERT_TRUE(WaitFor("received.many && received.many.length >= 800"));
  EXPECT_EQ(Eval("new Set(received.many).size"), "800");
}

TEST_F(BridgeTest, NavigationDropsTheOldPagesCallbacks) {
  Eval("listen('nav')");
  Open("other.html");
  // Were the old record still there, this registration would be ignored.
  Eval("listen('nav')");
  DeliverResponse("nav", u"after");
  ASSERT_TRUE(WaitFor("received.nav"));
  EXPECT_EQ(Eval("received.nav"), R"(["after"])");
}

GtkWidget* FindOpenDialog() {
  GList* windows = gtk_window_list_toplevels();
  GtkWidget* found = nullptr;
  for (GList* item = windows; item; item = item->next) {
    if (GTK_IS_FILE_CHOOSER_DIALOG(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data))) {
      found = GTK_WIDGET(item->data);
    }
  }
  g_list_free(windows);
  return found;
}

GtkWidget* WaitForOpenDialog() {
  for (int i = 0; i < 400; ++i) {
    if (GtkWidget* dialog = FindOpenDialog()) return dialog;
    g_main_context_iteration(nullptr, FALSE);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

TEST_F(BridgeTest, OpenFileChosenAndCancelled) {
  testsupport::TempDir dir;
  std::string zip = dir.Child("package.zip");
  testsupport::WriteFile(zip, "PK");
  Eval("cef.message.openFileCallback('of', function (p) { (received.of = received.of || []).push(p); });"
       "cef.message.openFile('of', 'ignored', 'ignored', 'ignored')");
  GtkWidget* dialog = WaitForOpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog)), "Open");
  EXPECT_STREQ(gtk_file_filter_get_name(gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(dialog))), ".zip");
  gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(dialog), zip.c_str());
  for (int i = 0; i < 200 && !gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)); ++i) Spin(10);
  gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  ASSERT_TRUE(WaitFor("received.of"));
  EXPECT_EQ(Eval("received.of"), "[\"" + zip + "\"]");
  EXPECT_EQ(fs::current_path().u8string(), platform::ExecutableDir());

  Eval("cef.message.openFileCallback('cancelled', function (p) { received.cancelled = p; });"
       "cef.message.openFile('cancelled'); listen('barrier2')");
  dialog = WaitForOpenDialog();
  ASSERT_NE(dialog, nullptr);
  gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
  DeliverResponse("barrier2", u"x");
  ASSERT_TRUE(WaitFor("received.barrier2"));
  Spin(200);
  EXPECT_EQ(Eval("received.cancelled === undefined"), "true");
}

// A server on loopback that accepts and never answers; once closed, its
// port refuses connections.
class SilentServer {
 public:
  SilentServer() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t length = sizeof(address);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(fd_, 8);
  }
  ~SilentServer() { Close(); }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  int fd() const { return fd_; }

 private:
  int fd_;
  int port_;
};

TEST_F(BridgeTest, LoadErrorsShowTheErrorPageUnlessAborted) {
  testsupport::LogCapture log;
  SilentServer closed;
  closed.Close();
  std::string unreachable = closed.Url("/unreachable");
  webkit_web_view_load_uri(View(), unreachable.c_str());
  ASSERT_TRUE(WaitFor("location.href.endsWith('packages/defaultpage/loaderror.html')"));
  EXPECT_TRUE(log.Contains("] failedUrl:" + unreachable + "\n")) << log.Contents();
  EXPECT_TRUE(log.Contains(":INFO:client_handler(")) << log.Contents();

  testsupport::LogCapture aborted_log;
  SilentServer server;
  std::string slow = server.Url("/slow");
  webkit_web_view_load_uri(View(), slow.c_str());
  Spin(300);
  Open("bridge.html");  // replaces the load that is still waiting
  Spin(300);
  EXPECT_TRUE(aborted_log.Contains("] failedUrl:" + slow + "\n")) << aborted_log.Contents();
  EXPECT_EQ(Eval("location.href.endsWith('bridge.html')"), "true");
}

// Serves one file as a download on loopback, once.
class DownloadServer {
 public:
  DownloadServer() : server_() {
    thread_ = std::thread([this] {
      int client = accept(fd(), nullptr, nullptr);
      if (client < 0) return;
      char request[2048];
      ssize_t ignored = read(client, request, sizeof(request));
      const char reply[] =
          "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
          "Content-Disposition: attachment; filename=\"a.txt\"\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello";
      ignored = write(client, reply, sizeof(reply) - 1);
      (void)ignored;
      close(client);
    });
  }
  ~DownloadServer() {
    server_.Close();
    thread_.join();
  }
  int fd() const { return server_.fd(); }
  std::string Url() const { return server_.Url("/a.txt"); }

 private:
  SilentServer server_;
  std::thread thread_;
};

GtkWidget* FindToplevel(GType type, const char* title) {
  GList* windows = gtk_window_list_toplevels();
  GtkWidget* found = nullptr;
  for (GList* item = windows; item; item = item->next) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(item->data, type) && gtk_widget_get_visible(GTK_WIDGET(item->data)) &&
        (!title || g_strcmp0(gtk_window_get_title(GTK_WINDOW(item->data)), title) == 0)) {
      found = GTK_WIDGET(item->data);
    }
  }
  g_list_free(windows);
  return found;
}

TEST_F(BridgeTest, DownloadProposesTheDocumentsFolderAndReportsCompletion) {
  DownloadServer server;
  struct Seen {
    std::string folder;
    std::string name;
  } seen;
  // The save dialog runs its own loop: answer it from a timer.
  g_timeout_add(100, [](gpointer data) -> gboolean {
    GtkWidget* dialog = FindToplevel(GTK_TYPE_FILE_CHOOSER_DIALOG, nullptr);
    if (!dialog) return G_SOURCE_CONTINUE;
    auto* seen = static_cast<Seen*>(data);
    gchar* folder = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(dialog));
    gchar* name = gtk_file_chooser_get_current_name(GTK_FILE_CHOOSER(dialog));
    seen->folder = folder ? folder : "";
    seen->name = name ? name : "";
    g_free(folder);
    g_free(name);
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    return G_SOURCE_REMOVE;
  }, &seen);
  webkit_web_view_load_uri(View(), server.Url().c_str());
  GtkWidget* done = nullptr;
  for (int i = 0; i < 300 && !(done = FindToplevel(GTK_TYPE_MESSAGE_DIALOG, "文件下载")); ++i) Spin(50);
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(seen.folder, documents_);
  EXPECT_EQ(seen.name, "a.txt");
  EXPECT_EQ(testsupport::ReadFile(base2::JoinPath(documents_, "a.txt")), "hello");
  gtk_dialog_response(GTK_DIALOG(done), GTK_RESPONSE_OK);
}

int VisibleToplevels() {
  GList* windows = gtk_window_list_toplevels();
  int count = 0;
  for (GList* item = windows; item; item = item->next) count += gtk_widget_get_visible(GTK_WIDGET(item->data)) ? 1 : 0;
  g_list_free(windows);
  return count;
}

TEST_F(BridgeTest, RightClickShowsNoContextMenu) {
  int before = VisibleToplevels();
  GtkWidget* view = GTK_WIDGET(View());
  for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(view)));
    event->button.button = 3;
    event->button.x = 50;
    event->button.y = 50;
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_widget_event(view, event);
    gdk_event_free(event);
  }
  Spin(800);
  EXPECT_EQ(VisibleToplevels(), before);
}

TEST_F(BridgeTest, F5DoesNotReload) {
  Eval("window.marker = 42");
  GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
  event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(View()))));
  event->key.keyval = GDK_KEY_F5;
  event->key.hardware_keycode = 71;
  gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
  gboolean handled = gtk_widget_event(GTK_WIDGET(View()), event);
  gdk_event_free(event);
  EXPECT_TRUE(handled);
  Spin(500);
  EXPECT_EQ(Eval("window.marker"), "42");
}

}  // namespace
}  // namespace Adapter
}  // namespace Qor
