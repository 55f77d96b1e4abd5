#ifndef QOR_PLATFORM_FOLDER_OPS_H_
#define QOR_PLATFORM_FOLDER_OPS_H_

#include <optional>
#include <string>
#include <vector>

// Listing and removing folder contents, on narrow system-text paths.
namespace platform {

struct FolderEntry {
  std::string name;
  // A link to a folder (symbolic link, junction): removed as a link, never
  // followed, so nothing outside the folder being cleared is touched.
  bool is_folder_link = false;
};

// The entries of `folder` without "." and ".."; nothing when it cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);
// True when `path` is a folder whose contents can be listed.
bool IsListableFolder(const std::string& path);
bool DeleteFileAt(const std::string& path);
bool RemoveFolder(const std::string& path);

}  // namespace platform

#endif  // QOR_PLATFORM_FOLDER_OPS_H_
