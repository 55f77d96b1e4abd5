#include "base2/ini_parser.h"

#include "base2/string_util.h"

namespace base2 {
namespace {

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  std::string section;
  int section_index = -1;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = TrimWhitespace(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      section = std::string(TrimWhitespace(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
      ++section_index;
      continue;
    }
    size_t equals = line.find('=');
    if (section_index < 0 || equals == std::string_view::npos) continue;
    file.entries_.push_back({section_index, section, std::string(TrimWhitespace(line.substr(0, equals))),
                             std::string(Unquote(TrimWhitespace(line.substr(equals + 1))))});
  }
  return file;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  // Only the first section of that name counts, as with the Windows reader.
  int first_section = -1;
  for (const Entry& entry : entries_) {
    if (!EqualsIgnoreAsciiCase(entry.section, section)) continue;
    if (first_section < 0) first_section = entry.section_index;
    if (entry.section_index == first_section && EqualsIgnoreAsciiCase(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

}  // namespace base2
