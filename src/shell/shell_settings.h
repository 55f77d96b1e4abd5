#ifndef QOR_SHELL_SHELL_SETTINGS_H_
#define QOR_SHELL_SHELL_SETTINGS_H_

#include <array>
#include <cstddef>
#include <string>

namespace shell {

// The fields of shell.ini, in the order they are read.
enum SettingField : size_t {
  kUrlType, kUrl, kBaseUrl, kAppKey, kAppSecret, kUploadUrl, kServerUrl, kAppId, kStaticImageUrl,
  kFullScreen, kWindowMaximize, kNoBorder, kClientType, kAppTitle, kLogoTitle, kWindowWidth,
  kWindowHeight, kShowLogoImg, kCopyRight, kMutexName, kMutex, kMutex2, kUpdateClient, kAbout,
  kSDTest, kAutoUpgrade, kShowDevTools, kMultiApp, kCloseApp, kProductName, kProductId,
  kProductPages, kProductVersion, kOnLineEval, kEvalRegion, kClientRegion, kConfigsService,
  kVersion, kClearTemp, kTimeStamp,
  kSettingCount
};

struct SettingEntry {
  const char* section;
  const char* key;
  const char* default_value;
};
extern const std::array<SettingEntry, kSettingCount> kSettingTable;

// The read-only record of shell.ini. Fields are narrow system text, at most
// 259 bytes each. Switches are compared whole with "0" or "1" by the callers.
// Immutable once loaded, so thread-safe.
class ShellSettings {
 public:
  static constexpr int kDefaultWidth = 1000;
  static constexpr int kDefaultHeight = 700;

  // Reads `ini_path` (UTF-8); a missing file gives the defaults. `exe_dir`
  // is the executable's folder (UTF-8), used for a home page given as
  // "\folder\page.html".
  static ShellSettings Load(const std::string& ini_path, const std::string& exe_dir);

  const std::string& Field(SettingField field) const { return fields_[field]; }

  std::string HomePageUrl() const { return fields_[kUrl]; }
  std::string FullScreen() const { return fields_[kFullScreen]; }
  std::string WindowMaximize() const { return fields_[kWindowMaximize]; }
  std::string NoBorder() const { return fields_[kNoBorder]; }
  std::string AppTitle() const { return fields_[kAppTitle]; }
  std::string WindowWidth() const { return fields_[kWindowWidth]; }
  std::string WindowHeight() const { return fields_[kWindowHeight]; }
  std::string AutoUpgrade() const { return fields_[kAutoUpgrade]; }
  std::string ShowDevTools() const { return fields_[kShowDevTools]; }
  std::string MultiApp() const { return fields_[kMultiApp]; }
  std::string CloseApp() const { return fields_[kCloseApp]; }
  std::string ClearTemp() const { return fields_[kClearTemp]; }

  // The window size as integers; a value without a leading number gives the default.
  int WindowWidthPixels() const;
  int WindowHeightPixels() const;
  std::u16string AppTitleUtf16() const;

 private:
  std::array<std::string, kSettingCount> fields_;
};

// shell.ini beside the executable, read once per process before main() runs.
const ShellSettings& Settings();

}  // namespace shell

#endif  // QOR_SHELL_SHELL_SETTINGS_H_
