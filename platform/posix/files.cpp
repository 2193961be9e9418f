// Files on POSIX systems: attributes and deletion.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace platform {

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// Windows' "archive only" takes away read-only; here that means giving the owner write permission.
// A link has no permissions of its own, and the file it points to is not ours to change.
void SetArchiveOnly(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  fchmodat(AT_FDCWD, path.c_str(), (info.st_mode & 07777) | S_IWUSR, AT_SYMLINK_NOFOLLOW);
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

}  // namespace platform
