#include "platform/shared_block.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace platform {

// The whole block of `mapping` mapped, owning the handle; null on failure.
std::unique_ptr<SharedBlock> SharedBlock::MapWhole(intptr_t handle) {
  HANDLE mapping = reinterpret_cast<HANDLE>(handle);
  if (!mapping) return nullptr;
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!view) {
    CloseHandle(mapping);
    return nullptr;
  }
  return std::unique_ptr<SharedBlock>(new SharedBlock(handle, static_cast<char*>(view)));
}

std::unique_ptr<SharedBlock> SharedBlock::OpenExisting(const std::string& name) {
  return MapWhole(reinterpret_cast<intptr_t>(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, Utf8ToWide(name).c_str())));
}

std::unique_ptr<SharedBlock> SharedBlock::Create(const std::string& name) {
  return MapWhole(reinterpret_cast<intptr_t>(
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSize, Utf8ToWide(name).c_str())));
}

SharedBlock::~SharedBlock() {
  UnmapViewOfFile(data_);
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

// The mapping is written before the creator starts anything that reads it.
void SharedBlock::Publish() {}

}  // namespace platform
