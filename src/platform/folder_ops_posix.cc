#include "platform/folder_ops.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace platform {

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::nullopt;
  std::vector<FolderEntry> entries;
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    std::string path = folder + "//" + entry->d_name;
    struct stat link {};
    struct stat target {};
    bool folder_link = lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
                       stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    entries.push_back({entry->d_name, folder_link});
  }
  closedir(dir);
  return entries;
}

bool IsListableFolder(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  return access(path.c_str(), R_OK | X_OK) == 0;
}

bool DeleteFileAt(const std::string& path) { return unlink(path.c_str()) == 0; }

// A link to a folder is removed as the link it is.
bool RemoveFolder(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) return unlink(path.c_str()) == 0;
  return rmdir(path.c_str()) == 0;
}

}  // namespace platform
