#include <windows.h>

#include "platform/paths.h"
#include "platform/wide_text_win.h"
#include "support/child_process.h"

namespace testsupport {
namespace {

std::wstring Quote(const std::string& arg) {
  std::wstring out = L"\"";
  for (wchar_t c : platform::Utf8ToWide(arg)) {
    if (c == L'"') out += L'\\';
    out += c;
  }
  return out + L"\"";
}

class WinChild : public ChildProcess {
 public:
  explicit WinChild(HANDLE process) : process_(process) {}
  ~WinChild() override {
    WaitForSingleObject(process_, INFINITE);
    CloseHandle(process_);
  }
  int Wait() override {
    WaitForSingleObject(process_, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
  }
  void Kill() override { TerminateProcess(process_, 137); }

 private:
  HANDLE process_;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& name, const std::vector<std::string>& args) {
  std::wstring command = Quote(platform::ExecutablePath()) + L" " + Quote("--child=" + name);
  for (const std::string& arg : args) command += L" " + Quote(arg);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return std::make_unique<WinChild>(info.hProcess);
}

}  // namespace testsupport
