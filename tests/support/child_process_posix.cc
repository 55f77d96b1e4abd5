#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/paths.h"
#include "support/child_process.h"

extern char** environ;

namespace testsupport {
namespace {

class PosixChild : public ChildProcess {
 public:
  explicit PosixChild(pid_t pid) : pid_(pid) {}
  ~PosixChild() override {
    if (pid_ > 0) Wait();
  }
  int Wait() override {
    if (pid_ <= 0) return status_;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0) {
    }
    pid_ = 0;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
  }
  void Kill() override {
    if (pid_ > 0) kill(pid_, SIGKILL);
  }

 private:
  pid_t pid_;
  int status_ = -1;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& name, const std::vector<std::string>& args) {
  std::string exe = platform::ExecutablePath();
  std::vector<std::string> argv_text = {exe, "--child=" + name};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return nullptr;
  return std::make_unique<PosixChild>(pid);
}

}  // namespace testsupport
