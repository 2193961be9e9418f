#include "app/notice.h"

#include "app/text_tables.h"
#include "platform/message_box.h"

namespace kalvor {

void ShowNotice(const std::string& text, int languageIndex) {
  platform::ShowMessageBox(text, Text(text::ttlMessageBox, languageIndex), platform::MessageButtons::kOk);
}

bool AskYesNo(const std::string& question, int languageIndex) {
  return platform::ShowMessageBox(question, Text(text::ttlMessageBox, languageIndex),
                                  platform::MessageButtons::kYesNo) == platform::MessageAnswer::kYes;
}

}  // namespace kalvor
