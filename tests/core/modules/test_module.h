#ifndef QOR_TESTS_CORE_MODULES_TEST_MODULE_H_
#define QOR_TESTS_CORE_MODULES_TEST_MODULE_H_

// Small helpers for the modules the core tests load from disk.
#include <cstring>
#include <string>

#include "common/pln_interface.h"

namespace testmodule {

inline void WriteAnswer(const std::u16string& text, PlnChar* answer, int32_t* answer_bytes) {
  std::memcpy(answer, text.c_str(), (text.size() + 1) * sizeof(PlnChar));
  *answer_bytes = static_cast<int32_t>(text.size() * sizeof(PlnChar));
}

inline std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

inline std::string Narrow(const PlnChar* text) {
  std::string out;
  for (; *text; ++text) out += static_cast<char>(*text);
  return out;
}

}  // namespace testmodule

#endif  // QOR_TESTS_CORE_MODULES_TEST_MODULE_H_
