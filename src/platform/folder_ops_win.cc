#include "platform/folder_ops.h"

#include <windows.h>

#include <cstring>

namespace platform {

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "//*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<FolderEntry> entries;
  do {
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    entries.push_back({found.cFileName, link});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

bool IsListableFolder(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "//*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

}  // namespace platform
