#include "platform/window_restore.h"

#include <windows.h>

namespace platform {

void SendRestoreRequest() {
  if (HWND window = FindWindowW(L"SHELL", nullptr)) PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

}  // namespace platform
