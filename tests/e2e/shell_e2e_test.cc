// The real program under Xvfb with a window manager, driven as a user would:
// key presses through the X server, windows found and measured with xdotool
// and xprop.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "base2/file_path.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Shell(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    std::array<char, 4096> buffer;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), got);
    pclose(pipe);
  }
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
  return output;
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

template <typename Condition>
bool WaitUntil(Condition condition, int timeout_ms = 30000) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < deadline) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

struct Geometry {
  int x = -1, y = -1, width = -1, height = -1;
  bool operator==(const Geometry& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

Geometry Screen() {
  Geometry screen{0, 0, 0, 0};
  std::sscanf(Shell("xdotool getdisplaygeometry").c_str(), "%d %d", &screen.width, &screen.height);
  return screen;
}

Geometry GeometryOf(const std::string& window) {
  Geometry geometry;
  std::string text = Shell("xdotool getwindowgeometry --shell " + window);
  std::sscanf(text.c_str(), "WINDOW=%*d\nX=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &geometry.x, &geometry.y, &geometry.width,
              &geometry.height);
  return geometry;
}

// A copy of the program with a shell.ini of the test's own.
class ShellProgram {
 public:
  explicit ShellProgram(const std::string& settings) {
    fs::copy(fs::u8path(QOR_PROGRAM_DIR), fs::u8path(dir_.path()), fs::copy_options::recursive);
    fs::create_directories(fs::u8path(dir_.Child("logs")));
    fs::create_directories(fs::u8path(dir_.Child("packages/e2e")));
    testsupport::WriteFile(dir_.Child("packages/e2e/index.html"), kPage);
    testsupport::WriteFile(dir_.Child("packages/e2e/popup.html"), "<!doctype html><title>popup</title>");
    testsupport::WriteFile(dir_.Child("shell.ini"),
                           "[HomeUrl]\r\nURL=\\packages\\e2e\\index.html\r\n[ShellConfig]\r\nAppTitle=E2E Shell\r\n"
                           "WindowMaximize=0\r\nWindowWidth=800\r\nWindowHeight=600\r\n" +
                               settings);
  }
  ~ShellProgram() {
    for (pid_t pid : pids_) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  pid_t Start(const std::string& argument = "", char** environment = environ) {
    std::string exe = dir_.Child("shell");
    std::vector<char*> argv = {exe.data()};
    std::string arg = argument;
    if (!arg.empty()) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv.data(), environment);
    pids_.push_back(pid);
    return pid;
  }

  // The exit code, or -1 when it has not ended within the time.
  int WaitExit(pid_t pid, int timeout_ms = 30000) {
    int status = 0;
    bool ended = WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeout_ms);
    if (!ended) return -1;
    pids_.erase(std::remove(pids_.begin(), pids_.end(), pid), pids_.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  std::string MainWindow(pid_t pid) {
    std::string window;
    WaitUntil([&] {
      window = Shell("xdotool search --onlyvisible --pid " + std::to_string(pid) + " --class SHELL | head -1");
      return !window.empty();
    });
    return window;
  }

  std::string Log() const {
    for (const auto& entry : fs::directory_iterator(fs::u8path(dir_.Child("logs")))) {
      if (entry.path().filename().u8string().rfind("shell_", 0) == 0) {
        return testsupport::ReadFile(entry.path().u8string());
      }
    }
    return "";
  }

  bool LogContains(const std::string& text) const { return Log().find(text) != std::string::npos; }

 private:
  // Asks vistel for a size; the answer, back in the page, asks for "destroy":
  // the "destroy." line in the log proves the whole round trip.
  static constexpr char kPage[] = R"HTML(<!doctype html><meta charset="utf-8"><title>e2e</title><script>
const uid = cef.message.createGuid();
cef.message.setMessageCallback(uid, function (answer) {
  if (answer === '64*48') cef.message.sendMessage(uid, 'vistel', 'destroy', '{}');
});
const sep = cef.message.getExePath().indexOf('\\') >= 0 ? '\\' : '/';
cef.message.sendMessage(uid, 'vistel', 'getwh',
  JSON.stringify({res: cef.message.getExePath() + sep + 'packages/demo/sample.png'}));
if (location.search === '' && window.name !== 'popup' && document.cookie.indexOf('popup') < 0 &&
    cef.message.getAppConfig().indexOf('"popup":"1"') >= 0) {
  window.open('popup.html', 'popup');
}
</script>)HTML";

  testsupport::TempDir dir_;
  std::vector<pid_t> pids_;
};

const std::string kRoundTrip = "【vistel::PlnOnProcessMessage】destroy.";

class ShellEndToEndTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Alt+F4, minimising and decorations need a window manager.
    posix_spawnp(&window_manager_, "openbox", nullptr, nullptr,
                 std::array<char*, 2>{const_cast<char*>("openbox"), nullptr}.data(), environ);
    Sleep(1000);
  }
  static void TearDownTestSuite() {
    kill(window_manager_, SIGTERM);
    waitpid(window_manager_, nullptr, 0);
  }

