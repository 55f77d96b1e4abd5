#include "platform/window_restore.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/restore_listener_posix.h"

namespace platform {

void SendRestoreRequest() {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  sockaddr_un address = RestoreSocketAddress();
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
    ssize_t ignored = write(fd, kRestoreRequest, std::strlen(kRestoreRequest));
    (void)ignored;
  }
  close(fd);
}

}  // namespace platform
