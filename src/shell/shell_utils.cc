#include "shell/shell_utils.h"

#include "base2/logging.h"
#include "base2/text_convert.h"
#include "platform/folder_ops.h"

namespace shell {

int DeleteDirectory(const std::string& path) {
  if (auto entries = platform::ListFolder(path)) {
    for (const platform::FolderEntry& entry : *entries) {
      std::string entry_path = path + "//" + entry.name;
      if (entry.is_folder_link) {
        platform::RemoveFolder(entry_path);
      } else if (platform::IsListableFolder(entry_path)) {
        DeleteDirectory(entry_path);
      } else {
        platform::DeleteFileAt(entry_path);
      }
    }
  }
  if (platform::RemoveFolder(path)) return 1;
  LOG(ERROR) << "【shell::DeleteDirectory】异常，目录：" << base2::SystemToUtf8(path);
  return 0;
}

ShellUtils& ShellUtils::GetInstance() {
  static ShellUtils* instance = new ShellUtils;
  return *instance;
}

}  // namespace shell
