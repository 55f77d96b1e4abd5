#include "support/log_capture.h"

#include "base2/logging.h"
#include "base2/text_convert.h"

namespace testsupport {

LogCapture::LogCapture() : path_(dir_.Child("capture.log")) { logging::InitLogging(path_); }

LogCapture::~LogCapture() { logging::CloseLogFile(); }

// As UTF-8, whatever the system text is.
std::string LogCapture::Contents() const { return base2::SystemToUtf8(ReadFile(path_)); }

}  // namespace testsupport
