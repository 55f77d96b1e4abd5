#ifndef QOR_PLATFORM_PER_USER_NAME_H_
#define QOR_PLATFORM_PER_USER_NAME_H_

#include <string>

// Linux only: Windows names these objects in its own namespaces.
namespace platform {

// `base` made unique for this user and this executable file, for names of
// objects all copies of the executable share: "<base>-<uid>-<hash of path>".
std::string PerUserName(const std::string& base);

// The folder for this user's runtime files ($XDG_RUNTIME_DIR, else /tmp).
std::string RuntimeDir();

}  // namespace platform

#endif  // QOR_PLATFORM_PER_USER_NAME_H_
