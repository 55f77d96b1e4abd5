#include "shell/crash_handler.h"

#include <windows.h>
#include <dbghelp.h>

#include "platform/wide_text_win.h"

namespace shell {
namespace {

LONG WINAPI ShellCrashFilter(EXCEPTION_POINTERS* exception) {
  MessageBoxW(nullptr, platform::Utf8ToWide(kCrashMessage).c_str(), platform::Utf8ToWide(kCrashCaption).c_str(),
              MB_OK);
  HANDLE file = CreateFileW(L"C:\\dumpfile.dmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return EXCEPTION_EXECUTE_HANDLER;
  MINIDUMP_EXCEPTION_INFORMATION information{};
  information.ThreadId = GetCurrentThreadId();
  information.ExceptionPointers = exception;
  information.ClientPointers = FALSE;
  MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpWithFullMemory, &information, nullptr,
                    nullptr);
  CloseHandle(file);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallCrashFilter() { SetUnhandledExceptionFilter(&ShellCrashFilter); }

void LockCrashFilter() {
  HMODULE kernel = LoadLibraryW(L"kernel32.dll");
  if (!kernel) return;
  void* target = reinterpret_cast<void*>(GetProcAddress(kernel, "SetUnhandledExceptionFilter"));
  if (!target) return;
  // xor eax, eax; ret 4: every later call returns null and changes nothing.
  const unsigned char patch[] = {0x33, 0xC0, 0xC2, 0x04, 0x00};
  DWORD old_protection = 0;
  HANDLE self = GetCurrentProcess();
  if (!VirtualProtectEx(self, target, sizeof(patch), PAGE_EXECUTE_READWRITE, &old_protection)) return;
  WriteProcessMemory(self, target, patch, sizeof(patch), nullptr);
  VirtualProtectEx(self, target, sizeof(patch), old_protection, &old_protection);
}

int MaybeShowCrashMessage(int, char**) { return -1; }

}  // namespace shell
