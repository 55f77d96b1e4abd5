#ifndef QOR_TESTS_SUPPORT_PLATFORM_FACTS_H_
#define QOR_TESTS_SUPPORT_PLATFORM_FACTS_H_

#include <cstddef>
#include <memory>
#include <string>

namespace testsupport {

// Whether a C++ exception thrown in a module can unwind into the host. On
// Linux the module and the host share one unwinder (libgcc_s). The Windows
// build links the runtime statically into every image, and a DWARF unwinder
// does not see the frames of another image: the exception ends the process.
bool ExceptionsCrossModuleBoundaries();

// Open file descriptors (Linux) or kernel handles (Windows) of this process.
size_t OpenHandleCount();

// Keeps `path` from being deleted while the result lives (Windows: an open
// handle without delete sharing; Linux: the immutable flag, or a read-only
// folder for a user without root). Null where this machine cannot.
std::shared_ptr<void> HoldUndeletable(const std::string& path);

// Replaces the crash handler the way a foreign library would, then gives the
// shell's lock time to act; false when the replacement took effect.
bool TryToReplaceCrashHandler();
void CrashNow();
// Where a crash leaves its dump or report, and whether `contents` is one.
std::string CrashReportPath();
bool LooksLikeCrashReport(const std::string& contents);

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_PLATFORM_FACTS_H_
