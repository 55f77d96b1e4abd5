#ifndef QOR_BASE2_LOGGING_H_
#define QOR_BASE2_LOGGING_H_

#include <ctime>
#include <sstream>
#include <string>
#include <string_view>

// The daily log: one line per message, appended to a file that every process
// and module of the program shares. Each image (host or module) that links
// this file has its own file handle, lock and settings. Logging never fails
// its caller, and a FATAL line does not end the process. Thread-safe.
namespace logging {

enum LogSeverity : int { LOG_INFO = 0, LOG_WARNING = 1, LOG_ERROR = 2, LOG_FATAL = 3 };

// "INFO", "WARNING", "ERROR" or "FATAL"; any other value counts as INFO.
const char* SeverityName(int severity);
LogSeverity SeverityFromLevel(int level);

// <exe_dir>/logs/shell_<year>-<month>-<day>.log, without leading zeros.
std::string DailyLogFileName(std::string_view exe_dir, const std::tm& date);

// "[MMDD/hhmmss:LEVEL:source(line)] message\n"; `source` is the base name of
// the source file without its extension.
std::string FormatLogLine(const std::tm& time, int severity, std::string_view file, int line,
                          std::string_view message);

// Opens `path` for appending, or "debug.log" in the current folder when that
// fails; with neither, lines go nowhere. Replaces a file opened before.
void InitLogging(const std::string& path);
void CloseLogFile();
void SetMinLogLevel(int level);

// Writes one line whose message is narrow system text already.
void WriteLogLine(std::string_view file, int line, int severity, std::string_view message);

// Collects a UTF-8 message and writes it, as system text, when destroyed.
class LogMessage {
 public:
  LogMessage(const char* file, int line, LogSeverity severity) : file_(file), line_(line), severity_(severity) {}
  ~LogMessage();
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;

  std::ostream& stream() { return stream_; }

 private:
  const char* file_;
  int line_;
  LogSeverity severity_;
  std::ostringstream stream_;
};

}  // namespace logging

#define LOG(severity) ::logging::LogMessage(__FILE__, __LINE__, ::logging::LOG_##severity).stream()

#endif  // QOR_BASE2_LOGGING_H_
