#ifndef QOR_PLATFORM_PROFILE_READER_H_
#define QOR_PLATFORM_PROFILE_READER_H_

#include <memory>
#include <string>

namespace platform {

// Reads values of an INI file the way Windows' profile-string functions do:
// section and key names compared without regard to ASCII case, the first
// match wins, values trimmed and freed of one pair of surrounding quotes,
// at most 259 bytes of narrow system text. A missing file, section or key
// gives the default. Thread-compatible.
class ProfileReader {
 public:
  static constexpr size_t kMaxValueBytes = 259;

  explicit ProfileReader(const std::string& path);
  ~ProfileReader();
  ProfileReader(const ProfileReader&) = delete;
  ProfileReader& operator=(const ProfileReader&) = delete;

  std::string Read(const char* section, const char* key, const char* default_value) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform

#endif  // QOR_PLATFORM_PROFILE_READER_H_
