#include "picture_size.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base2/logging.h"
#include "base2/text_convert.h"
#include "common/plugin_identity.h"

namespace {

class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  ~FileSource() override { std::fclose(file_); }
  bool Read(uint8_t* out, size_t count) override { return std::fread(out, 1, count, file_) == count; }
  bool Skip(long offset) override { return std::fseek(file_, offset, SEEK_CUR) == 0; }
  bool SeekTo(long offset) override { return std::fseek(file_, offset, SEEK_SET) == 0; }

 private:
  std::FILE* file_;
};

bool ReadBigEndian(ByteSource& source, size_t bytes, uint32_t* value) {
  uint8_t buffer[4] = {};
  if (!source.Read(buffer, bytes)) return false;
  *value = 0;
  for (size_t i = 0; i < bytes; ++i) *value = (*value << 8) | buffer[i];
  return true;
}

// Paths are narrow system text; log messages are UTF-8.
std::string PathForLog(const char* path) { return base2::SystemToUtf8(path); }

std::unique_ptr<FileSource> OpenFile(const char* path, const char* reader) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    LOG(INFO) << qor_plugin::kVersionTag << "[" << reader << "]:can't open file:%s\n" << PathForLog(path) << "\r\n";
    return nullptr;
  }
  return std::make_unique<FileSource>(file);
}

}  // namespace

bool MemorySource::Read(uint8_t* out, size_t count) {
  if (position_ > size_ || size_ - position_ < count) {
    position_ = size_;
    return false;
  }
  std::memcpy(out, data_ + position_, count);
  position_ += count;
  return true;
}

bool MemorySource::Skip(long offset) {
  if (offset < 0 && static_cast<size_t>(-offset) > position_) return false;
  position_ += static_cast<size_t>(offset);
  return true;
}

bool MemorySource::SeekTo(long offset) {
  if (offset < 0) return false;
  position_ = static_cast<size_t>(offset);
  return true;
}

int ReadPngSize(ByteSource& source, const char* path, int* width, int* height) {
  *width = 0;
  *height = 0;
  // A wrong signature is only reported: the size fields are read regardless.
  const uint32_t expected[] = {0x89504E47, 0x0D0A1A0A};
  for (uint32_t signature : expected) {
    uint32_t value = 0;
    if (!ReadBigEndian(source, 4, &value) || value != signature) {
      LOG(INFO) << qor_plugin::kVersionTag << "[GetPNGWidthHeight]:png format error\n" << PathForLog(path) << "\r\n";
    }
  }
  uint32_t w = 0;
  uint32_t h = 0;
  if (!source.SeekTo(16) || !ReadBigEndian(source, 4, &w) || !ReadBigEndian(source, 4, &h)) {
    LOG(INFO) << qor_plugin::kVersionTag << "[GetPNGWidthHeight]:file too short for a size\n" << PathForLog(path)
              << "\r\n";
    return -1;
  }
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return 0;
}

int ReadJpegSize(ByteSource& source, int* width, int* height) {
  *width = 0;
  *height = 0;
  for (;;) {
    uint8_t prefix = 0;
    uint8_t marker = 0;
    if (!source.Read(&prefix, 1) || prefix != 0xFF || !source.Read(&marker, 1)) break;
    if (marker == 0xD8) continue;
    if (marker == 0xC0) {
      uint32_t h = 0;
      uint32_t w = 0;
      if (!source.Skip(3) || !ReadBigEndian(source, 2, &h) || !ReadBigEndian(source, 2, &w)) break;
      *height = static_cast<int>(h);
      *width = static_cast<int>(w);
      return 0;
    }
    if (marker == 0x00 || marker == 0xD9 || marker == 0xDA) {
      LOG(INFO) << qor_plugin::kVersionTag << "[GetJPEGWidthHeight]:can't find SOF0!\r\n";
      return -1;
    }
    uint32_t length = 0;
    // A length below 2 moves back onto the length bytes, which are no 0xFF:
    // the next round ends in the format error, so the search always ends.
    if (!ReadBigEndian(source, 2, &length)) break;
    bool known = (marker >= 0xE0 && marker <= 0xEF) || marker == 0xC4 || marker == 0xDB || marker == 0xDC ||
                 marker == 0xDD || marker == 0xFE;
    if (known) {
      source.Skip(static_cast<long>(length) - 2);
      continue;
    }
    char hex[8];
    std::snprintf(hex, sizeof(hex), "%x", marker);
    LOG(INFO) << qor_plugin::kVersionTag << "[GetJPEGWidthHeight]:unknown id: 0x" << hex << ";"
              << " length=" << length << "\r\n";
    if (!source.Skip(static_cast<long>(length) - 2)) break;
  }
  LOG(INFO) << qor_plugin::kVersionTag << "[GetJPEGWidthHeight]:jpeg format error!\r\n";
  return -1;
}

int GetPNGWidthHeight(const char* path, int* width, int* height) {
  *width = 0;
  *height = 0;
  std::unique_ptr<FileSource> file = OpenFile(path, "GetPNGWidthHeight");
  return file ? ReadPngSize(*file, path, width, height) : -1;
}

int GetJPEGWidthHeight(const char* path, int* width, int* height) {
  *width = 0;
  *height = 0;
  std::unique_ptr<FileSource> file = OpenFile(path, "GetJPEGWidthHeight");
  return file ? ReadJpegSize(*file, width, height) : -1;
}

int GetPicWidthHeight(const char* path, int* width, int* height) {
  size_t length = std::strlen(path);
  if (length <= 4) return -1;
  const char* ending = path + length - 3;
  if (std::strcmp(ending, "jpg") == 0) return GetJPEGWidthHeight(path, width, height) == 0 ? 0 : -2;
  if (std::strcmp(ending, "png") == 0) return GetPNGWidthHeight(path, width, height) == 0 ? 0 : -2;
  LOG(INFO) << qor_plugin::kVersionTag << "[GetPicWidthHeight]:only support jpg and png\r\n";
  return -3;
}
