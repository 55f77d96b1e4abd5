#ifndef QOR_CORE_QOR_CORE_PLN_MANAGER_H_
#define QOR_CORE_QOR_CORE_PLN_MANAGER_H_

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "common/pln_interface.h"
#include "platform/native_library.h"

namespace Qor {
namespace Core {

// One module file, loaded once and kept until the process ends.
class PluginModule {
 public:
  explicit PluginModule(std::string path) : path_(std::move(path)) {}

  // Throws base::InternalErrorException when the file cannot be loaded.
  void Load();
  void* GetFunction(const char* name) const { return library_ ? library_->GetFunction(name) : nullptr; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;  // narrow system text
  platform::NativeLibrary* library_ = nullptr;
};

// Owns every loaded module: loads a module on first use, binds its exports
// and performs requests on it. Thread-safe: loading is serialised by one
// re-entrant lock, module calls run outside it, in parallel.
class QorCorePlnManager {
 public:
  using NotificationSink = void (*)(const std::string& uid, const std::u16string& text);

  // Created on first use, never destroyed.
  static QorCorePlnManager& GetInstance();

  // The module at `path`, loaded and bound on first use. Throws
  // base::InternalErrorException when that fails; nothing is recorded then.
  PluginModule& LoadPlugin(const std::string& path);

  // Performs one request and returns the module's answer. Throws
  // base::InternalErrorException for load and binding failures; whatever the
  // module itself throws passes through.
  std::u16string CallPlugin(const std::string& path, const std::string& action_key, const std::u16string& args);

  // Where module messages ("EXEC_CALLBACK") go; none until the core starts.
  void SetNotificationSink(NotificationSink sink);

  // The host callbacks every module receives.
  static void PLN_CALL HostLog(int level, const char* text);
  static void PLN_CALL HostWLog(int level, const PlnChar* text);
  static void PLN_CALL HostExecCallback(const char* uid, const PlnChar* text);

 private:
  QorCorePlnManager() = default;
  virtual ~QorCorePlnManager() = default;

  std::recursive_mutex lock_;
  std::map<std::string, std::unique_ptr<PluginModule>> modules_;
  NotificationSink sink_ = nullptr;
};

}  // namespace Core
}  // namespace Qor

#endif  // QOR_CORE_QOR_CORE_PLN_MANAGER_H_
