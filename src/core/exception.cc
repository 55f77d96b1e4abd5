#include "core/exception.h"

#include <cstring>

#include "base2/text_convert.h"

namespace base {

Exception::Exception(const std::string& message) {
  std::string cut = base2::CutUtf8(message, kMaxMessageBytes);
  std::memcpy(message_, cut.c_str(), cut.size() + 1);
}

}  // namespace base
