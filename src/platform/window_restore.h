#ifndef QOR_PLATFORM_WINDOW_RESTORE_H_
#define QOR_PLATFORM_WINDOW_RESTORE_H_

namespace platform {

// Asks the running copy of this executable to restore and show its main
// window (class "SHELL"). Does nothing when none listens. Thread-safe.
void SendRestoreRequest();

}  // namespace platform

#endif  // QOR_PLATFORM_WINDOW_RESTORE_H_
