#ifndef QOR_TESTS_SUPPORT_TEMP_DIR_H_
#define QOR_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>

namespace testsupport {

// A fresh folder below the system's temp folder, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // UTF-8 path without a trailing separator.
  const std::string& path() const { return path_; }
  // path() joined with `name`.
  std::string Child(const std::string& name) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_TEMP_DIR_H_
