#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/wide_text_win.h"
#include "support/desktop.h"

namespace testsupport {

bool ShowShellWindowUntilRestored(const std::function<void()>& ready, int timeout_ms) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"SHELL";
  RegisterClassExW(&window_class);
  HWND window = CreateWindowExW(0, L"SHELL", L"test window", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                window_class.hInstance, nullptr);
  if (!window) return false;
  ShowWindow(window, SW_SHOWMINIMIZED);
  ready();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  bool restored = false;
  while (!restored && std::chrono::steady_clock::now() < deadline) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    restored = !IsIconic(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  DestroyWindow(window);
  return restored;
}

bool DismissMessageBox(const std::string& caption, int timeout_ms) {
  std::wstring title = platform::Utf8ToWide(caption);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < deadline) {
    if (HWND box = FindWindowW(nullptr, title.c_str())) {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace testsupport