  static void Key(const std::string& window, const std::string& keys) {
    Shell("xdotool windowactivate --sync " + window + " key --clearmodifiers " + keys);
  }
  static std::string FindByName(const std::string& name, int timeout_ms = 10000) {
    std::string window;
    WaitUntil([&] {
      window = Shell("xdotool search --onlyvisible --name '" + name + "' | head -1");
      return !window.empty();
    }, timeout_ms);
    return window;
  }

  static pid_t window_manager_;
};

pid_t ShellEndToEndTest::window_manager_ = 0;

TEST_F(ShellEndToEndTest, StartsRoundTripsAndClosesAfterTheQuestion) {
  ShellProgram program("");
  pid_t pid = program.Start();
  std::string window = program.MainWindow(pid);
  ASSERT_FALSE(window.empty());
  EXPECT_EQ(Shell("xdotool getwindowname " + window), "E2E Shell");
  EXPECT_TRUE(WaitUntil([&] { return program.LogContains(kRoundTrip); })) << program.Log();

  Key(window, "alt+F4");
  std::string question = FindByName("^提示$");
  ASSERT_FALSE(question.empty());
  Key(question, "Escape");  // Cancel
  Sleep(1000);
  EXPECT_EQ(program.WaitExit(pid, 500), -1) << "Cancel ended the program";

  Key(window, "alt+F4");
  question = FindByName("^提示$");
  ASSERT_FALSE(question.empty());
  Key(question, "Return");  // OK
  EXPECT_EQ(program.WaitExit(pid), 1);
  EXPECT_TRUE(program.LogContains("==========shell.log ending===================")) << program.Log();
}

TEST_F(ShellEndToEndTest, CloseAppOneIgnoresCloseRequests) {
  ShellProgram program("CloseApp=1\r\n");
  pid_t pid = program.Start();
  std::string window = program.MainWindow(pid);
  ASSERT_FALSE(window.empty());
  Key(window, "alt+F4");
  Sleep(1500);
  EXPECT_TRUE(FindByName("^提示$", 500).empty());
  EXPECT_EQ(program.WaitExit(pid, 200), -1);
}

TEST_F(ShellEndToEndTest, FullScreenZeroCoversTheScreen) {
  ShellProgram program("FullScreen=0\r\nWindowMaximize=1\r\n");
  pid_t pid = program.Start();
  std::string window = program.MainWindow(pid);
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(window) == Screen(); }, 10000))
      << Shell("xdotool getwindowgeometry " + window);
}

