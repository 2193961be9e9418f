// An open file on POSIX systems.
#pragma once

namespace platform::native {

struct File {
  int fd = -1;
  // A new file's claim: a second descriptor holding its lock, so that the lock outlives the closing
  // of `fd` until the file has been moved into place. -1 for a file opened for reading.
  int claim = -1;
};

}  // namespace platform::native
