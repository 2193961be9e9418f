// The message shown when a file cannot be written.
#pragma once

#include <string>

namespace kalvor {

// The description shown for an error number, in English in every language: "Disk full" for 61.
const char* FileErrorDescription(int errorNumber);
// "Err: ", the number with one leading space, a space and the description: "Err:  61 Disk full".
std::string FileErrorMessage(int errorNumber);
// Shows FileErrorMessage in a message box captioned ttlMessageBox, OK button, no icon.
void ShowFileError(int errorNumber, int languageIndex);

// Makes a data file plain (not read-only) and deletes it, ignoring failures. True when it is gone.
bool DeleteDataFile(const std::string& path);

}  // namespace kalvor
