#include "shell/shell.h"

#include "base2/file_path.h"
#include "base2/logging.h"
#include "base2/text_convert.h"
#include "platform/instance_counter.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/process_launch.h"
#include "shell/shell_upgrade.h"
#include "shell/shell_utils.h"

namespace shell {
namespace {

constexpr char kBannerRule[] = "=============================================";

void WriteBanner(const char* title) {
  LOG(INFO) << kBannerRule;
  LOG(INFO) << title;
  LOG(INFO) << "==========processID: " << platform::CurrentProcessId() << "====================";
  LOG(INFO) << kBannerRule;
}

}  // namespace

void StartLog(const std::string& exe_dir, const std::tm& date) {
  logging::InitLogging(logging::DailyLogFileName(exe_dir, date));
  logging::SetMinLogLevel(logging::LOG_INFO);
  WriteBanner("==========shell.log starting=================");
}

void StartLog() { StartLog(platform::ExecutableDir(), platform::LocalTime(std::time(nullptr))); }

void EndLog() {
  WriteBanner("==========shell.log ending===================");
  logging::CloseLogFile();
}

void RunUpdateCheck(const std::string& exe_dir, const std::string& auto_upgrade) {
  if (auto_upgrade != "0" || platform::InstanceCount() != 0) return;
  std::string upgrade_dir = base2::JoinPath(exe_dir, "upgrade");
  std::string probe = base2::JoinPath(upgrade_dir, std::string("ApplyUpdate") + platform::kExecutableSuffix);
  std::string updater = base2::JoinPath(upgrade_dir, std::string("UPD") + platform::kExecutableSuffix);
  unsigned long code = shellupgrade::WinExecAndWait32_Process(probe);
  if (code == 0) {
    LOG(INFO) << "【shell::upgrade】检测未发现有需要的更新！";
  } else if (code == 1 || code == 2) {
    LOG(INFO) << "【shell::upgrade】检测发现有需要的更新，启动更新程序!";
    unsigned started = platform::StartDetached(updater);
    LOG(INFO) << "【shell::upgrade】启动UPD.exe，返回码：" << started;
  } else {
    LOG(WARNING) << "【shell::upgrade】获取最新版本信息失败，请检查网络连接和配置信息！";
  }
}

void RunTempCleanup(const std::string& exe_dir, const std::string& clear_temp) {
  if (clear_temp != "1" || platform::InstanceCount() != 0) return;
  ShellUtils::GetInstance().DeleteDirectory(base2::Utf8ToSystem(base2::JoinPath(exe_dir, "temp")));
}

}  // namespace shell
