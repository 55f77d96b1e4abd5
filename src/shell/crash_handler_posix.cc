#include "shell/crash_handler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "base2/file_path.h"
#include "base2/logging.h"
#include "platform/paths.h"

namespace shell {
namespace {

constexpr char kShowMessageArgument[] = "--qor-show-crash-message";
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};

// Filled at install time: nothing may be allocated in the handler.
char g_report_path[4096];
char g_executable[4096];

void WriteText(int fd, const char* text) {
  ssize_t ignored = write(fd, text, std::strlen(text));
  (void)ignored;
}

void WriteNumber(int fd, unsigned long long value, int base) {
  char digits[32];
  int length = 0;
  do {
    digits[length++] = "0123456789abcdef"[value % base];
    value /= base;
  } while (value);
  char text[34];
  for (int i = 0; i < length; ++i) text[i] = digits[length - 1 - i];
  text[length] = '\0';
  WriteText(fd, text);
}

void OnFatalSignal(int signal_number, siginfo_t* info, void*) {
  int fd = open(g_report_path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) {
    WriteText(fd, "Fatal signal ");
    WriteNumber(fd, static_cast<unsigned>(signal_number), 10);
    WriteText(fd, " (");
    WriteText(fd, sigabbrev_np(signal_number) ? sigabbrev_np(signal_number) : "?");
    WriteText(fd, ") at address 0x");
    WriteNumber(fd, reinterpret_cast<uintptr_t>(info ? info->si_addr : nullptr), 16);
    WriteText(fd, "\nProcess ");
    WriteNumber(fd, static_cast<unsigned>(getpid()), 10);
    WriteText(fd, "\nBacktrace:\n");
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), fd);
    close(fd);
  }
  // The message needs a toolkit, which a signal handler cannot use: a
  // helper process shows it while this thread waits, as on Windows.
  pid_t helper = fork();
  if (helper == 0) {
    execl(g_executable, g_executable, kShowMessageArgument, static_cast<char*>(nullptr));
    _exit(127);
  }
  if (helper > 0) {
    int status = 0;
    while (waitpid(helper, &status, 0) < 0 && errno == EINTR) {
    }
  }
  signal(signal_number, SIG_DFL);
  raise(signal_number);
}

void InstallHandlers() {
  struct sigaction action {};
  action.sa_sigaction = &OnFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal_number : kFatalSignals) sigaction(signal_number, &action, nullptr);
}

bool HandlersInPlace() {
  for (int signal_number : kFatalSignals) {
    struct sigaction current {};
    if (sigaction(signal_number, nullptr, &current) != 0) return false;
    if (!(current.sa_flags & SA_SIGINFO) || current.sa_sigaction != &OnFatalSignal) return false;
  }
  return true;
}

void CopyInto(char* buffer, size_t size, const std::string& text) {
  std::snprintf(buffer, size, "%s", text.c_str());
}

}  // namespace

void InstallCrashFilter() {
  CopyInto(g_report_path, sizeof(g_report_path), base2::JoinPath(platform::ExecutableDir(), "crash_report.txt"));
  CopyInto(g_executable, sizeof(g_executable), platform::ExecutablePath());
  // backtrace() loads its unwinder on first use; do that now, not in the handler.
  void* frame[1];
  backtrace(frame, 1);
  static char alternate_stack[64 * 1024];
  stack_t stack{};
  stack.ss_sp = alternate_stack;
  stack.ss_size = sizeof(alternate_stack);
  sigaltstack(&stack, nullptr);
  InstallHandlers();
}

void LockCrashFilter() {
  static bool locked = false;
  if (locked) return;
  locked = true;
  std::thread([] {
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      if (HandlersInPlace()) continue;
      LOG(WARNING) << "【shell::CrashHandler】a fatal-signal handler was replaced; the shell's is back in place";
      InstallHandlers();
    }
  }).detach();
}

int MaybeShowCrashMessage(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], kShowMessageArgument) != 0) return -1;
  if (!gtk_init_check(nullptr, nullptr)) return 1;
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s",
                                             kCrashMessage);
  gtk_window_set_title(GTK_WINDOW(dialog), kCrashCaption);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  return 0;
}

}  // namespace shell
