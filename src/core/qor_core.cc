#include "core/qor_core.h"

#include <cstdio>
#include <memory>
#include <mutex>

#include "base2/file_path.h"
#include "base2/logging.h"
#include "base2/text_convert.h"
#include "core/as_task.h"
#include "core/exception.h"
#include "core/qor_core_pln_manager.h"
#include "platform/paths.h"
#include "platform/thread_pool.h"

namespace Qor {
namespace Core {
namespace {

constexpr char16_t kInternalErrorAnswer[] = u"OnTaskAction InteralErr。";
constexpr char16_t kOtherErrorAnswer[] = u"OnTaskAction other Err。";

std::mutex& CoreLock() {
  static std::mutex* lock = new std::mutex;
  return *lock;
}

std::atomic<ResponseHook> g_response_hook{nullptr};

// A key as it may safely stand in a log line: control characters escaped.
std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void RunQueuedTask(void* task) { RunTask(static_cast<base::AsTask*>(task)); }

}  // namespace

QorCore& QorCore::GetInstance() {
  static QorCore* instance = new QorCore;
  return *instance;
}

QorCore::QorCore() {
  std::lock_guard<std::mutex> hold(CoreLock());
  plugin_folder_ = base2::Utf8ToSystem(base2::JoinPath(platform::ExecutableDir(), "plugins"));
}

std::string QorCore::ModulePath(const std::string& plugin_key) const {
  return base2::JoinPath(plugin_folder_, plugin_key + ".pln");
}

bool IsAcceptablePluginKey(const std::string& plugin_key) {
  if (plugin_key.empty() || plugin_key.find("..") != std::string::npos) return false;
  for (unsigned char c : plugin_key) {
    if (c == '/' || c == '\\' || c == ':' || c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

void QorCore::AsyncNotify(std::string uid, std::string plugin_key, std::string action_key, std::u16string args) {
  using Task = base::AsTaskFactory::InnerTask3<std::string, std::string, std::string, std::u16string>;
  Task::Callable callable;
  std::string target;
  if (IsAcceptablePluginKey(plugin_key)) {
    target = ModulePath(plugin_key);
    callable = [this](std::string u, std::string path, std::string action, std::u16string a) {
      OnTaskAction(std::move(u), std::move(path), std::move(action), std::move(a));
    };
  } else {
    // Nothing is loaded for a key that is not a plain file name.
    target = plugin_key;
    callable = [this](std::string u, std::string key, std::string, std::u16string) { OnRefusedKey(u, key); };
  }
  std::unique_ptr<base::AsTask> task = base::AsTaskFactory::Create<std::string, std::string, std::string,
                                                                   std::u16string>(
      std::move(callable), std::move(uid), std::move(target), std::move(action_key), std::move(args));
  if (platform::QueueWork(&RunQueuedTask, task.get())) task.release();
}

std::u16string QorCore::SynNotify(std::string, std::string plugin_key, std::string action_key,
                                  std::u16string args) {
  std::u16string answer;
  try {
    if (!IsAcceptablePluginKey(plugin_key)) {
      throw base::InternalErrorException("Refused plug-in key: " + Printable(plugin_key));
    }
    answer = QorCorePlnManager::GetInstance().CallPlugin(ModulePath(plugin_key), action_key, args);
  } catch (...) {
    LOG(ERROR) << "QorCore::SynNotify 调用出错。";
  }
  return answer;
}

void QorCore::OnTaskAction(std::string uid, std::string path, std::string action_key, std::u16string args) {
  try {
    std::u16string answer = QorCorePlnManager::GetInstance().CallPlugin(path, action_key, args);
    if (ResultSink sink = result_sink_) sink(uid, answer);
  } catch (const base::InternalErrorException& error) {
    LOG(ERROR) << "QorCore::OnTaskAction interalErr:" << error.what();
    if (ResultSink sink = result_sink_) sink(uid, kInternalErrorAnswer);
  } catch (...) {
    LOG(ERROR) << "QorCore::OnTaskAction other Err。" << "msgId:" << uid << ", pluginkey: "
               << base2::SystemToUtf8(path) << ", actionKey" << action_key;
    if (ResultSink sink = result_sink_) sink(uid, kOtherErrorAnswer);
  }
}

void QorCore::OnRefusedKey(const std::string& uid, const std::string& plugin_key) {
  LOG(ERROR) << "QorCore::OnTaskAction interalErr:Refused plug-in key: " << Printable(plugin_key);
  if (ResultSink sink = result_sink_) sink(uid, kInternalErrorAnswer);
}

int StartCore() {
  QorCore& core = QorCore::GetInstance();
  std::lock_guard<std::mutex> hold(CoreLock());
  core.result_sink_ = &ForwardResult;
  core.stopped_ = false;
  QorCorePlnManager::GetInstance().SetNotificationSink(&ForwardResult);
  return 1;
}

int StopCore() {
  {
    QorCore& core = QorCore::GetInstance();
    std::lock_guard<std::mutex> hold(CoreLock());
    if (!core.stopped_) {
      core.stopped_ = true;
      core.result_sink_ = nullptr;
    }
  }
  SetResponseHook(nullptr);
  return 1;
}

void HandleRequest(const char* uid, const char* plugin_key, const char* action_key, const PlnChar* args) {
  std::string key = plugin_key ? plugin_key : "";
  std::string action = action_key ? action_key : "";
  if (key == "waveform" && action == "setplayvol") {
    QorCore::GetInstance().SynNotify(uid ? uid : "", key, action, args ? args : u"");
    return;
  }
  QorCore::GetInstance().AsyncNotify(uid ? uid : "", key, action, args ? args : u"");
}

void ForwardResult(const std::string& uid, const std::u16string& answer) {
  if (ResponseHook hook = g_response_hook.load()) hook(uid.c_str(), answer.c_str());
}

void SetResponseHook(ResponseHook hook) { g_response_hook.store(hook); }

int RunTask(base::AsTask* task) {
  task->Run();
  delete task;
  return 0;
}

}  // namespace Core
}  // namespace Qor
