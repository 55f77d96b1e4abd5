#include "shell/shell_main.h"

#include <optional>
#include <string>
#include <vector>

#include "adapter/qor_adapter.h"
#include "base2/logging.h"
#include "core/qor_core.h"
#include "platform/command_line.h"
#include "platform/instance_counter.h"
#include "platform/paths.h"
#include "shell/crash_handler.h"
#include "shell/main_window.h"
#include "shell/shell.h"
#include "shell/shell_settings.h"
#include "shell/startup_options.h"

namespace shell {
namespace {

void NothingToDo() {}

}  // namespace

int RunShell(void* instance, int show_command) {
  InstallCrashFilter();
  LockCrashFilter();
  StartLog();
  const ShellSettings& settings = Settings();
  std::string exe_dir = platform::ExecutableDir();
  RunUpdateCheck(exe_dir, settings.AutoUpgrade());
  RunTempCleanup(exe_dir, settings.ClearTemp());

  std::optional<std::vector<std::u16string>> arguments = platform::CommandLineArguments();
  if (!arguments) {
    LOG(ERROR) << "【shell::GetCommandLine】Unable to parse command line";
    arguments.emplace();
  }
  if (SingleInstanceTest(*arguments, settings.MultiApp()) == 1) return 1;
  std::string options = BuildStartupOptions(*arguments, settings.ShowDevTools());
  if (Qor::Adapter::Initialize(options.c_str(), instance) <= 0) return 1;
  arguments.reset();

  if (Qor::Adapter::AdapterExists()) {
    Qor::Adapter::SetUnInitCompleted(&NothingToDo);
    Qor::Adapter::SetOnNotify(&Qor::Core::HandleRequest);
  }
  RegisterMainWindowClass(instance);
  if (!CreateMainWindow(instance, show_command)) return 0;
  Qor::Core::StartCore();
  Qor::Core::SetResponseHook(&Qor::Adapter::DeliverResponse);
  PostShellStart();
  platform::RaiseInstanceCount();
  ListenForRestoreRequests();
  RunMainLoop();

  Qor::Core::StopCore();
  Qor::Adapter::UnInitialize();
  EndLog();
  platform::LowerInstanceCount();
  return 1;
}

}  // namespace shell
