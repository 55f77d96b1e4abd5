#include "platform/profile_reader.h"

#include <iconv.h>

#include <fstream>
#include <sstream>

#include "base2/ini_parser.h"
#include "base2/text_convert.h"

namespace platform {
namespace {

// A file written by Windows tools is in the ANSI code page of its author; for
// this program that is code page 936, which GB18030 contains.
std::string Gb18030ToUtf8(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "GB18030");
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 4 + 4, '\0');
  char* in_ptr = const_cast<char*>(text.data());
  size_t in_left = text.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) break;
    // An undecodable byte becomes '?' rather than ending the text.
    if (out_left == 0) break;
    *out_ptr++ = '?';
    --out_left;
    ++in_ptr;
    --in_left;
  }
  iconv_close(converter);
  out.resize(out.size() - out_left);
  return out;
}

// The file's text as UTF-8: a UTF-16 file (with its byte-order mark) is
// converted, a UTF-8 byte-order mark dropped, and a file that is not UTF-8
// read as code page 936.
std::string DecodeIniText(const std::string& bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string units((bytes.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
      units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                       static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    }
    return base2::Utf16ToUtf8(units);
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (base2::IsValidUtf8(bytes)) return bytes;
  return Gb18030ToUtf8(bytes);
}

}  // namespace

struct ProfileReader::Impl {
  base2::IniFile file;
};

ProfileReader::ProfileReader(const std::string& path) : impl_(new Impl) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return;
  std::ostringstream bytes;
  bytes << stream.rdbuf();
  impl_->file = base2::IniFile::Parse(DecodeIniText(bytes.str()));
}

ProfileReader::~ProfileReader() = default;

std::string ProfileReader::Read(const char* section, const char* key, const char* default_value) const {
  std::optional<std::string> value = impl_->file.Find(section, key);
  return base2::CutUtf8(value ? *value : std::string(default_value), kMaxValueBytes);
}

}  // namespace platform
