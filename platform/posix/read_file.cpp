// Reading a file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/native_files.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/file_handle.h"

namespace platform::native {

void FileCloser::operator()(File* file) const {
  if (file->fd >= 0) close(file->fd);
  if (file->claim >= 0) close(file->claim);
  delete file;
}

namespace system {

// Non-blocking so that a pipe or device standing in for a data file cannot hang the program.
int OpenForReading(const std::string& path, FilePtr& file) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return FileErrorFromErrno(errno);
  file.reset(new File{fd, -1});
  struct stat info;
  const int error = fstat(fd, &info) == 0 ? kErrNone : FileErrorFromErrno(errno);
  if (error != kErrNone || !S_ISREG(info.st_mode)) file.reset();
  return error;
}

int Length(File& file, std::int64_t& length) {
  struct stat info;
  if (fstat(file.fd, &info) != 0) return FileErrorFromErrno(errno);
  length = static_cast<std::int64_t>(info.st_size);
  return kErrNone;
}

int ReadSome(File& file, std::int64_t offset, void* buffer, std::size_t size, std::size_t& got) {
  ssize_t read = -1;
  do {
    read = pread(file.fd, buffer, size, static_cast<off_t>(offset));
  } while (read < 0 && errno == EINTR);
  if (read < 0) return FileErrorFromErrno(errno);
  got = static_cast<std::size_t>(read);
  return kErrNone;
}

}  // namespace system

}  // namespace platform::native
