#include "core/qor_core_pln_manager.h"

#include <condition_variable>
#include <memory>

#include "base2/logging.h"
#include "base2/text_convert.h"
#include "core/exception.h"

namespace Qor {
namespace Core {
namespace {

// A missing export: one error line with the system's code, then the exception.
[[noreturn]] void ThrowMissingExport(const char* name) {
  unsigned long code = platform::LastErrorCode();
  LOG(ERROR) << name << " Fail:" << code;
  throw base::InternalErrorException(std::string(name) + " 未找到.");
}

// Every call owns a 16 MiB answer buffer while it runs. A 32-bit process has
// 2 GiB of address space, and the thread pool runs hundreds of calls at once
// under load; past this many buffers a call waits for one to come free
// instead of failing for want of address space.
constexpr size_t kMaxAnswerBuffers = sizeof(void*) >= 8 ? 1024 : 48;

class AnswerBuffer {
 public:
  AnswerBuffer() {
    std::unique_lock<std::mutex> hold(lock_);
    freed_.wait(hold, [] { return in_use_ < kMaxAnswerBuffers; });
    ++in_use_;
    hold.unlock();
    try {
      // Not initialised: only the pages the module writes become resident.
      units_.reset(new PlnChar[kAnswerBufferUnits]);
    } catch (...) {
      Release();
      throw;
    }
  }
  ~AnswerBuffer() {
    units_.reset();
    Release();
  }
  PlnChar* get() { return units_.get(); }

 private:
  static void Release() {
    std::lock_guard<std::mutex> hold(lock_);
    --in_use_;
    freed_.notify_one();
  }

  static inline std::mutex lock_;
  static inline std::condition_variable freed_;
  static inline size_t in_use_ = 0;
  std::unique_ptr<PlnChar[]> units_;
};

}  // namespace

void PluginModule::Load() {
  library_ = platform::NativeLibrary::Load(path_);
  if (!library_) {
    throw base::InternalErrorException("Could not load dynamic library " + base2::SystemToUtf8(path_) +
                                       ".  System Error: " + platform::GetSystemErrorText());
  }
}

QorCorePlnManager& QorCorePlnManager::GetInstance() {
  static QorCorePlnManager* instance = new QorCorePlnManager;
  return *instance;
}

PluginModule& QorCorePlnManager::LoadPlugin(const std::string& path) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  auto found = modules_.find(path);
  if (found != modules_.end()) return *found->second;

  auto module = std::make_unique<PluginModule>(path);
  module->Load();
  auto init = reinterpret_cast<PlnInitiliazeFunc>(module->GetFunction(SYMBOL_INIT));
  if (!init) ThrowMissingExport("SYMBOL_INIT");
  init();
  auto set_param = reinterpret_cast<PlnSetParamFunc>(module->GetFunction(SYMBOL_SETPARAM));
  if (!set_param) ThrowMissingExport("SYMBOL_SETPARAM");
  set_param(kParamLog, reinterpret_cast<intptr_t>(&HostLog));
  set_param(kParamWLog, reinterpret_cast<intptr_t>(&HostWLog));
  set_param(kParamExecCallback, reinterpret_cast<intptr_t>(&HostExecCallback));
  return *modules_.emplace(path, std::move(module)).first->second;
}

std::u16string QorCorePlnManager::CallPlugin(const std::string& path, const std::string& action_key,
                                             const std::u16string& args) {
  PluginModule& module = LoadPlugin(path);
  auto process = reinterpret_cast<PlnOnProcessMessageFunc>(module.GetFunction(SYMBOL_PROCMESSAGE));
  if (!process) {
    // The module stays recorded; the export is looked up again next time.
    unsigned long code = platform::LastErrorCode();
    LOG(ERROR) << "SYMBOL_PROCMESSAGE Fail:" << code;
    throw base::InternalErrorException("SYMBOL_PROCMESSAGE 未找到.");
  }
  AnswerBuffer buffer;
  int32_t answer_bytes = 0;
  process(action_key.c_str(), args.c_str(), buffer.get(), &answer_bytes);
  // The length the module reported ends the answer, whatever it wrote.
  size_t end = answer_bytes > 0 ? static_cast<size_t>(answer_bytes) / sizeof(PlnChar) : 0;
  if (end > kMaxAnswerUnits) end = kMaxAnswerUnits;
  buffer.get()[end] = u'\0';
  return std::u16string(buffer.get());
}

void QorCorePlnManager::SetNotificationSink(NotificationSink sink) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  sink_ = sink;
}

void PLN_CALL QorCorePlnManager::HostLog(int level, const char* text) {
  logging::WriteLogLine(__FILE__, __LINE__, logging::SeverityFromLevel(level), text ? text : "");
}

void PLN_CALL QorCorePlnManager::HostWLog(int level, const PlnChar* text) {
  try {
    logging::WriteLogLine(__FILE__, __LINE__, logging::SeverityFromLevel(level),
                          base2::Utf8ToSystem(base2::Utf16ToUtf8(text ? text : u"")));
  } catch (...) {
    // Nothing may cross back into the module.
  }
}

void PLN_CALL QorCorePlnManager::HostExecCallback(const char* uid, const PlnChar* text) {
  QorCorePlnManager& manager = GetInstance();
  std::lock_guard<std::recursive_mutex> hold(manager.lock_);
  try {
    if (manager.sink_) manager.sink_(uid ? uid : "", text ? text : u"");
  } catch (...) {
    // Nothing may cross back into the module.
  }
}

}  // namespace Core
}  // namespace Qor
