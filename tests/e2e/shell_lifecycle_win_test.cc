// The Windows program's window life cycle under Wine: no browser engine, but
// the window, its rules, the close question and the exit codes as on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base2/file_path.h"
#include "platform/wide_text_win.h"
#include "shell/main_window.h"
#include "support/desktop.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class ShellLifecycleTest : public testing::Test {
 protected:
  void Install(const std::string& settings) {
    fs::copy_file(fs::u8path(base2::JoinPath(QOR_PROGRAM_DIR, "shell.exe")), fs::u8path(dir_.Child("shell.exe")));
    testsupport::WriteFile(dir_.Child("shell.ini"), "[ShellConfig]\r\nWindowMaximize=0\r\n" + settings);
  }

  bool Start() {
    std::wstring command = L"\"" + platform::Utf8ToWide(dir_.Child("shell.exe")) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
  }

  DWORD WaitExit(DWORD timeout_ms = 30000) {
    if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  HWND FindShellWindow() {
    for (int i = 0; i < 300; ++i) {
      HWND window = FindWindowW(L"SHELL", nullptr);
      if (window && IsWindowVisible(window)) return window;
      Sleep(100);
    }
    return nullptr;
  }

  void TearDown() override {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 9);
      WaitForSingleObject(process_.hProcess, 5000);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
  }

  testsupport::TempDir dir_;
  PROCESS_INFORMATION process_{};
};

TEST_F(ShellLifecycleTest, WindowFoundSizedAndClosedAfterTheQuestion) {
  Install("AppTitle=Lifecycle\r\nWindowWidth=640\r\nWindowHeight=480\r\n");
  ASSERT_TRUE(Start());
  HWND window = FindShellWindow();
  ASSERT_NE(window, nullptr);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Lifecycle");
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 640);
  EXPECT_EQ(rect.bottom - rect.top, 480);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  shell::Point centre = shell::CenteredPosition({work.left, work.top, work.right, work.bottom}, 640, 480,
                                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(rect.left, centre.x);
  EXPECT_EQ(rect.top, centre.y);
  EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION);

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(testsupport::DismissMessageBox(shell::kCloseCaption, 20000));
  EXPECT_EQ(WaitExit(), 1u);
}

TEST_F(ShellLifecycleTest, NoBorderAndFullScreenFrames) {
  Install("NoBorder=0\r\n");
  ASSERT_TRUE(Start());
  HWND window = FindShellWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
            static_cast<DWORD>(WS_MINIMIZEBOX));
  TerminateProcess(process_.hProcess, 9);
  WaitExit();
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};

  testsupport::WriteFile(dir_.Child("shell.ini"), "[ShellConfig]\r\nFullScreen=0\r\nCloseApp=1\r\n");
  ASSERT_TRUE(Start());
  window = FindShellWindow();
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.right, desktop.right);
  EXPECT_EQ(rect.bottom, desktop.bottom);
  PostMessageW(window, WM_CLOSE, 0, 0);  // CloseApp "1": ignored, no question
  EXPECT_FALSE(testsupport::DismissMessageBox(shell::kCloseCaption, 1500));
  EXPECT_EQ(WaitExit(200), static_cast<DWORD>(STILL_ACTIVE));
}

TEST_F(ShellLifecycleTest, NoWindowMeansExitCodeZero) {
  Install("");
  // A system-wide hook that refuses windows of class "SHELL".
  HMODULE hook_library = LoadLibraryW(L"refuse_shell_window.dll");
  ASSERT_NE(hook_library, nullptr);
  auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hook_library, "RefuseShellWindow")));
  HHOOK hook = SetWindowsHookExW(WH_CBT, procedure, hook_library, 0);
  ASSERT_NE(hook, nullptr);
  ASSERT_TRUE(Start());
  DWORD code = WaitExit();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(code, 0u);
}

}  // namespace
