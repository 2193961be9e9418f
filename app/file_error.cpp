#include "app/file_error.h"

#include "app/notice.h"
#include "platform/files.h"

namespace kalvor {

std::string FileErrorMessage(int errorNumber) {
  return "Err: " + (" " + std::to_string(errorNumber)) + " " + platform::FileErrorDescription(errorNumber);
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
