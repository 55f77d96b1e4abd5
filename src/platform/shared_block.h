#ifndef QOR_PLATFORM_SHARED_BLOCK_H_
#define QOR_PLATFORM_SHARED_BLOCK_H_

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// A named block of memory shared by the processes of this executable
// ("Shell_Share_Memory"). It lives while one process holds it; a process
// holds the block it opened or created until it ends. Thread-compatible.
class SharedBlock {
 public:
  static constexpr size_t kSize = 4096;

  // The block if some live process made it; null otherwise.
  static std::unique_ptr<SharedBlock> OpenExisting(const std::string& name);
  // A new block of kSize bytes; null when it cannot be made.
  static std::unique_ptr<SharedBlock> Create(const std::string& name);

  ~SharedBlock();
  SharedBlock(const SharedBlock&) = delete;
  SharedBlock& operator=(const SharedBlock&) = delete;

  char* data() { return data_; }
  // Tells readers that the creator has written its text (they wait for it).
  void Publish();

 private:
  SharedBlock(intptr_t handle, char* data) : handle_(handle), data_(data) {}
  static std::unique_ptr<SharedBlock> MapWhole(intptr_t handle);  // Windows
  intptr_t handle_;
  char* data_;
};

}  // namespace platform

#endif  // QOR_PLATFORM_SHARED_BLOCK_H_
