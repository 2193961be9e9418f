// The system calls beneath a replacement on POSIX systems. Nothing here follows a symbolic link: new
// files are made with O_EXCL | O_NOFOLLOW, entries are examined with lstat, and rename replaces a link
// itself. Names are taken relative to a descriptor of their folder, so that no path grows past the
// system's limit on account of a temporary file's name. A new file is locked (flock) from its creation
// until it has been moved into place: that is how another running copy tells it from a leftover.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/native_files.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/file_handle.h"

namespace platform::native {

const char kPathSeparators[] = "/";

namespace {
constexpr mode_t kNewFileMode = 0666;     // narrowed by the umask, as for any new file
constexpr mode_t kPermissionBits = 0777;  // who may read, write and run it; never set-id bits
constexpr int kClaimAttempts = 3;

Entry EntryOf(const struct stat& info, bool writable) {
  Entry entry;
  entry.exists = true;
  entry.isFolder = S_ISDIR(info.st_mode);
  entry.isLink = S_ISLNK(info.st_mode);
  entry.readOnly = S_ISREG(info.st_mode) && ((info.st_mode & S_IWUSR) == 0 || !writable);
  return entry;
}

bool SameFile(int fd, int folder, const std::string& name) {
  struct stat opened;
  struct stat named;
  return fstat(fd, &opened) == 0 && fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}
}  // namespace

struct Folder {
  int fd = -1;
};

void FolderCloser::operator()(Folder* folder) const {
  if (folder->fd >= 0) close(folder->fd);
  delete folder;
}

Entry Inspect(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return Entry{};
  return EntryOf(info, access(path.c_str(), W_OK) == 0);
}

bool AcceptableName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return !name.empty() && name.size() <= NAME_MAX && path.size() < PATH_MAX;
}

int OpenFolder(const std::string& path, FolderPtr& folder) {
  const int fd = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FileErrorFromErrno(errno);
  folder.reset(new Folder{fd});
  return kErrNone;
}

std::vector<std::string> FolderNames(Folder& folder) {
  std::vector<std::string> names;
  const int fd = dup(folder.fd);  // the listing takes its descriptor and closes it
  DIR* listing = fd < 0 ? nullptr : fdopendir(fd);
  if (listing == nullptr) {
    if (fd >= 0) close(fd);
    return names;
  }
  rewinddir(listing);
  while (const dirent* entry = readdir(listing)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names.emplace_back(entry->d_name);
    }
  }
  closedir(listing);
  return names;
}

Entry InspectIn(Folder& folder, const std::string& name) {
  struct stat info;
  if (fstatat(folder.fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return Entry{};
  return EntryOf(info, faccessat(folder.fd, name.c_str(), W_OK, 0) == 0);
}

// A temporary file whose lock can be taken belongs to no running copy. A link of such a name (never
// ours) does not open here and goes as well; only the link is removed.
void RemoveDeadTemporary(Folder& folder, const std::string& name) {
  const int fd = openat(folder.fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return;
  }
  unlinkat(folder.fd, name.c_str(), 0);
  if (fd >= 0) close(fd);
}

void SyncFolder(Folder& folder) {
  fsync(folder.fd);
}

// The owner first, as changing it may clear mode bits. Only root may give the file to another user;
// the group can be kept wherever the user belongs to it.
void TakePermissions(File& file, Folder& folder, const std::string& replaced) {
  struct stat info;
  if (fstatat(folder.fd, replaced.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) return;
  const bool owned = fchown(file.fd, info.st_uid, info.st_gid) == 0 ||
                     fchown(file.fd, static_cast<uid_t>(-1), info.st_gid) == 0;
  static_cast<void>(owned);  // a new owner is a nicety; the mode below is what keeps the file private
  fchmod(file.fd, (info.st_mode & kPermissionBits) | S_IWUSR);
}

namespace system {

// Created, then locked; another copy's sweep may have taken the name in between, in which case the
// file is made again.
int CreateNewFile(Folder& folder, const std::string& name, FilePtr& file) {
  for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
    const int fd =
        openat(folder.fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    if (fd < 0) return FileErrorFromErrno(errno);
    file.reset(new File{fd, -1});
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, folder.fd, name)) {
      file->claim = dup(fd);
      if (file->claim >= 0) return kErrNone;
      const int error = FileErrorFromErrno(errno);
      file.reset();
      unlinkat(folder.fd, name.c_str(), 0);
      return error;
    }
    file.reset();
  }
  return kErrPathFileAccess;
}

int WriteSome(File& file, const void* bytes, std::size_t size, std::size_t& written) {
  ssize_t done = -1;
  do {
    done = write(file.fd, bytes, size);
  } while (done < 0 && errno == EINTR);
  if (done < 0) return FileErrorFromErrno(errno);
  written = static_cast<std::size_t>(done);
  return kErrNone;
}

int Finish(File& file) {
  int error = fsync(file.fd) == 0 ? 0 : errno;
  if (close(file.fd) != 0 && error == 0) error = errno;
  file.fd = -1;
  return error == 0 ? kErrNone : FileErrorFromErrno(error);
}

int MoveOver(Folder& folder, File&, const std::string& from, const std::string& to) {
  return renameat(folder.fd, from.c_str(), folder.fd, to.c_str()) == 0 ? kErrNone : FileErrorFromErrno(errno);
}

}  // namespace system

}  // namespace platform::native
