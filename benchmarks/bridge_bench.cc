// The bridge end to end: the real program answering its page through the
// core and a trivial module, against the floor of a minimal WebKitGTK
// program doing the same user-message round trip with no dispatch.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_util.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 3;

std::string ReadFile(const fs::path& path) {
  std::ifstream stream(path);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

long long NowNanos() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

pid_t Spawn(const std::vector<std::string>& command, const std::vector<std::string>& extra_environment) {
  std::vector<std::string> environment(extra_environment);
  for (char** entry = environ; *entry; ++entry) environment.emplace_back(*entry);
  std::vector<char*> argv;
  std::vector<char*> envp;
  std::vector<std::string> args(command);
  for (std::string& arg : args) argv.push_back(arg.data());
  for (std::string& entry : environment) envp.push_back(entry.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
  return pid;
}

void KillAll(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

double NumberAfter(const std::string& json, const std::string& key) {
  size_t at = json.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::stod(json.substr(at + key.size() + 3));
}

struct Run {
  double p50_us = -1, p99_us = -1, start_ms = -1;
};

// One start of `command` on the bench page: its round-trip figures and the
// time from process start to the first answer in the page.
Run Measure(const std::vector<std::string>& command, const fs::path& scratch) {
  fs::remove(scratch / "out.json");
  fs::remove(scratch / "mark");
  long long started = NowNanos();
  pid_t pid = Spawn(command, {"QOR_BENCH_OUT=" + (scratch / "out.json").string(),
                              "QOR_BENCH_MARK=" + (scratch / "mark").string()});
  Run run;
  for (int i = 0; i < 1200 && !fs::exists(scratch / "out.json"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  std::string out = ReadFile(scratch / "out.json");
  std::string mark = ReadFile(scratch / "mark");
  KillAll(pid);
  if (out.empty() || mark.empty()) return run;
  run.p50_us = NumberAfter(out, "p50_us");
  run.p99_us = NumberAfter(out, "p99_us");
  run.start_ms = static_cast<double>(std::stoll(mark) - started) / 1e6;
  return run;
}

// Resident memory (MiB) of `pid` and of its descendants named `child_name`.
double ResidentMib(pid_t pid, const std::string& child_name) {
  std::map<pid_t, pid_t> parent;
  std::map<pid_t, std::string> name;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::string file = entry.path().filename();
    if (file.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string stat = ReadFile(entry.path() / "stat");
    size_t open = stat.find('('), close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    pid_t id = std::stoi(file);
    name[id] = stat.substr(open + 1, close - open - 1);
    parent[id] = std::stoi(stat.substr(close + 4));
  }
  auto rss_kib = [](pid_t id) {
    std::istringstream status(ReadFile("/proc/" + std::to_string(id) + "/status"));
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
    }
    return 0.0;
  };
  double total = rss_kib(pid);
  for (const auto& [id, up] : parent) {
    bool below = false;
    for (pid_t at = up; at > 1 && !below; at = parent.count(at) ? parent[at] : 0) below = at == pid;
    if (below && name[id].find(child_name) != std::string::npos) total += rss_kib(id);
  }
  return total / 1024.0;
}

}  // namespace

int main() {
  fs::path bench_dir = fs::path(BENCH_BINARY_DIR);
  fs::path scratch = fs::temp_directory_path() / ("qor-bridge-bench-" + std::to_string(getpid()));
  fs::path program = scratch / "program";
  fs::create_directories(scratch);
  fs::copy(QOR_PROGRAM_DIR, program, fs::copy_options::recursive);
  fs::copy_file(bench_dir / "plugins/echo.pln", program / "plugins/echo.pln");
  fs::copy_file(bench_dir / "plugins/benchsink.pln", program / "plugins/benchsink.pln");
  fs::create_directories(program / "packages/bench");
  fs::copy_file(BENCH_PAGE, program / "packages/bench/index.html");
  std::ofstream(program / "shell.ini") << "[HomeUrl]\r\nURL=\\packages\\bench\\index.html\r\n"
                                          "[ShellConfig]\r\nWindowMaximize=0\r\nMultiApp=0\r\n";

  std::vector<double> p50, p99, start, floor_p50, floor_start;
  for (int i = 0; i < kRuns; ++i) {
    Run shell = Measure({(program / "shell").string()}, scratch);
    Run floor = Measure({(bench_dir / "bridge_floor").string(), (program / "packages/bench/index.html").string(),
                         (bench_dir / "floor-extensions").string()},
                        scratch);
    if (shell.p50_us < 0 || floor.p50_us < 0) {
      std::fprintf(stderr, "bridge bench: a run gave no figures\n");
      return 1;
    }
    p50.push_back(shell.p50_us);
    p99.push_back(shell.p99_us);
    start.push_back(shell.start_ms);
    floor_p50.push_back(floor.p50_us);
    floor_start.push_back(floor.start_ms);
  }
  bench::PrintFigure("bridge.rtt_p50_us", Median(p50), "us");
  bench::PrintFigure("bridge.rtt_p99_us", Median(p99), "us");
  bench::PrintFigure("bridge.floor_p50_us", Median(floor_p50), "us");
  bench::PrintFigure("bridge.rtt_ratio", Median(p50) / Median(floor_p50), "x");
  bench::PrintFigure("bridge.start_ms", Median(start), "ms");
  bench::PrintFigure("bridge.start_ratio", Median(start) / Median(floor_start), "x");

  // The demo as shipped: the shell and its web process once the page has answered.
  fs::path demo = scratch / "demo";
  fs::copy(QOR_PROGRAM_DIR, demo, fs::copy_options::recursive);
  fs::create_directories(demo / "logs");
  pid_t pid = Spawn({(demo / "shell").string()}, {});
  for (int i = 0; i < 300; ++i) {
    bool loaded = false;
    for (const auto& entry : fs::directory_iterator(demo / "logs")) {
      loaded = loaded || ReadFile(entry.path()).find("PlnOnProcessMessage】getwh.") != std::string::npos;
    }
    if (loaded) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  bench::PrintFigure("bridge.rss_mib", ResidentMib(pid, "WebKitWebProces"), "MiB");
  KillAll(pid);
  fs::remove_all(scratch);
  return 0;
}
