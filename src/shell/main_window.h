#ifndef QOR_SHELL_MAIN_WINDOW_H_
#define QOR_SHELL_MAIN_WINDOW_H_

#include <string>

// The main window: class "SHELL", title AppTitle, the size and frame that
// shell.ini asks for, a question before it closes, and the start message
// whose handler creates the browser and runs the engine's loop. Main thread.
namespace shell {

constexpr unsigned kShellStartMessage = 1624;  // WM_USER + 600
constexpr int kMinimumSize = 300;
constexpr char kCloseQuestion[] = "确定要关闭客户端程序？";
constexpr char kCloseCaption[] = "提示";

struct Rect {
  int left, top, right, bottom;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct Point {
  int x, y;
};

// The centring arithmetic: the middle of `reference` (truncating division),
// no negative coordinate, then kept on the screen (which may make a
// coordinate negative again for a window larger than the screen).
Point CenteredPosition(const Rect& reference, int width, int height, int screen_width, int screen_height);

enum class ShowMode { kFullScreen, kMaximized, kCentered };
ShowMode ChooseShowMode(const std::string& full_screen, const std::string& window_maximize);

// Platform half, in main_window_<platform>.cc.
int RegisterMainWindowClass(void* instance);
// 1 when the window exists, 0 when it could not be made.
int CreateMainWindow(void* instance, int show_command);
// Posts the start message to the main window.
void PostShellStart();
// Runs the main loop until it is told to quit.
void RunMainLoop();
// Lets a second copy restore this window (where the platform needs it).
void ListenForRestoreRequests();

}  // namespace shell

#endif  // QOR_SHELL_MAIN_WINDOW_H_
