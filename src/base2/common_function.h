#ifndef QOR_BASE2_COMMON_FUNCTION_H_
#define QOR_BASE2_COMMON_FUNCTION_H_

#include <string>

namespace commonFunction {

// UTF-8 to the narrow system text; characters the code page lacks become its
// default character. Never throws: on failure it logs and gives "".
std::string U2G(const std::string& utf8);

}  // namespace commonFunction

#endif  // QOR_BASE2_COMMON_FUNCTION_H_
