// The descriptions of the numbered file errors, the same on every platform.
#include <array>

#include "platform/files.h"

namespace platform {

namespace {
struct ErrorDescription {
  int number;
  const char* description;
};

constexpr std::array<ErrorDescription, 17> kDescriptions = {{
    {kErrIllegalFunctionCall, "Illegal function call"},
    {kErrOutOfMemory, "Out of memory"},
    {kErrInternal, "Internal error"},
    {kErrBadFileNumber, "Bad file name or number"},
    {kErrFileNotFound, "File not found"},
    {kErrDeviceIo, "Device I/O error"},
    {kErrDiskFull, "Disk full"},
    {kErrInputPastEnd, "Input past end"},
    {kErrBadFileName, "Bad file name"},
    {kErrTooManyFiles, "Too many files"},
    {kErrDeviceUnavailable, "Device unavailable"},
    {kErrPermissionDenied, "Permission denied"},
    {kErrDiskNotReady, "Disk not ready"},
    {kErrDiskMediaError, "Disk media error"},
    {kErrRenameAcrossDisks, "Rename across disks"},
    {kErrPathFileAccess, "Path/file access error"},
    {kErrPathNotFound, "Path not found"},
}};
}  // namespace

const char* FileErrorDescription(int errorNumber) {
  for (const ErrorDescription& entry : kDescriptions) {
    if (entry.number == errorNumber) return entry.description;
  }
  // Only the numbers above are ever produced; anything else reads as the catch-all failure.
  return "Path/file access error";
}

}  // namespace platform
