#ifndef QOR_PLATFORM_NATIVE_LIBRARY_H_
#define QOR_PLATFORM_NATIVE_LIBRARY_H_

#include <string>

namespace platform {

// A loaded dynamic library. Libraries are never unloaded: the program keeps
// its modules until the process ends. Thread-safe.
class NativeLibrary {
 public:
  // Loads `path` (narrow system text); the library's own folder is searched
  // first for its dependencies. Null on failure; GetSystemErrorText() then
  // tells why.
  static NativeLibrary* Load(const std::string& path);

  // Null when the library has no such export; LastErrorCode() then tells why.
  void* GetFunction(const char* name) const;

 private:
  explicit NativeLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

// The calling thread's last system error code (0 where the system keeps none).
unsigned long LastErrorCode();

// The system's own text (UTF-8) for the calling thread's last failure, as the
// system formats it: a loader message, or the message of the error code.
std::string GetSystemErrorText();

}  // namespace platform

#endif  // QOR_PLATFORM_NATIVE_LIBRARY_H_
