#include "shell/shell_upgrade.h"

#include "base2/logging.h"
#include "platform/process_launch.h"

namespace shellupgrade {

unsigned long WinExecAndWait32_Process(const std::string& path) {
  platform::WaitResult result = platform::RunHiddenAndWait(path);
  if (!result.started) {
    LOG(ERROR) << "【shellupgrade::WinExecAndWait32_Process::CreateProcess】failed, Exit code =" << result.start_error;
    return 0;
  }
  if (!result.exit_code_read) {
    LOG(ERROR) << "【shellupgrade::WinExecAndWait32_Process::GetExitCodeProcess】failed, Exit code ="
               << result.read_error;
    return 0;
  }
  LOG(INFO) << "【shellupgrade::WinExecAndWait32_Process::GetExitCodeProcess】Exit code =" << result.exit_code;
  return result.exit_code;
}

}  // namespace shellupgrade
