#include "platform/posix/claim_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace platform::posix {

namespace {

// A copy that bound the name a moment ago may not listen yet: its connection is refused until it does.
constexpr int kConnectAttempts = 5;
constexpr auto kConnectRetry = std::chrono::milliseconds(10);

struct Address {
  sockaddr_un address{};
  socklen_t length = 0;
};

// An abstract name: a zero byte, then the name, not zero-terminated.
Address AbstractAddress(const std::string& name) {
  Address result;
  result.address.sun_family = AF_UNIX;
  const std::size_t size = std::min(name.size(), sizeof result.address.sun_path - 1);
  std::memcpy(result.address.sun_path + 1, name.data(), size);
  result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
  return result;
}

int NewSocket() {
  return socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// The connection is the whole request; a holder too busy to take it (a full backlog) is not waited for.
void AskHolderToComeForward(const Address& address) {
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    const int fd = NewSocket();
    if (fd < 0) return;
    const int result = connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length);
    const int error = errno;
    close(fd);
    if (result == 0 || error != ECONNREFUSED) return;
    std::this_thread::sleep_for(kConnectRetry);
  }
}

bool FromThisUser(int connection) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

}  // namespace

std::string ResolvedFolder(const std::string& folder) {
  char* resolved = realpath(folder.c_str(), nullptr);
  if (resolved == nullptr) return folder;
  std::string result(resolved);
  free(resolved);
  return result.back() == '/' ? result : result + '/';
}

SocketClaim ClaimName(const std::string& name) {
  const Address address = AbstractAddress(name);
  const int fd = NewSocket();
  if (fd < 0) return {true, -1};
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0) {
    const int error = errno;
    close(fd);
    if (error != EADDRINUSE) return {true, -1};
    AskHolderToComeForward(address);
    return {false, -1};
  }
  if (listen(fd, SOMAXCONN) != 0) {
    close(fd);
    return {true, -1};
  }
  return {true, fd};
}

bool TakeFrontRequests(int listening) {
  bool fromThisUser = false;
  while (true) {
    const int connection = accept4(listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (connection < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return fromThisUser;
    }
    fromThisUser = FromThisUser(connection) || fromThisUser;
    close(connection);
  }
}

}  // namespace platform::posix
