// The program's message boxes: the text, the caption ttlMessageBox in the current language, no icon.
#pragma once

#include <string>

namespace kalvor {

// With an OK button.
void ShowNotice(const std::string& text, int languageIndex);
// With Yes and No buttons; true for Yes.
bool AskYesNo(const std::string& question, int languageIndex);

}  // namespace kalvor
