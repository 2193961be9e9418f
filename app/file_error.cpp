#include "app/file_error.h"

#include <array>

#include "app/notice.h"
#include "platform/files.h"

namespace kalvor {

namespace {
struct ErrorDescription {
  int number;
  const char* description;
};

constexpr std::array<ErrorDescription, 17> kDescriptions = {{
    {platform::kErrIllegalFunctionCall, "Illegal function call"},
    {platform::kErrOutOfMemory, "Out of memory"},
    {platform::kErrInternal, "Internal error"},
    {platform::kErrBadFileNumber, "Bad file name or number"},
    {platform::kErrFileNotFound, "File not found"},
    {platform::kErrDeviceIo, "Device I/O error"},
    {platform::kErrDiskFull, "Disk full"},
    {platform::kErrInputPastEnd, "Input past end"},
    {platform::kErrBadFileName, "Bad file name"},
    {platform::kErrTooManyFiles, "Too many files"},
    {platform::kErrDeviceUnavailable, "Device unavailable"},
    {platform::kErrPermissionDenied, "Permission denied"},
    {platform::kErrDiskNotReady, "Disk not ready"},
    {platform::kErrDiskMediaError, "Disk media error"},
    {platform::kErrRenameAcrossDisks, "Rename across disks"},
    {platform::kErrPathFileAccess, "Path/file access error"},
    {platform::kErrPathNotFound, "Path not found"},
}};
}  // namespace

const char* FileErrorDescription(int errorNumber) {
  for (const ErrorDescription& entry : kDescriptions) {
    if (entry.number == errorNumber) return entry.description;
  }
  // Only the numbers above are ever produced; anything else reads as the catch-all failure.
  return "Path/file access error";
}

std::string FileErrorMessage(int errorNumber) {
  return "Err: " + (" " + std::to_string(errorNumber)) + " " + FileErrorDescription(errorNumber);
}

void ShowFileError(int errorNumber, int languageIndex) {
  ShowNotice(FileErrorMessage(errorNumber), languageIndex);
}

bool DeleteDataFile(const std::string& path) {
  platform::SetArchiveOnly(path);
  platform::RemoveFile(path);
  return !platform::FileExists(path);
}

}  // namespace kalvor
