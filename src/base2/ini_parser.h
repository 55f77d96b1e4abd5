#ifndef QOR_BASE2_INI_PARSER_H_
#define QOR_BASE2_INI_PARSER_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base2 {

// The INI text rules of Windows' profile-string functions: "[section]" lines,
// "key=value" lines, ';' comment lines, LF or CRLF line ends. Names compare
// without regard to ASCII case; the first section of a name and the first key
// in it win; values are trimmed and freed of one pair of surrounding quotes.
class IniFile {
 public:
  static IniFile Parse(std::string_view text);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    int section_index;  // which "[...]" line, counting from 0
    std::string section;
    std::string key;
    std::string value;
  };
  std::vector<Entry> entries_;
};

}  // namespace base2

#endif  // QOR_BASE2_INI_PARSER_H_
