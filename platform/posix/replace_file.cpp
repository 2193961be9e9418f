// Atomic replacement of a file: the new content goes completely into a fresh file beside the old one,
// reaches the disk, and only then is moved over the old name. Any failure leaves the old file alone.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <random>
#include <string>

#include "platform/files.h"
#include "platform/native_files.h"
#include "platform/posix/errno_map.h"

namespace platform {

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file
constexpr int kTemporaryNameAttempts = 100;
constexpr const char* kTemporaryPrefix = ".kalvor-";
constexpr const char* kTemporarySuffix = ".tmp";

ReplaceResult Failure(int errorNumber, ReplaceStage stage) {
  return ReplaceResult{errorNumber, stage};
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name the target itself could never have is refused before anything is created.
bool AcceptableName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return !name.empty() && name.size() <= NAME_MAX && path.size() < PATH_MAX;
}

struct TemporaryFile {
  int fd = -1;
  std::string path;
  int error = 0;  // errno of the last failed attempt
};

// O_EXCL makes sure the name is ours alone; a clash just means trying another one.
TemporaryFile CreateTemporary(const std::string& folder) {
  static std::mt19937 names{std::random_device{}()};
  TemporaryFile temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary.path = folder + kTemporaryPrefix + std::to_string(getpid()) + "-" + std::to_string(names()) +
                     kTemporarySuffix;
    temporary.fd = open(temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (temporary.fd >= 0) return temporary;
    temporary.error = errno;
    if (temporary.error != EEXIST) break;
  }
  return temporary;
}

// Writes everything, carrying on after partial writes; 0 on success, else the errno.
int WriteAll(int fd, const std::vector<std::uint8_t>& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t written = write(fd, content.data() + done, content.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;  // no progress and no reason given: treat as a device fault
    done += static_cast<std::size_t>(written);
  }
  return 0;
}

// Everything from writing to closing; 0 on success, else the errno. The descriptor is always closed.
int FillAndClose(int fd, const std::vector<std::uint8_t>& content) {
  int error = WriteAll(fd, content);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// Makes the rename itself durable; a failure here changes nothing the user could act on.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

namespace native {

ReplaceResult ReplaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& content) {
  if (!AcceptableName(path)) return Failure(kErrBadFileName, ReplaceStage::kCreate);
  // A folder standing where the file should be means the file cannot be created at all.
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
    return Failure(FileErrorFromErrno(EISDIR), ReplaceStage::kCreate);
  }

  const std::string folder = FolderOf(path);
  const TemporaryFile temporary = CreateTemporary(folder);
  if (temporary.fd < 0) return Failure(FileErrorFromErrno(temporary.error), ReplaceStage::kCreate);

  int error = FillAndClose(temporary.fd, content);
  if (error == 0 && rename(temporary.path.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.path.c_str());
    return Failure(FileErrorFromErrno(error), ReplaceStage::kWrite);
  }
  SyncFolder(folder);
  return ReplaceResult{};
}

}  // namespace native

}  // namespace platform
