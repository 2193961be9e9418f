// A message box of the main window's commands: the text, the caption ttlMessageBox, an OK button.
#pragma once

#include <string>

namespace kalvor {

void ShowNotice(const std::string& text, int languageIndex);

}  // namespace kalvor
