#include "platform/posix/errno_map.h"

#include <cerrno>

#include "platform/files.h"

namespace platform {

int FileErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case ENOSPC:
    case EDQUOT:
      return kErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return kErrPermissionDenied;
    // A missing folder, or a path whose folder part is a file, is what Windows calls "path not found".
    case ENOENT:
    case ENOTDIR:
      return kErrPathNotFound;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
      return kErrBadFileName;
    case EMFILE:
    case ENFILE:
      return kErrTooManyFiles;
    case ENOMEM:
      return kErrOutOfMemory;
    case EIO:
      return kErrDiskMediaError;
    case EXDEV:
      return kErrRenameAcrossDisks;
    case ENODEV:
    case ENXIO:
      return kErrDeviceUnavailable;
    case EBADF:
      return kErrBadFileNumber;
    default:
      return kErrPathFileAccess;
  }
}

}  // namespace platform
