// The system calls beneath a replacement on POSIX systems. Nothing here follows a symbolic link: new
// files are made with O_EXCL | O_NOFOLLOW, entries are examined with lstat, and rename replaces a link
// itself.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/native_files.h"
#include "platform/posix/errno_map.h"

namespace platform::native {

const char kPathSeparators[] = "/";

namespace {
constexpr mode_t kNewFileMode = 0666;     // narrowed by the umask, as for any new file
constexpr mode_t kPermissionBits = 0777;  // who may read, write and run it; never set-id bits
}  // namespace

struct NewFile {
  int fd = -1;
};

void NewFileCloser::operator()(NewFile* file) const {
  if (file->fd >= 0) close(file->fd);
  delete file;
}

Entry Inspect(const std::string& path) {
  struct stat info;
  Entry entry;
  if (lstat(path.c_str(), &info) != 0) return entry;
  entry.exists = true;
  entry.isFolder = S_ISDIR(info.st_mode);
  entry.isLink = S_ISLNK(info.st_mode);
  entry.readOnly =
      S_ISREG(info.st_mode) && ((info.st_mode & S_IWUSR) == 0 || access(path.c_str(), W_OK) != 0);
  return entry;
}

bool AcceptableName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return !name.empty() && name.size() <= NAME_MAX && path.size() < PATH_MAX;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = readdir(listing)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names.emplace_back(entry->d_name);
    }
  }
  closedir(listing);
  return names;
}

int CreateNewFile(const std::string& path, NewFilePtr& file) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return FileErrorFromErrno(errno);
  file.reset(new NewFile{fd});
  return kErrNone;
}

// Carries on after partial writes.
int WriteAll(NewFile& file, const std::vector<std::uint8_t>& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t written = write(file.fd, content.data() + done, content.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return FileErrorFromErrno(errno);
    if (written == 0) return FileErrorFromErrno(EIO);  // no progress and no reason given: a device fault
    done += static_cast<std::size_t>(written);
  }
  return kErrNone;
}

// The owner first, as changing it may clear mode bits. Only root may give the file to another user;
// the group can be kept wherever the user belongs to it.
void TakePermissions(NewFile& file, const std::string& replaced) {
  struct stat info;
  if (lstat(replaced.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  const bool owned = fchown(file.fd, info.st_uid, info.st_gid) == 0 ||
                     fchown(file.fd, static_cast<uid_t>(-1), info.st_gid) == 0;
  static_cast<void>(owned);  // a new owner is a nicety; the mode below is what keeps the file private
  fchmod(file.fd, (info.st_mode & kPermissionBits) | S_IWUSR);
}

int Finish(NewFilePtr file) {
  int error = fsync(file->fd) == 0 ? 0 : errno;
  if (close(file->fd) != 0 && error == 0) error = errno;
  file->fd = -1;
  return error == 0 ? kErrNone : FileErrorFromErrno(error);
}

int MoveOver(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0 ? kErrNone : FileErrorFromErrno(errno);
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace platform::native
