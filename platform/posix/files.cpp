// Files on POSIX systems: attributes, deletion and reading records.
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

struct RecordReader::Handle {
  int fd = -1;
};

RecordReader::RecordReader(const std::string& path) {
  // Non-blocking so that a pipe or device standing in for a data file cannot hang the program.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return;
  }
  handle_ = std::make_unique<Handle>(Handle{fd});
}

RecordReader::~RecordReader() {
  if (handle_) close(handle_->fd);
}

bool RecordReader::IsOpen() const {
  return handle_ != nullptr;
}

std::int64_t RecordReader::Length() const {
  struct stat info;
  if (!handle_ || fstat(handle_->fd, &info) != 0) return 0;
  return static_cast<std::int64_t>(info.st_size);
}

bool RecordReader::ReadAt(std::int64_t offset, void* buffer, std::size_t size) const {
  if (!handle_ || offset < 0) return false;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = pread(handle_->fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace platform
