#ifndef QOR_PLATFORM_RESTORE_LISTENER_POSIX_H_
#define QOR_PLATFORM_RESTORE_LISTENER_POSIX_H_

// Linux only. The running copy listens on an abstract Unix socket named for
// this user and executable; the kernel removes the name when the process
// ends, however it ends, so no stale name can mislead a later start.
#include <sys/un.h>

namespace platform {

constexpr char kRestoreRequest[] = "restore";

sockaddr_un RestoreSocketAddress();

// A listening socket, or -1 when another copy listens already.
int ListenForRestoreRequests();

// Accepts one connection on `listen_fd`; true when it asked to restore.
bool TakeRestoreRequest(int listen_fd);

}  // namespace platform

#endif  // QOR_PLATFORM_RESTORE_LISTENER_POSIX_H_
