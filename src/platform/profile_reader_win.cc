#include "platform/profile_reader.h"

#include <windows.h>

#include "base2/text_convert.h"
#include "platform/system_text.h"

namespace platform {

struct ProfileReader::Impl {
  std::string system_path;
};

ProfileReader::ProfileReader(const std::string& path)
    : impl_(new Impl{Utf16ToSystem(base2::Utf8ToUtf16(path))}) {}

ProfileReader::~ProfileReader() = default;

std::string ProfileReader::Read(const char* section, const char* key, const char* default_value) const {
  char buffer[kMaxValueBytes + 1] = {};
  DWORD length = GetPrivateProfileStringA(section, key, default_value, buffer, sizeof(buffer),
                                          impl_->system_path.c_str());
  return std::string(buffer, length);
}

}  // namespace platform
