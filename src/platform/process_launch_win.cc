#include "platform/process_launch.h"

#include <windows.h>

#include "base2/text_convert.h"
#include "platform/wide_text_win.h"

namespace platform {

WaitResult RunHiddenAndWait(const std::string& path) {
  WaitResult result;
  // Quoted: an unquoted path with a blank would start "C:\Program.exe" first.
  std::wstring command = L"\"" + Utf8ToWide(path) + L"\" ";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    result.start_error = GetLastError();
    return result;
  }
  result.started = true;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.hProcess, &code)) {
    result.exit_code_read = true;
    result.exit_code = code;
  } else {
    result.read_error = GetLastError();
  }
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return result;
}

unsigned StartDetached(const std::string& path) {
  std::string command = "\"" + base2::Utf8ToSystem(path) + "\"";
  return WinExec(command.c_str(), SW_SHOWNORMAL);
}

}  // namespace platform
