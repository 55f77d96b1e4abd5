#ifndef QOR_TESTS_SUPPORT_DESKTOP_H_
#define QOR_TESTS_SUPPORT_DESKTOP_H_

#include <functional>
#include <string>

// What a user does on the desktop, for tests that need a window.
namespace testsupport {

// Shows a window of class "SHELL" that answers restore requests as the main
// window does, puts it out of sight (minimised on Windows, hidden on Linux,
// where Xvfb has no window manager to minimise it), calls `ready` and waits
// until a restore request brings it back. True when it came back in time.
bool ShowShellWindowUntilRestored(const std::function<void()>& ready, int timeout_ms);

// Waits for a message box with this caption (UTF-8) and presses its OK
// button. True when one was found and dismissed in time.
bool DismissMessageBox(const std::string& caption, int timeout_ms);

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_DESKTOP_H_
