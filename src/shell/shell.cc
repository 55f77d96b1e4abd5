#include "shell/shell.h"

#include "base2/logging.h"
#include "platform/paths.h"
#include "platform/process.h"

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

}  // namespace shell
