#ifndef QOR_SHELL_STARTUP_OPTIONS_H_
#define QOR_SHELL_STARTUP_OPTIONS_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base2/json_util.h"

// The start-up options: "ShowDevTools" and every --shell-app-KEY=VALUE
// argument, as one JSON object that the first process publishes in the
// shared block "Shell_Share_Memory" for its sub-processes. Main thread only.
namespace shell {

constexpr char kShellAppPrefix[] = "--shell-app-";
constexpr char kSubProcessMarker[] = "--type=";
constexpr char kSharedBlockName[] = "Shell_Share_Memory";

// Key and value (UTF-8, trimmed) of a --shell-app- argument: text after a
// second "=" is dropped; without "=" the value is empty. Nothing when the
// argument has no such prefix or an empty key.
std::optional<std::pair<std::string, std::string>> ParseShellAppArgument(const std::u16string& argument);

// This process's own options; a later argument wins, dotted keys nest.
base2::Json OwnStartupOptions(const std::vector<std::u16string>& arguments, const std::string& show_dev_tools);

// The options text to hand to the browser adapter: the block's options with
// this process's merged in when another process made the block, otherwise
// this process's own, which it then publishes in a new block.
std::string BuildStartupOptions(const std::vector<std::u16string>& arguments, const std::string& show_dev_tools);

// 0 when some argument holds "--type=" (a browser sub-process), -1 otherwise.
int SubProcessTest(const std::vector<std::u16string>& arguments);

// 1 when this start must hand over to the running copy (whose window is told
// to restore itself), 0 when it may go on.
int SingleInstanceTest(const std::vector<std::u16string>& arguments, const std::string& multi_app);

}  // namespace shell

#endif  // QOR_SHELL_STARTUP_OPTIONS_H_
