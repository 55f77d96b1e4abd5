#include <windows.h>

#include "platform/wide_text_win.h"
#include "support/platform_facts.h"

namespace testsupport {

bool ExceptionsCrossModuleBoundaries() { return false; }

size_t OpenHandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

std::shared_ptr<void> HoldUndeletable(const std::string& path) {
  HANDLE file = CreateFileW(platform::Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::shared_ptr<void>(file, [](void* handle) { CloseHandle(handle); });
}

namespace {
LONG WINAPI ForeignFilter(EXCEPTION_POINTERS*) { return EXCEPTION_CONTINUE_SEARCH; }
}  // namespace

bool TryToReplaceCrashHandler() { return SetUnhandledExceptionFilter(&ForeignFilter) == nullptr; }

void CrashNow() { *static_cast<volatile int*>(nullptr) = 1; }

std::string CrashReportPath() { return "C:\\dumpfile.dmp"; }

bool LooksLikeCrashReport(const std::string& contents) { return contents.rfind("MDMP", 0) == 0; }

}  // namespace testsupport
