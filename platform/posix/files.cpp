// Files on POSIX systems: the program's folder, attributes and deletion.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace platform {

namespace {
constexpr const char* kSelfExecutable = "/proc/self/exe";
constexpr std::size_t kPathBufferSize = 4096;
}  // namespace

std::string ExecutableFolder() {
  std::string buffer(kPathBufferSize, '\0');
  const ssize_t length = readlink(kSelfExecutable, buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return "./";
  buffer.resize(static_cast<std::size_t>(length));
  return buffer.substr(0, buffer.rfind('/') + 1);
}

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
