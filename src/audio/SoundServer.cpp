#include "audio/SoundServer.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
// Something accepts connections on the socket at path. A socket file alone
// is not enough: a server that died leaves its socket behind. The server
// sees a client come and go at once, as it does for any that asks.
bool listening(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return false;
  sockaddr_un address{};
  // A path too long for an address cannot be asked; its socket is taken on trust.
  if (path.size() >= sizeof address.sun_path) return true;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;
  const bool accepted = ::connect(fd, reinterpret_cast<const sockaddr*>(&address),
                                  sizeof address) == 0 ||
                        errno == EAGAIN || errno == EINPROGRESS;  // a busy server is there
  ::close(fd);
  return accepted;
}
}  // namespace

bool soundServerListening(const std::string& runtimeFolder) {
  for (const char* name : {"/pulse/native", "/pipewire-0"}) {
    if (listening(runtimeFolder + name)) return true;
  }
  return false;
}
