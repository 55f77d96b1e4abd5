#include <windows.h>

#include "adapter/qor_adapter.h"
#include "platform/wide_text_win.h"
#include "shell/main_window.h"
#include "shell/shell_settings.h"

namespace shell {
namespace {

constexpr wchar_t kWindowClass[] = L"SHELL";
// Resources of shell.rc.
constexpr int kIconResource = 99;
constexpr int kTitleString = 103;
constexpr int kClassString = 109;

HWND g_main_window = nullptr;

void CenterWindow(HWND window) {
  RECT reference;
  HWND parent = GetParent(window);
  if (parent) {
    GetWindowRect(parent, &reference);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &reference, 0);
  }
  RECT own;
  GetWindowRect(window, &own);
  int width = own.right - own.left;
  int height = own.bottom - own.top;
  Point at = CenteredPosition({reference.left, reference.top, reference.right, reference.bottom}, width, height,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MoveWindow(window, at.x, at.y, width, height, FALSE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      return 0;  // the loops end when the engine's loop returns
    case WM_SIZE:
      if (wparam == SIZE_MINIMIZED) return 0;
      if (HWND host = static_cast<HWND>(Qor::Adapter::HostWindow())) PostMessageW(host, WM_SIZE, 0, 0);
      break;
    case WM_CLOSE:
      if (Settings().CloseApp() == "1") return 0;
      if (MessageBoxW(window, platform::Utf8ToWide(kCloseQuestion).c_str(),
                      platform::Utf8ToWide(kCloseCaption).c_str(), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return 0;
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize.x = kMinimumSize;
      info->ptMinTrackSize.y = kMinimumSize;
      HWND first = FindWindowW(kWindowClass, nullptr);
      if (first && MonitorFromWindow(first, MONITOR_DEFAULTTONEAREST) ==
                       MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) {
        info->ptMaxPosition = {0, 0};
        info->ptMaxSize = {GetSystemMetrics(SM_CXFULLSCREEN) + GetSystemMetrics(SM_CXDLGFRAME),
                           GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION)};
      }
      return 0;
    }
    case kShellStartMessage: {
      std::string url = Settings().HomePageUrl();
      if (Qor::Adapter::AdapterExists()) {
        Qor::Adapter::CreateMainBrowser(window, url.c_str());
        if (Qor::Adapter::AdapterExists()) Qor::Adapter::RunMessageLoop();
      }
      PostQuitMessage(0);
      return 0;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int RegisterMainWindowClass(void* instance) {
  HINSTANCE module = static_cast<HINSTANCE>(instance);
  // The class name comes from the string table ("SHELL", as kWindowClass,
  // which the rest of the program and the modules look for); string 103 is
  // loaded and not used further.
  wchar_t class_name[100] = {};
  wchar_t title[100] = {};
  if (!LoadStringW(module, kClassString, class_name, 100)) wcscpy(class_name, kWindowClass);
  LoadStringW(module, kTitleString, title, 100);
  HICON icon = LoadIconW(module, MAKEINTRESOURCEW(kIconResource));
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = MainWindowProc;
  window_class.hInstance = module;
  window_class.hIcon = icon;
  window_class.hIconSm = icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = class_name;
  return RegisterClassExW(&window_class);
}

int CreateMainWindow(void* instance, int show_command) {
  const ShellSettings& settings = Settings();
  std::wstring title(reinterpret_cast<const wchar_t*>(settings.AppTitleUtf16().c_str()));
  bool popup = settings.NoBorder() == "0";
  DWORD style = popup ? WS_POPUP : WS_OVERLAPPEDWINDOW;
  g_main_window = CreateWindowExW(0, kWindowClass, title.c_str(), style, CW_USEDEFAULT, 0,
                                  settings.WindowWidthPixels(), settings.WindowHeightPixels(), nullptr, nullptr,
                                  static_cast<HINSTANCE>(instance), nullptr);
  if (popup && g_main_window) SetWindowLongW(g_main_window, GWL_STYLE, WS_MINIMIZEBOX);
  if (!g_main_window) return 0;
  switch (ChooseShowMode(settings.FullScreen(), settings.WindowMaximize())) {
    case ShowMode::kFullScreen: {
      RECT desktop;
      GetWindowRect(GetDesktopWindow(), &desktop);
      SetWindowLongW(g_main_window, GWL_STYLE, WS_BORDER);
      SetWindowPos(g_main_window, nullptr, 0, 0, desktop.right, desktop.bottom, SWP_SHOWWINDOW);
      ShowWindow(g_main_window, show_command);
      break;
    }
    case ShowMode::kMaximized:
      ShowWindow(g_main_window, SW_MAXIMIZE);
      break;
    case ShowMode::kCentered:
      CenterWindow(g_main_window);
      ShowWindow(g_main_window, show_command);
      break;
  }
  UpdateWindow(g_main_window);
  return 1;
}

void PostShellStart() { PostMessageW(g_main_window, kShellStartMessage, 0, 0); }

void RunMainLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A second copy finds the window by its class and restores it itself.
void ListenForRestoreRequests() {}

}  // namespace shell
