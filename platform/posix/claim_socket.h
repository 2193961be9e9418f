// A program folder held by a listening socket in Linux's abstract namespace: the name is gone the
// moment its process ends, however it ends, and no file is ever made for it.
#pragma once

#include <string>

namespace platform::posix {

// The folder as the system names it, links resolved, so that two ways of writing one folder meet;
// as given where it cannot be resolved.
std::string ResolvedFolder(const std::string& folder);

struct SocketClaim {
  bool held = false;   // this process holds the name; false: a running process does
  int listening = -1;  // the socket other copies connect to; -1 when the system offered none
};

// Takes `name`. Where another process holds it, connects to that one as its request to come to the
// front and holds nothing. Where the system has no such sockets, holds the folder without a socket:
// a start goes on rather than fail.
SocketClaim ClaimName(const std::string& name);

// Accepts every connection waiting on `listening` and closes it; true when one of them came from a
// process of this same user (others may not move this user's windows).
bool TakeFrontRequests(int listening);

}  // namespace platform::posix
