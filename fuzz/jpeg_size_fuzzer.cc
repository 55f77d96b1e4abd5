#include <cstddef>
#include <cstdint>

#include "picture_size.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemorySource source(data, size);
  int width = 0;
  int height = 0;
  ReadJpegSize(source, &width, &height);
  return 0;
}
