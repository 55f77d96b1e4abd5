#include "platform/restore_listener_posix.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/per_user_name.h"

namespace platform {

sockaddr_un RestoreSocketAddress() {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string name = PerUserName("qor-shell-restore");
  // A leading NUL puts the name in the abstract namespace.
  std::memcpy(address.sun_path + 1, name.c_str(), std::min(name.size(), sizeof(address.sun_path) - 2));
  return address;
}

int ListenForRestoreRequests() {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_un address = RestoreSocketAddress();
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(fd, 8) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool TakeRestoreRequest(int listen_fd) {
  int client = accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return false;
  char buffer[16] = {};
  pollfd readable{client, POLLIN, 0};
  ssize_t got = poll(&readable, 1, 1000) > 0 ? read(client, buffer, sizeof(buffer) - 1) : -1;
  close(client);
  return got > 0 && std::strcmp(buffer, kRestoreRequest) == 0;
}

}  // namespace platform
