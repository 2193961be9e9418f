#include "app/file_error.h"

#include "app/text_tables.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace kalvor {

std::string FileErrorMessage(int errorNumber) {
  return "Err: " + (" " + std::to_string(errorNumber)) + " " + platform::FileErrorDescription(errorNumber);
}

void ShowFileError(int errorNumber, int languageIndex) {
  platform::ShowMessageBox(FileErrorMessage(errorNumber), Text(text::ttlMessageBox, languageIndex),
                           platform::MessageButtons::kOk);
}

bool DeleteDataFile(const std::string& path) {
  platform::SetArchiveOnly(path);
  platform::RemoveFile(path);
  return !platform::FileExists(path);
}

}  // namespace kalvor
