#ifndef QOR_TESTS_SUPPORT_LOG_CAPTURE_H_
#define QOR_TESTS_SUPPORT_LOG_CAPTURE_H_

#include <string>

#include "support/temp_dir.h"

namespace testsupport {

// Sends this process's log lines to a file of a temp folder while it lives.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();

  std::string Contents() const;
  bool Contains(const std::string& text) const { return Contents().find(text) != std::string::npos; }
  const std::string& path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
};

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_LOG_CAPTURE_H_
