#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "base2/file_path.h"
#include "base2/text_convert.h"
#include "platform/instance_counter.h"
#include "platform/paths.h"
#include "shell/shell.h"
#include "shell/shell_utils.h"
#include "support/log_capture.h"
#include "support/platform_facts.h"
#include "support/temp_dir.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

const std::string kNoUpdate = "【shell::upgrade】检测未发现有需要的更新！";
const std::string kUpdate = "【shell::upgrade】检测发现有需要的更新，启动更新程序!";
const std::string kUpdaterStarted = "【shell::upgrade】启动UPD.exe，返回码：";
const std::string kProbeFailed = "【shell::upgrade】获取最新版本信息失败，请检查网络连接和配置信息！";
const std::string kExitCode = "【shellupgrade::WinExecAndWait32_Process::GetExitCodeProcess】Exit code =";
const std::string kNotStarted = "【shellupgrade::WinExecAndWait32_Process::CreateProcess】failed, Exit code =";

// A folder laid out like the program's: upgrade/ApplyUpdate and upgrade/UPD
// are the test build's stand-ins.
class UpdateCheckTest : public testing::Test {
 protected:
  void InstallProgram(const std::string& standin, const std::string& name) {
    fs::create_directories(fs::u8path(upgrade_));
    std::string suffix = platform::kExecutableSuffix;
    fs::copy_file(fs::u8path(base2::JoinPath(platform::ExecutableDir(), standin + suffix)),
                  fs::u8path(base2::JoinPath(upgrade_, name + suffix)), fs::copy_options::overwrite_existing);
  }
  void InstallBoth(int exit_code) {
    InstallProgram("standin_probe", "ApplyUpdate");
    InstallProgram("standin_updater", "UPD");
    testsupport::WriteFile(base2::JoinPath(upgrade_, "exit_code.txt"), std::to_string(exit_code));
  }
  bool Exists(const std::string& name) { return fs::exists(fs::u8path(base2::JoinPath(upgrade_, name))); }
  // The updater has been started when the check returns; it writes its mark soon after.
  bool UpdaterStarted(int wait_ms) {
    for (int i = 0; i < wait_ms / 50 && !Exists("updater_started.txt"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Exists("updater_started.txt");
  }

  testsupport::TempDir dir_;
  std::string upgrade_ = dir_.Child("upgrade");
  testsupport::LogCapture log_;
};

TEST_F(UpdateCheckTest, ProbeExitCodesDecide) {
  struct Case {
    int code;
    std::string line;
    bool updater;
  } cases[] = {{0, kNoUpdate, false}, {1, kUpdate, true}, {2, kUpdate, true}, {3, kProbeFailed, false},
               {-1, kProbeFailed, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    testsupport::LogCapture log;
    fs::remove_all(fs::u8path(upgrade_));
    InstallBoth(c.code);
    RunUpdateCheck(dir_.path(), "0");
    EXPECT_TRUE(Exists("probe_ran.txt"));
    EXPECT_TRUE(log.Contains(c.line)) << log.Contents();
    EXPECT_TRUE(log.Contains(kExitCode)) << log.Contents();
    EXPECT_EQ(log.Contains(kUpdaterStarted), c.updater) << log.Contents();
    EXPECT_EQ(UpdaterStarted(c.updater ? 10000 : 500), c.updater);
  }
}

TEST_F(UpdateCheckTest, MissingProbeMeansNoUpdate) {
  RunUpdateCheck(dir_.path(), "0");
  std::string log = log_.Contents();
  ASSERT_NE(log.find(kNotStarted), std::string::npos) << log;
  EXPECT_LT(log.find(kNotStarted), log.find(kNoUpdate)) << log;
}

TEST_F(UpdateCheckTest, RunsOnlyWhenAskedAndFirst) {
  InstallBoth(1);
  RunUpdateCheck(dir_.path(), "1");
  EXPECT_FALSE(Exists("probe_ran.txt"));
  platform::RaiseInstanceCount();  // another copy is in its loop
  RunUpdateCheck(dir_.path(), "0");
  RunTempCleanup(dir_.path(), "1");
  platform::LowerInstanceCount();
  EXPECT_FALSE(Exists("probe_ran.txt"));
  EXPECT_EQ(log_.Contents(), "");
}

class DeleteDirectoryTest : public testing::Test {
 protected:
  std::string Make(const std::string& relative) {
    std::string path = base2::JoinPath(dir_.path(), relative);
    fs::create_directories(fs::u8path(path).parent_path());
    testsupport::WriteFile(path, "data");
    return path;
  }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
  }

  testsupport::TempDir dir_;
  testsupport::LogCapture log_;
};

TEST_F(DeleteDirectoryTest, RemovesNestedTreeBottomUp) {
  Make("temp/cache/data_0");
  Make("temp/cache/index/a.bin");
  Make("temp/top.txt");
  fs::create_directories(fs::u8path(dir_.Child("temp/empty/deeper")));
  RunTempCleanup(dir_.path(), "0");
  EXPECT_TRUE(fs::exists(fs::u8path(dir_.Child("temp"))));
  EXPECT_EQ(DeleteDirectory(base2::Utf8ToSystem(dir_.Child("temp"))), 1);
  EXPECT_FALSE(fs::exists(fs::u8path(dir_.Child("temp"))));
  EXPECT_EQ(log_.Contents(), "");
}

TEST_F(DeleteDirectoryTest, UndeletableFileKeepsEveryFolderAboveIt) {
  std::string stuck = Make("temp/a/b/stuck.bin");
  Make("temp/a/other.bin");
  Make("temp/c/free.bin");
  auto hold = testsupport::HoldUndeletable(stuck);
  if (!hold) GTEST_SKIP() << "this machine lets the test delete every file";
  EXPECT_EQ(DeleteDirectory(base2::Utf8ToSystem(dir_.Child("temp"))), 0);
  EXPECT_TRUE(fs::exists(fs::u8path(stuck)));
  EXPECT_FALSE(fs::exists(fs::u8path(dir_.Child("temp/a/other.bin"))));
  EXPECT_FALSE(fs::exists(fs::u8path(dir_.Child("temp/c"))));
  std::string log = log_.Contents();
  EXPECT_EQ(Count(log, "【shell::DeleteDirectory】异常，目录："), 3u) << log;
  EXPECT_NE(log.find("temp//a//b\n"), std::string::npos) << log;
}

TEST_F(DeleteDirectoryTest, MissingFolderGivesOneLine) {
  EXPECT_EQ(DeleteDirectory(base2::Utf8ToSystem(dir_.Child("absent"))), 0);
  EXPECT_EQ(Count(log_.Contents(), "【shell::DeleteDirectory】异常，目录："), 1u);
}

TEST_F(DeleteDirectoryTest, LinksToFoldersAreNotFollowed) {
  std::string precious = Make("outside/precious.txt");
  fs::create_directories(fs::u8path(dir_.Child("temp")));
  std::error_code error;
  fs::create_directory_symlink(fs::u8path(dir_.Child("outside")), fs::u8path(dir_.Child("temp/link")), error);
  if (error) GTEST_SKIP() << "no folder links here: " << error.message();
  EXPECT_EQ(DeleteDirectory(base2::Utf8ToSystem(dir_.Child("temp"))), 1);
  EXPECT_TRUE(fs::exists(fs::u8path(precious)));
}

}  // namespace
}  // namespace shell
