// Windows has no browser engine yet. The adapter still exists: the host area
// shows a short notice, and the loop runs until the main window is gone, so
// the whole window life cycle works.
#include <windows.h>

#include "adapter/browser_engine.h"
#include "adapter/client_handler.h"

namespace Qor {
namespace Adapter {
namespace {

constexpr wchar_t kHostClass[] = L"QorAdapterCEFWnd";
constexpr wchar_t kNotice[] = L"This build of the shell carries no browser engine.";
constexpr int kDownloadComplete = 32001;
constexpr int kDownloadFailed = 32002;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (HWND parent = GetParent(window)) {
        RECT client;
        GetClientRect(parent, &client);
        SetWindowPos(window, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOMOVE);
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      DrawTextW(dc, kNotice, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == kDownloadComplete || LOWORD(wparam) == kDownloadFailed) {
        MessageBoxW(window, LOWORD(wparam) == kDownloadComplete ? L"下载完成！" : L"下载失败！", L"文件下载",
                    MB_ICONINFORMATION);
      }
      break;
    case WM_DESTROY:
      // The main window is going: the engine's loop ends with it.
      PostQuitMessage(0);
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

class NoEngine : public BrowserEngine {
 public:
  // Without a page there are no browsers to report to the handler.
  explicit NoEngine(ClientHandler&) {}

  void Start(const EngineSettings&, const std::string&) override {}

  void CreateMainBrowser(void* parent_window, const std::string&) override {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = HostWindowProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    window_class.lpszClassName = kHostClass;
    RegisterClassExW(&window_class);
    HWND parent = static_cast<HWND>(parent_window);
    RECT client;
    GetClientRect(parent, &client);
    host_ = CreateWindowExW(0, kHostClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                            client.bottom, parent, nullptr, instance, nullptr);
  }

  void RunMessageLoop() override {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  void QuitMessageLoop() override { PostQuitMessage(0); }
  void SendResponse(const std::string&, const std::u16string&) override {}  // no page to answer
  void CloseBrowsers() override {}
  void Shutdown() override {
    if (host_ && IsWindow(host_)) DestroyWindow(host_);
    UnregisterClassW(kHostClass, GetModuleHandleW(nullptr));
    host_ = nullptr;
  }
  void* HostWindow() override { return host_; }

 private:
  HWND host_ = nullptr;
};

}  // namespace

std::unique_ptr<BrowserEngine> CreateBrowserEngine(ClientHandler& handler) {
  return std::make_unique<NoEngine>(handler);
}

}  // namespace Adapter
}  // namespace Qor
