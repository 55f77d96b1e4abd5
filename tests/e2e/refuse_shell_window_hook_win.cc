// A global CBT hook that refuses the creation of every window of class
// "SHELL": lets a test see what the program does when its main window
// cannot be made.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseShellWindow(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lparam);
    const wchar_t* name = create->lpcs->lpszClass;
    if (!IS_INTRESOURCE(name) && lstrcmpiW(name, L"SHELL") == 0) return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
