#include "shell/shell_settings.h"

#include "base2/file_path.h"
#include "base2/string_util.h"
#include "base2/text_convert.h"
#include "platform/paths.h"
#include "platform/profile_reader.h"
#include "platform/system_text.h"

namespace shell {

// The server defaults point at this machine: the shell itself never uses them.
const std::array<SettingEntry, kSettingCount> kSettingTable = {{
    {"HomeUrl", "UrlType", "1"},
    {"HomeUrl", "URL", "about:blank"},
    {"AppConfig", "BaseUrl", "http://127.0.0.1:8080/tss"},
    {"AppConfig", "AppKey", "qpwm"},
    {"AppConfig", "AppSecret", "b3e90a5d71c2f8e46d0ab9137ce5a2f8"},
    {"AppConfig", "UploadUrl", "127.0.0.1:50201"},
    {"AppConfig", "ServerUrl", "127.0.0.1:50201"},
    {"AppConfig", "AppId", "7019384"},
    {"AppConfig", "StaticImageUrl", "http://127.0.0.1:8080/img"},
    {"ShellConfig", "FullScreen", "1"},
    {"ShellConfig", "WindowMaximize", "1"},
    {"ShellConfig", "NoBorder", "1"},
    {"ShellConfig", "ClientType", "1"},
    {"ShellConfig", "AppTitle", "Lumora"},
    {"ShellConfig", "LogoTitle", "Lumora"},
    {"ShellConfig", "WindowWidth", "1000"},
    {"ShellConfig", "WindowHeight", "700"},
    {"ShellConfig", "ShowLogoImg", "1"},
    {"ShellConfig", "CopyRight", "Veltrano"},
    {"ShellConfig", "MutexName", "KestrelClient"},
    {"ShellConfig", "Mutex", "KestrelClient"},
    {"ShellConfig", "Mutex2", "MentorDesk"},
    {"ShellConfig", "UpdateClient", "upgrade\\bin\\upd.exe"},
    {"ShellConfig", "About", "About.chm"},
    {"ShellConfig", "SDTest", "devcheck\\bin\\DevCheck.exe 1"},
    {"ShellConfig", "AutoUpgrade", "1"},
    {"ShellConfig", "ShowDevTools", "1"},
    {"ShellConfig", "MultiApp", "1"},
    {"ShellConfig", "CloseApp", "0"},
    {"ShellConfig", "ProductName", "zembra"},
    {"ShellConfig", "ProductId", "7c1e9b42-0d3a-4f85-b6e2-93a0c5d7e418"},
    {"ShellConfig", "ProductPages", "tarsk"},
    {"ShellConfig", "ProductVersion", "1"},
    {"ShellConfig", "OnLineEval", "1"},
    {"ShellConfig", "EvalRegion", "orvane"},
    {"ShellConfig", "ClientRegion", "zembra"},
    {"ShellConfig", "ConfigsService",
     "http://127.0.0.1/ApiService_Student/Services/ConfigsService.asmx"},
    {"ShellConfig", "Version", "1.0.0.1"},
    {"ShellConfig", "ClearTemp", "0"},
    {"ShellConfig", "TimeStamp", "0"},
}};

ShellSettings ShellSettings::Load(const std::string& ini_path, const std::string& exe_dir) {
  ShellSettings settings;
  platform::ProfileReader reader(ini_path);
  for (size_t i = 0; i < kSettingCount; ++i) {
    settings.fields_[i] = reader.Read(kSettingTable[i].section, kSettingTable[i].key, kSettingTable[i].default_value);
  }
  // "\folder\page.html" names a file below the executable's folder.
  std::string& url = settings.fields_[kUrl];
  if (!url.empty() && url.front() == '\\') url = platform::FromWindowsSeparators(base2::Utf8ToSystem(exe_dir) + url);
  return settings;
}

int ShellSettings::WindowWidthPixels() const { return base2::ParseLeadingInt(fields_[kWindowWidth], kDefaultWidth); }

int ShellSettings::WindowHeightPixels() const {
  return base2::ParseLeadingInt(fields_[kWindowHeight], kDefaultHeight);
}

std::u16string ShellSettings::AppTitleUtf16() const { return platform::SystemToUtf16(fields_[kAppTitle]); }

const ShellSettings& Settings() {
  static const ShellSettings* settings = new ShellSettings(ShellSettings::Load(
      base2::JoinPath(platform::ExecutableDir(), "shell.ini"), platform::ExecutableDir()));
  return *settings;
}

namespace {
// Reads the file while the process starts, before anything can log.
const bool g_settings_read_at_start = (Settings(), true);
}  // namespace

}  // namespace shell
