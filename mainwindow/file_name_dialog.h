// The small dialog that asks for the bitmap's file name.
#pragma once

#include <string>

namespace kalvor {

// Controls of the file-name dialog.
constexpr int kFileNameLabelId = 1028;
constexpr int kFileNameEditId = 1029;
constexpr int kFileNameCancelId = 1030;
constexpr int kFileNameAcceptId = 1031;

struct FileNameAnswer {
  bool fileNameDialogAccepted = false;
  std::string bitmapFileName;  // without extension, at most 259 characters
};

// Shows the dialog (no owner: every other window stays usable) until Accept with a name, or Cancel.
// `fileNameDialogOpen` is cleared the moment the dialog closes: when windows opened later still run
// their loops above this one, the call itself returns only once they have ended.
FileNameAnswer AskBitmapFileName(int languageIndex, bool& fileNameDialogOpen);

}  // namespace kalvor
