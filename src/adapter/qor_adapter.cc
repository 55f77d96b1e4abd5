#include "adapter/qor_adapter.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "adapter/browser_engine.h"
#include "adapter/client_handler.h"
#include "base2/logging.h"
#include "base2/text_convert.h"
#include "platform/command_line.h"
#include "platform/paths.h"
#include "shell/shell_settings.h"
#include "shell/startup_options.h"

namespace Qor {
namespace Adapter {
namespace {

struct QorAdapter {
  UnInitCompletedFunc UnInitCompleted = nullptr;
  RequestForwarderFunc RequestForwarder = nullptr;
  std::unique_ptr<ClientHandler> handler;
  std::unique_ptr<BrowserEngine> engine;
};

std::mutex& AdapterLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

// Written under AdapterLock; read by SendResponse from any thread.
std::atomic<QorAdapter*> g_adapter{nullptr};
std::atomic<OnNotifyFunc> g_on_notify{nullptr};

bool IsSubProcess() {
  auto arguments = platform::CommandLineArguments();
  return arguments && shell::SubProcessTest(*arguments) == 0;
}

}  // namespace

int Initialize(const char* startup_options, void*) {
  std::lock_guard<std::mutex> hold(AdapterLock());
  if (g_adapter.load()) return 1;  // a second call finds the adapter made
  // The engine starts helper processes of its own, never this executable:
  // a process started as a sub-process has nothing left to do.
  if (IsSubProcess()) return -1;
  auto* adapter = new QorAdapter;
  std::string exe_dir = platform::ExecutableDir();
  adapter->handler = std::make_unique<ClientHandler>(exe_dir, shell::Settings().ShowDevTools());
  adapter->engine = CreateBrowserEngine(*adapter->handler);
  adapter->engine->Start(SettingsFor(exe_dir), startup_options ? startup_options : "");
  g_adapter.store(adapter);
  return 1;
}

bool AdapterExists() { return g_adapter.load() != nullptr; }

void SetOnNotify(OnNotifyFunc hook) {
  g_on_notify.store(hook);
  if (QorAdapter* adapter = g_adapter.load()) {
    adapter->RequestForwarder = &ForwardRequest;
    adapter->handler->SetRequestForwarder(adapter->RequestForwarder);
  }
}

void SetUnInitCompleted(UnInitCompletedFunc hook) {
  if (QorAdapter* adapter = g_adapter.load()) adapter->UnInitCompleted = hook;
}

void CreateMainBrowser(void* parent_window, const char* url) {
  QorAdapter* adapter = g_adapter.load();
  if (!adapter) return;
  adapter->engine->CreateMainBrowser(parent_window, base2::SystemToUtf8(url ? url : ""));
  LOG(INFO) << "【QorAdapter::CreateMainBrowser】已创建浏览器主窗口!";
}

void RunMessageLoop() {
  QorAdapter* adapter = g_adapter.load();
  if (!adapter) return;
  LOG(INFO) << "【QorAdapter::RunMessageLoop】开启CefMessageLoop.";
  adapter->engine->RunMessageLoop();
}

int UnInitialize() {
  std::lock_guard<std::mutex> hold(AdapterLock());
  QorAdapter* adapter = g_adapter.load();
  if (!adapter) return 1;
  g_on_notify.store(nullptr);
  adapter->engine->CloseBrowsers();
  adapter->engine->Shutdown();
  if (adapter->UnInitCompleted) adapter->UnInitCompleted();
  LOG(INFO) << "QorAdapter.UnInitialize 执行了.";
  g_adapter.store(nullptr);
  // Responses may still be on their way on pool threads; the engine they
  // would reach is gone, so the record itself is kept (it is small).
  adapter->engine.release();
  adapter->handler.release();
  return 1;
}

void* HostWindow() {
  QorAdapter* adapter = g_adapter.load();
  return adapter ? adapter->engine->HostWindow() : nullptr;
}

int SendResponse(const char* uid, const PlnChar* text) {
  QorAdapter* adapter = g_adapter.load();
  if (!adapter) return 0;
  adapter->engine->SendResponse(uid ? uid : "", text ? text : u"");
  return 1;
}

int DeliverResponse(const char* uid, const PlnChar* text) { return SendResponse(uid, text); }

void ForwardRequest(std::string uid, std::string plugin_key, std::string action_key, std::u16string args) {
  if (OnNotifyFunc hook = g_on_notify.load()) hook(uid.c_str(), plugin_key.c_str(), action_key.c_str(), args.c_str());
}

}  // namespace Adapter
}  // namespace Qor