TEST_F(ShellEndToEndTest, NoBorderZeroIsUndecoratedCentredAndAtLeast300) {
  ShellProgram program("NoBorder=0\r\n");
  pid_t pid = program.Start();
  std::string window = program.MainWindow(pid);
  ASSERT_FALSE(window.empty());
  Geometry screen = Screen();
  Geometry expected{(screen.width - 800) / 2, (screen.height - 600) / 2, 800, 600};
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(window) == expected; }, 10000))
      << Shell("xdotool getwindowgeometry " + window);
  // _MOTIF_WM_HINTS: flags 2 (decorations), decorations 0.
  EXPECT_NE(Shell("xprop -id " + window + " _MOTIF_WM_HINTS").find("0x2, 0x0, 0x0"), std::string::npos)
      << Shell("xprop -id " + window + " _MOTIF_WM_HINTS");
  EXPECT_NE(Shell("xprop -id " + window + " WM_NORMAL_HINTS").find("minimum size: 300 by 300"), std::string::npos);
  Shell("xdotool windowsize " + window + " 100 100");
  Sleep(1000);
  Geometry shrunk = GeometryOf(window);
  EXPECT_GE(shrunk.width, 300);
  EXPECT_GE(shrunk.height, 300);
}

TEST_F(ShellEndToEndTest, SecondStartBringsTheFirstWindowBack) {
  ShellProgram program("");
  pid_t first = program.Start();
  std::string window = program.MainWindow(first);
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(WaitUntil([&] { return program.LogContains(kRoundTrip); }));
  Shell("xdotool windowminimize --sync " + window);
  ASSERT_TRUE(WaitUntil([&] { return Shell("xprop -id " + window + " WM_STATE").find("Iconic") != std::string::npos; }));
  pid_t second = program.Start("--shell-app-second=1");
  EXPECT_EQ(program.WaitExit(second), 1);
  EXPECT_TRUE(WaitUntil([&] { return Shell("xprop -id " + window + " WM_STATE").find("Normal") != std::string::npos; },
                        10000));
  EXPECT_EQ(program.WaitExit(first, 200), -1);
}

TEST_F(ShellEndToEndTest, F12OpensTheInspectorOnlyWithShowDevToolsZero) {
  for (const char* value : {"0", "00"}) {
    SCOPED_TRACE(value);
    ShellProgram program(std::string("ShowDevTools=") + value + "\r\n");
    pid_t pid = program.Start();
    std::string window = program.MainWindow(pid);
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(WaitUntil([&] { return program.LogContains(kRoundTrip); }));
    Key(window, "F12");
    bool opened = WaitUntil([&] { return program.LogContains("【ClientHandler::OpenDevTools】developer tools opened"); },
                            5000);
    EXPECT_EQ(opened, std::string(value) == "0");
  }
}

TEST_F(ShellEndToEndTest, PopupKeepsTheProgramRunningUntilClosed) {
  ShellProgram program("");
  pid_t pid = program.Start("--shell-app-popup=1");
  std::string window = program.MainWindow(pid);
  ASSERT_FALSE(window.empty());
  std::string popup = FindByName("^popup$");
  ASSERT_FALSE(popup.empty());
  Key(window, "alt+F4");
  std::string question = FindByName("^提示$");
  ASSERT_FALSE(question.empty());
  Key(question, "Return");
  Sleep(1500);
  EXPECT_EQ(program.WaitExit(pid, 200), -1) << "ended while the pop-up was open";
  Key(popup, "alt+F4");
  EXPECT_EQ(program.WaitExit(pid), 1);
}

TEST_F(ShellEndToEndTest, SubProcessEndsAfterItsStartBanner) {
  ShellProgram program("");
  pid_t pid = program.Start("--type=renderer");
  EXPECT_EQ(program.WaitExit(pid), 1);
  EXPECT_TRUE(Shell("xdotool search --pid " + std::to_string(pid) + " --class SHELL").empty());
  EXPECT_TRUE(program.LogContains("==========processID: " + std::to_string(pid) + "===================="));
  EXPECT_FALSE(program.LogContains("shell.log ending"));
}

TEST_F(ShellEndToEndTest, NoWindowMeansExitCodeZero) {
  ShellProgram program("");
  char* no_display[] = {nullptr};
  EXPECT_EQ(program.WaitExit(program.Start("", no_display)), 0);
  EXPECT_FALSE(program.LogContains("shell.log ending"));
}

}  // namespace
