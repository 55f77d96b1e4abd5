#include "platform/native_library.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstring>

namespace platform {

NativeLibrary* NativeLibrary::Load(const std::string& path) {
  // Modules are linked with $ORIGIN in their search path, so their own
  // folder is searched first for what they need.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle ? new NativeLibrary(handle) : nullptr;
}

void* NativeLibrary::GetFunction(const char* name) const {
  dlerror();
  return dlsym(handle_, name);
}

unsigned long LastErrorCode() { return static_cast<unsigned long>(errno); }

std::string GetSystemErrorText() {
  const char* loader_error = dlerror();
  return loader_error ? loader_error : std::strerror(errno);
}

}  // namespace platform
