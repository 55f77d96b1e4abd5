#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base2/file_path.h"
#include "platform/process.h"

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path dir = fs::temp_directory_path() /
                 ("qor-" + std::to_string(platform::CurrentProcessId()) + "-" + std::to_string(stamp) + "-" +
                  std::to_string(counter++));
  fs::create_directories(dir);
  path_ = dir.u8string();
  while (path_.size() > 1 && (path_.back() == '/' || path_.back() == '\\')) path_.pop_back();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(fs::u8path(path_), ignored);
}

std::string TempDir::Child(const std::string& name) const { return base2::JoinPath(path_, name); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(fs::u8path(path), std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream stream(fs::u8path(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << stream.rdbuf();
  return bytes.str();
}

}  // namespace testsupport
