#include "base2/logging.h"

#include <cstdio>
#include <memory>
#include <mutex>

#include "base2/file_path.h"
#include "base2/text_convert.h"
#include "platform/append_file.h"
#include "platform/process.h"

namespace logging {
namespace {

struct LogState {
  std::mutex lock;
  std::unique_ptr<platform::AppendFile> file;
  int min_level = LOG_INFO;
};

// Never destroyed: lines may still be written while statics are torn down.
LogState& State() {
  static LogState* state = new LogState;
  return *state;
}

}  // namespace

const char* SeverityName(int severity) {
  switch (severity) {
    case LOG_WARNING: return "WARNING";
    case LOG_ERROR: return "ERROR";
    case LOG_FATAL: return "FATAL";
    default: return "INFO";
  }
}

LogSeverity SeverityFromLevel(int level) {
  return (level >= LOG_INFO && level <= LOG_FATAL) ? static_cast<LogSeverity>(level) : LOG_INFO;
}

std::string DailyLogFileName(std::string_view exe_dir, const std::tm& date) {
  char name[64];
  std::snprintf(name, sizeof(name), "shell_%d-%d-%d.log", date.tm_year + 1900, date.tm_mon + 1, date.tm_mday);
  return base2::JoinPath(base2::JoinPath(exe_dir, "logs"), name);
}

std::string FormatLogLine(const std::tm& time, int severity, std::string_view file, int line,
                          std::string_view message) {
  std::string_view source = base2::BaseName(file);
  source = source.substr(0, source.find('.'));
  char prefix[64];
  std::snprintf(prefix, sizeof(prefix), "[%02d%02d/%02d%02d%02d:%s:", time.tm_mon + 1, time.tm_mday, time.tm_hour,
                time.tm_min, time.tm_sec, SeverityName(severity));
  std::string out = prefix;
  out.append(source);
  out += '(';
  out += std::to_string(line);
  out += ")] ";
  out.append(message);
  out += '\n';
  return out;
}

void InitLogging(const std::string& path) {
  std::unique_ptr<platform::AppendFile> file = platform::AppendFile::Open(path);
  if (!file) file = platform::AppendFile::Open("debug.log");
  LogState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.file = std::move(file);
}

void CloseLogFile() {
  LogState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.file.reset();
}

void SetMinLogLevel(int level) {
  LogState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.min_level = level;
}

void WriteLogLine(std::string_view file, int line, int severity, std::string_view message) {
  try {
    LogState& state = State();
    std::string text = FormatLogLine(platform::LocalTime(std::time(nullptr)), severity, file, line, message);
    std::lock_guard<std::mutex> hold(state.lock);
    if (severity < state.min_level || !state.file) return;
    state.file->Append(text);
  } catch (...) {
    // Logging never fails its caller.
  }
}

LogMessage::~LogMessage() {
  try {
    WriteLogLine(file_, line_, severity_, base2::Utf8ToSystem(stream_.str()));
  } catch (...) {
  }
}

}  // namespace logging
