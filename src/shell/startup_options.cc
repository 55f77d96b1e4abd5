#include "shell/startup_options.h"

#include <cstring>
#include <memory>

#include "base2/logging.h"
#include "base2/string_util.h"
#include "base2/text_convert.h"
#include "platform/instance_counter.h"
#include "platform/shared_block.h"
#include "platform/window_restore.h"

namespace shell {
namespace {

bool Contains(const std::u16string& text, const char* ascii) {
  return text.find(base2::Utf8ToUtf16(ascii)) != std::u16string::npos;
}

// Held until the process ends, so the block lives as long as we do.
std::unique_ptr<platform::SharedBlock>& HeldBlock() {
  static auto* block = new std::unique_ptr<platform::SharedBlock>;
  return *block;
}

std::string TextOfBlock(platform::SharedBlock& block) {
  return std::string(block.data(), strnlen(block.data(), platform::SharedBlock::kSize));
}

}  // namespace

std::optional<std::pair<std::string, std::string>> ParseShellAppArgument(const std::u16string& argument) {
  const std::u16string prefix = base2::Utf8ToUtf16(kShellAppPrefix);
  size_t at = argument.find(prefix);
  if (at == std::u16string::npos) return std::nullopt;
  std::string rest = base2::Utf16ToUtf8(argument.substr(at + prefix.size()));
  size_t equals = rest.find('=');
  std::string key(base2::TrimWhitespace(rest.substr(0, equals)));
  std::string value;
  if (equals != std::string::npos) {
    size_t next = rest.find('=', equals + 1);
    value = std::string(base2::TrimWhitespace(rest.substr(equals + 1, next == std::string::npos ? next : next - equals - 1)));
  }
  if (key.empty()) return std::nullopt;
  return std::make_pair(key, value);
}

base2::Json OwnStartupOptions(const std::vector<std::u16string>& arguments, const std::string& show_dev_tools) {
  base2::Json options = base2::Json::object();
  options["ShowDevTools"] = base2::SystemToUtf8(show_dev_tools);
  for (const std::u16string& argument : arguments) {
    if (auto option = ParseShellAppArgument(argument)) base2::SetPath(options, option->first, option->second);
  }
  return options;
}

std::string BuildStartupOptions(const std::vector<std::u16string>& arguments, const std::string& show_dev_tools) {
  base2::Json own = OwnStartupOptions(arguments, show_dev_tools);
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (auto existing = platform::SharedBlock::OpenExisting(kSharedBlockName)) {
      // Another copy, or the copy this sub-process belongs to, published its
      // options: ours are merged into a private copy, the block stays as is.
      std::string text = TextOfBlock(*existing);
      HeldBlock() = std::move(existing);
      if (text.empty()) return base2::WriteJson(own);
      std::optional<base2::Json> published = base2::ParseJsonObject(text);
      if (!published) return base2::WriteJson(own);
      base2::DeepMerge(*published, own);
      return base2::WriteJson(*published);
    }
    if (auto created = platform::SharedBlock::Create(kSharedBlockName)) {
      std::memset(created->data(), 0, 4);
      std::string result = base2::WriteJson(own);
      if (result.size() + 1 <= platform::SharedBlock::kSize) {
        std::memcpy(created->data(), result.c_str(), result.size() + 1);
      } else {
        LOG(WARNING) << "【shell::StartupOptions】options of " << result.size()
                     << " bytes do not fit the shared block; sub-processes get none";
      }
      created->Publish();
      HeldBlock() = std::move(created);
      return result;
    }
    // Another first process created it just now: read that one.
  }
  return base2::WriteJson(own);
}

int SubProcessTest(const std::vector<std::u16string>& arguments) {
  for (const std::u16string& argument : arguments) {
    if (Contains(argument, kSubProcessMarker)) return 0;
  }
  return -1;
}

int SingleInstanceTest(const std::vector<std::u16string>& arguments, const std::string& multi_app) {
  if (multi_app == "0") return 0;
  if (platform::InstanceCount() != 1) return 0;
  if (SubProcessTest(arguments) == 0) return 0;
  platform::SendRestoreRequest();
  return 1;
}

}  // namespace shell
