#ifndef QOR_PLUGINS_VISTEL_PICTURE_SIZE_H_
#define QOR_PLUGINS_VISTEL_PICTURE_SIZE_H_

#include <cstddef>
#include <cstdint>

// Width and height of JPEG and PNG pictures, read from the few header bytes
// that hold them; nothing is decoded or checked further. Log lines carry the
// module's version tag. Thread-safe: every call uses its own file.

// Where the readers get their bytes: a file, or memory (for the fuzzers).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads exactly `count` bytes; false when fewer are left.
  virtual bool Read(uint8_t* out, size_t count) = 0;
  // Moves by `offset` from the current position (may pass the end).
  virtual bool Skip(long offset) = 0;
  virtual bool SeekTo(long offset) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Read(uint8_t* out, size_t count) override;
  bool Skip(long offset) override;
  bool SeekTo(long offset) override;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

// 0 and the size, or -1. `path` is narrow system text, used in log lines.
int ReadPngSize(ByteSource& source, const char* path, int* width, int* height);
int ReadJpegSize(ByteSource& source, int* width, int* height);

// The same for a file: 0, or -1 when it cannot be opened or read.
int GetPNGWidthHeight(const char* path, int* width, int* height);
int GetJPEGWidthHeight(const char* path, int* width, int* height);

// Chooses the reader by the last three bytes of `path` ("jpg" or "png").
// 0 success, -1 path of 4 bytes or fewer, -2 the reader failed, -3 neither.
int GetPicWidthHeight(const char* path, int* width, int* height);

#endif  // QOR_PLUGINS_VISTEL_PICTURE_SIZE_H_
