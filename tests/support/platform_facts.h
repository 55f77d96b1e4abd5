#ifndef QOR_TESTS_SUPPORT_PLATFORM_FACTS_H_
#define QOR_TESTS_SUPPORT_PLATFORM_FACTS_H_

#include <cstddef>

namespace testsupport {

// Whether a C++ exception thrown in a module can unwind into the host. On
// Linux the module and the host share one unwinder (libgcc_s). The Windows
// build links the runtime statically into every image, and a DWARF unwinder
// does not see the frames of another image: the exception ends the process.
bool ExceptionsCrossModuleBoundaries();

// Open file descriptors (Linux) or kernel handles (Windows) of this process.
size_t OpenHandleCount();

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_PLATFORM_FACTS_H_
