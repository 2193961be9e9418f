// Every label, check box and button text of every window, in all six languages, stands inside its
// control with two pixels to spare at each side, and none of its lines is cut off below.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text_tables.h"
#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "settings/settings_dialog.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/tallest_run.h"

namespace kalvor::testing {
namespace {

constexpr int kSpare = 2;

const std::vector<int> kSettingsTexts = {kLanguagesLabel, kStartMonthLabel, kStartYearLabel, kLastMonthLabel,
                                         kLastYearLabel,  kMaxMonthsLabel,  kDayShapesLabel, kSaveSettingsBox,
                                         kCancelButton,   kAcceptButton};
const std::vector<int> kFileNameTexts = {kFileNameLabelId, kFileNameCancelId, kFileNameAcceptId};
const std::vector<int> kColourTexts = {kFileButtonId, kResetButtonId, kGetOutButtonId};

void ExpectTextsFit(const std::string& caption, const std::vector<int>& ids, int language) {
  platform::Window* window = automation::WindowWithCaption(caption);
  if (window == nullptr) {
    ADD_FAILURE() << "not open: " << caption;
    return;
  }
  for (int id : ids) {
    const automation::TextFit fit = automation::ControlTextFit(*window, id);
    const std::string where = "\"" + window->Text(id) + "\" (control " + std::to_string(id) + ", language " +
                              std::to_string(language) + ")";
    EXPECT_GT(fit.textWidth, 0) << where;
    EXPECT_LE(fit.textWidth + 2 * kSpare, fit.roomWidth) << where;
    EXPECT_LE(fit.textHeight, fit.roomHeight) << where;
  }
}

TEST(TextFitE2e, SettingsDialogInEveryLanguage) {
  TempFolder folder;  // no settings file: the settings dialog opens
  for (int language = 1; language <= kLanguageCount; ++language) {
    automation::Then([language] {
      automation::ChooseItem(*automation::ActiveWindow(), kLanguageChooser, language - 1);
      ExpectTextsFit(kMainWindowCaption, kSettingsTexts, language);
    });
  }
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kCancelButton); });
  RunProgram(folder);
}

class TextFitInLanguage : public ::testing::TestWithParam<int> {};

TEST_P(TextFitInLanguage, FileNameAndColourDialogs) {
  const int language = GetParam();
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun(language));
  const std::string fileName = Text(text::ttlFileOperation, language);
  const std::string colours = Text(text::ttlFavouriteColours, language);
  Menu(kCmdBitmap);
  automation::Then([fileName, language] {
    ExpectTextsFit(fileName, kFileNameTexts, language);
    automation::Click(*automation::WindowWithCaption(fileName), kFileNameCancelId);
  });
  Menu(kCmdFavouriteColours);
  automation::Then([colours, language] {
    ExpectTextsFit(colours, kColourTexts, language);
    automation::Click(*automation::WindowWithCaption(colours), kGetOutButtonId);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

INSTANTIATE_TEST_SUITE_P(SixLanguages, TextFitInLanguage, ::testing::Range(1, kLanguageCount + 1));

}  // namespace
}  // namespace kalvor::testing
