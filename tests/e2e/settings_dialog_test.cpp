// The first run: the settings dialog driven as a user would, from an empty program folder.
#include "settings/settings_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/startup.h"
#include "mainwindow/main_window.h"
#include "platform/automation.h"
#include "platform/file_faults.h"
#include "settings/settings_file.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

namespace automation = platform::automation;
using platform::Window;

constexpr int kSpanish = 0;  // positions in the language chooser
constexpr int kEnglish = 4;
constexpr int kGerman = 3;

const std::vector<int> kLists = {kStartMonthList, kStartYearList, kLastMonthList, kLastYearList,
                                 kDayShapeList};

// List positions of a month, a year and a shape.
int MonthAt(int month) {
  return month - 1;
}
int YearAt(int year) {
  return year - 2000;
}
constexpr int kSquareAt = 0;
constexpr int kCircleAt = 1;

Window* Dialog() {
  Window* dialog = automation::ActiveWindow();
  if (dialog == nullptr) ADD_FAILURE() << "no window open";
  return dialog;
}

struct Period {
  int startMonth, startYear, lastMonth, lastYear;
};

void ChoosePeriod(Window& dialog, const Period& period) {
  automation::ChooseItem(dialog, kStartMonthList, MonthAt(period.startMonth));
  automation::ChooseItem(dialog, kStartYearList, YearAt(period.startYear));
  automation::ChooseItem(dialog, kLastMonthList, MonthAt(period.lastMonth));
  automation::ChooseItem(dialog, kLastYearList, YearAt(period.lastYear));
}

// Queues an Accept that must be refused with the message in the given language, and the answer to it.
void ThenAcceptIsRefused(const std::string& firstLine, const std::string& secondLine,
                         const std::string& caption) {
  automation::Then([] {
    if (Window* dialog = Dialog()) automation::Click(*dialog, kAcceptButton);
  });
  automation::Then([=] {
    const auto seen = automation::AnswerMessageBox(platform::MessageAnswer::kOk);
    ASSERT_TRUE(seen.has_value()) << "Accept was not refused";
    EXPECT_EQ(seen->text, firstLine + "\r\n" + secondLine);
    EXPECT_EQ(seen->caption, caption);
    EXPECT_EQ(seen->buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(seen->hasIcon);
  });
}

void ThenAcceptIsRefusedInSpanish() {
  ThenAcceptIsRefused("Tienes que seleccionar en todos los controles", "O te excedes de meses",
                      "Programador");
}

void ThenCancel() {
  automation::Then([] {
    if (Window* dialog = Dialog()) automation::Click(*dialog, kCancelButton);
  });
}

// Queues the steps that run inside the main window once Accept has opened it: it must be a window of its
// own with menus, the dialog gone; Get out then ends the program.
void ThenMainWindowOpensAndGetsOut(const Window* dialog, const std::function<void()>& whileOpen = {}) {
  automation::Then([dialog, whileOpen] {
    Window* main = automation::ActiveWindow();
    ASSERT_NE(main, nullptr) << "Accept opened no main window";
    EXPECT_NE(main, dialog);
    EXPECT_EQ(automation::Caption(*main), "Kalvor");
    EXPECT_FALSE(automation::MenuBar(*main).empty());
    EXPECT_EQ(automation::OpenWindowCaptions(), std::vector<std::string>{"Kalvor"})
        << "the dialog is still open";
    if (whileOpen) whileOpen();
    automation::InvokeMenu(*main, kCmdGetOut);
  });
}

// After Cancel or a close request no window may be left: neither the dialog nor a calendar. Whatever is
// left is failed and ended, so the run does not hang.
void ThenNothingIsLeftOpen() {
  automation::Then([] {
    Window* left = automation::ActiveWindow();
    if (left == nullptr) return;
    ADD_FAILURE() << "a window is still open";
    if (automation::MenuBar(*left).empty()) {
      automation::Click(*left, kCancelButton);
    } else {
      automation::InvokeMenu(*left, kCmdGetOut);
    }
  });
}

// Runs the program with the queued steps and checks that every step ran.
int RunWithSteps(const testing::TempFolder& folder) {
  const int exitCode = RunKalvor(folder.Path());
  EXPECT_EQ(automation::PendingSteps(), 0u) << "the program ended before all steps ran";
  automation::ClearSteps();
  return exitCode;
}

Settings StoredSettings(const testing::TempFolder& folder) {
  const std::vector<std::uint8_t> bytes = testing::ReadBytes(folder.File(kSettingsFileName));
  EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kSettingsRecordSize));
  return bytes.size() < kSettingsRecordSize ? Settings{} : DecodeSettingsRecord(bytes.data());
}

TEST(SettingsDialogRun, OpensInSpanishWithEmptyListsAndTheSpanishFlag) {
  testing::TempFolder folder;
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(automation::Caption(*dialog), "Kalvor");
    EXPECT_EQ(dialog->SelectedPosition(kLanguageChooser), kSpanish);
    const std::vector<std::string> languages = {"Español", "Portugues", "FranÇais",
                                                "Deutsch", "English",   "Italiano"};
    ASSERT_EQ(automation::ItemTexts(*dialog, kLanguageChooser).size(), 6u);
    for (int position = 0; position < 6; ++position) {
      EXPECT_EQ(automation::ItemTexts(*dialog, kLanguageChooser).at(position), languages[position]);
    }
    EXPECT_EQ(dialog->Text(kLanguagesLabel), "Idiomas");
    EXPECT_EQ(dialog->Text(kStartMonthLabel), "Mes de inicio");
    EXPECT_EQ(dialog->Text(kStartYearLabel), "Año de inicio");
    EXPECT_EQ(dialog->Text(kLastMonthLabel), "Mes último");
    EXPECT_EQ(dialog->Text(kLastYearLabel), "Año último");
    EXPECT_EQ(dialog->Text(kMaxMonthsLabel), "El número máximo de meses posibles es 20");
    EXPECT_EQ(dialog->Text(kDayShapesLabel), "Formas gráficas del día");
    EXPECT_EQ(dialog->Text(kSaveSettingsBox), "Guardar la configuración");
    EXPECT_EQ(dialog->Text(kCancelButton), "Cancelar");
    EXPECT_EQ(dialog->Text(kAcceptButton), "Aceptar");
    EXPECT_FALSE(dialog->Checked(kSaveSettingsBox));

    for (int list : {kStartMonthList, kLastMonthList}) {
      ASSERT_EQ(automation::ItemTexts(*dialog, list).size(), 12u);
      EXPECT_EQ(automation::ItemTexts(*dialog, list).at(0), "01 - Enero");
      EXPECT_EQ(automation::ItemTexts(*dialog, list).at(8), "09 - Septiembre");
      EXPECT_EQ(automation::ItemTexts(*dialog, list).at(11), "12 - Diciembre");
    }
    for (int list : {kStartYearList, kLastYearList}) {
      ASSERT_EQ(automation::ItemTexts(*dialog, list).size(), 51u);
      EXPECT_EQ(automation::ItemTexts(*dialog, list).at(0), "2000");
      EXPECT_EQ(automation::ItemTexts(*dialog, list).at(24), "2024");
      EXPECT_EQ(automation::ItemTexts(*dialog, list).at(50), "2050");
    }
    ASSERT_EQ(automation::ItemTexts(*dialog, kDayShapeList).size(), 2u);
    EXPECT_EQ(automation::ItemTexts(*dialog, kDayShapeList).at(0), "01 - cuadrado");
    EXPECT_EQ(automation::ItemTexts(*dialog, kDayShapeList).at(1), "02 - círculo");
    for (int list : kLists) EXPECT_EQ(dialog->SelectedPosition(list), -1) << list;
  });
  ThenCancel();
  EXPECT_EQ(RunWithSteps(folder), 0);
  EXPECT_FALSE(testing::Exists(folder.File(kSettingsFileName)));
}

TEST(SettingsDialogRun, HasTheFixedFrameSizeAndLayout) {
  testing::TempFolder folder;
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    const automation::Geometry client = automation::ClientGeometry(*dialog);
    EXPECT_EQ(client.width, 513);
    EXPECT_EQ(client.height, 267);
    EXPECT_EQ(dialog->ScreenX(), 105);
    EXPECT_EQ(dialog->ScreenY(), 114);
    const automation::Frame frame = automation::WindowFrame(*dialog);
    EXPECT_FALSE(frame.closeBox);
    EXPECT_FALSE(frame.minimiseBox);
    EXPECT_FALSE(frame.maximiseBox);
    EXPECT_FALSE(frame.resizable);
    // Three columns of labelled choices, 168 pixels apart with a margin of 8, labels 150 x 16 just
    // above their 160-wide lists; the blue note spans all three columns; the buttons sit at the outer
    // edges of the first and last column. Combo heights are the toolkit's own.
    const auto at = [dialog](int id) { return automation::ControlGeometry(*dialog, id); };
    const int columnLeft[] = {8, 8 + 168, 8 + 2 * 168};
    const int lastColumnRight = columnLeft[2] + 160;
    struct Pair {
      int label, list, column, labelTop;
    };
    for (const Pair& pair :
         {Pair{kLanguagesLabel, kLanguageChooser, 0, 24}, Pair{kStartMonthLabel, kStartMonthList, 1, 24},
          Pair{kStartYearLabel, kStartYearList, 2, 24}, Pair{kDayShapesLabel, kDayShapeList, 0, 80},
          Pair{kLastMonthLabel, kLastMonthList, 1, 80}, Pair{kLastYearLabel, kLastYearList, 2, 80}}) {
      SCOPED_TRACE(pair.label);
      const automation::Geometry label = at(pair.label);
      const automation::Geometry list = at(pair.list);
      EXPECT_EQ(label.x, columnLeft[pair.column]);
      EXPECT_EQ(label.y, pair.labelTop);
      EXPECT_EQ(label.width, 150);
      EXPECT_EQ(label.height, 16);
      EXPECT_EQ(list.x, label.x);
      EXPECT_EQ(list.y, label.y + label.height);
      EXPECT_EQ(list.width, 160);
    }
    const automation::Geometry note = at(kMaxMonthsLabel);
    EXPECT_EQ(note.x, columnLeft[0]);
    EXPECT_EQ(note.x + note.width, lastColumnRight);
    EXPECT_EQ(note.y, 128);
    EXPECT_EQ(note.height, 56);
    const automation::Geometry save = at(kSaveSettingsBox);
    EXPECT_EQ(save.x, columnLeft[0]);
    EXPECT_EQ(save.y, note.y + note.height + 8);
    EXPECT_EQ(save.width, 200);
    EXPECT_EQ(save.height, 24);
    const automation::Geometry cancel = at(kCancelButton);
    const automation::Geometry accept = at(kAcceptButton);
    EXPECT_EQ(cancel.x, columnLeft[0]);
    EXPECT_EQ(accept.x + accept.width, lastColumnRight);
    for (const automation::Geometry& button : {cancel, accept}) {
      EXPECT_EQ(button.y, 232);
      EXPECT_EQ(button.width, 80);
      EXPECT_EQ(button.height, 24);
    }
  });
  ThenCancel();
  EXPECT_EQ(RunWithSteps(folder), 0);
}

TEST(SettingsDialogRun, RefusesIncompleteOrInvalidPeriodsAndKeepsTheChoices) {
  testing::TempFolder folder;
  ThenAcceptIsRefusedInSpanish();  // nothing chosen
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Text(kAcceptButton), "Aceptar");
    ChoosePeriod(*dialog, {3, 2024, 3, 2024});  // one month, but no shape
  });
  ThenAcceptIsRefusedInSpanish();
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->SelectedPosition(kStartMonthList), MonthAt(3));
    EXPECT_EQ(dialog->SelectedPosition(kLastYearList), YearAt(2024));
    automation::ChooseItem(*dialog, kDayShapeList, kSquareAt);
    ChoosePeriod(*dialog, {12, 2024, 1, 2024});  // ends before it starts
  });
  ThenAcceptIsRefusedInSpanish();
  automation::Then([] {
    if (Window* dialog = Dialog()) ChoosePeriod(*dialog, {1, 2024, 9, 2025});  // 21 months
  });
  ThenAcceptIsRefusedInSpanish();
  automation::Then([] {
    if (Window* dialog = Dialog()) ChoosePeriod(*dialog, {1, 2024, 1, 2023});  // earlier year
  });
  ThenAcceptIsRefusedInSpanish();
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->SelectedPosition(kDayShapeList), kSquareAt);
    EXPECT_EQ(dialog->SelectedPosition(kLastYearList), YearAt(2023));
  });
  ThenCancel();
  EXPECT_EQ(RunWithSteps(folder), 0);
  EXPECT_FALSE(testing::Exists(folder.File(kSettingsFileName)));
}

TEST(SettingsDialogRun, ChangingTheLanguageRelabelsAndEmptiesTheChoices) {
  testing::TempFolder folder;
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ChoosePeriod(*dialog, {1, 2024, 6, 2024});
    automation::ChooseItem(*dialog, kDayShapeList, kCircleAt);
    automation::ChooseItem(*dialog, kLanguageChooser, kEnglish);
    EXPECT_EQ(dialog->SelectedPosition(kLanguageChooser), kEnglish);
    EXPECT_EQ(dialog->Text(kAcceptButton), "Accept");
    EXPECT_EQ(dialog->Text(kCancelButton), "Cancel");
    EXPECT_EQ(dialog->Text(kLanguagesLabel), "Languages");
    EXPECT_EQ(dialog->Text(kLastYearLabel), "Last year");
    EXPECT_EQ(dialog->Text(kSaveSettingsBox), "Save Settings");
    EXPECT_EQ(dialog->Text(kMaxMonthsLabel), "The maximum number of months is 20");
    EXPECT_EQ(automation::ItemTexts(*dialog, kStartMonthList).at(2), "03 - March");
    EXPECT_EQ(automation::ItemTexts(*dialog, kDayShapeList).at(1), "02 - circle");
    EXPECT_EQ(automation::ItemTexts(*dialog, kLastMonthList).size(), 12u);
    EXPECT_EQ(automation::ItemTexts(*dialog, kLastYearList).size(), 51u);
    EXPECT_EQ(automation::ItemTexts(*dialog, kDayShapeList).size(), 2u);
    for (int list : kLists) EXPECT_EQ(dialog->SelectedPosition(list), -1) << list;
  });
  ThenAcceptIsRefused("You have to select all controls", "Or you exceed months", "Programmer");
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    automation::ChooseItem(*dialog, kLanguageChooser, kGerman);
    EXPECT_EQ(dialog->Text(kLastMonthLabel), "Im vergangenen Monat");
    EXPECT_EQ(dialog->Text(kMaxMonthsLabel), "Die maximale Anzahl von Monaten 20");
    EXPECT_EQ(automation::ItemTexts(*dialog, kLastMonthList).at(2), "03 - März");
  });
  ThenAcceptIsRefused("Sie müssen alle Kontrollen wählen", "Oder Monate nicht überschreiten",
                      "Programmierer");
  ThenCancel();
  EXPECT_EQ(RunWithSteps(folder), 0);
}

TEST(SettingsDialogRun, TypedTextIsNoChoice) {
  testing::TempFolder folder;
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ChoosePeriod(*dialog, {3, 2024, 8, 2024});
    automation::ChooseItem(*dialog, kDayShapeList, kSquareAt);
    automation::TypeText(*dialog, kStartMonthList, "Marzo");
    EXPECT_EQ(dialog->SelectedPosition(kStartMonthList), -1);
  });
  ThenAcceptIsRefusedInSpanish();
  ThenCancel();
  EXPECT_EQ(RunWithSteps(folder), 0);
}

TEST(SettingsDialogRun, CancelAndCloseEndTheProgramWithoutSettings) {
  for (const bool byCloseRequest : {false, true}) {
    SCOPED_TRACE(byCloseRequest ? "close request" : "Cancel");
    testing::TempFolder folder;
    automation::Then([byCloseRequest] {
      Window* dialog = Dialog();
      ASSERT_NE(dialog, nullptr);
      ChoosePeriod(*dialog, {3, 2024, 8, 2024});
      automation::ChooseItem(*dialog, kDayShapeList, kSquareAt);
      automation::Click(*dialog, kSaveSettingsBox);
      if (byCloseRequest) {
        automation::RequestClose(*dialog);
      } else {
        automation::Click(*dialog, kCancelButton);
      }
    });
    ThenNothingIsLeftOpen();
    EXPECT_EQ(RunKalvor(folder.Path()), 0);
    automation::ClearSteps();
    EXPECT_FALSE(testing::Exists(folder.File(kSettingsFileName)));
  }
}

TEST(SettingsDialogRun, KeepsTheFocusedControlAcrossDeactivation) {
  testing::TempFolder folder;
  // One step to the end: activation changes let the toolkit run queued steps in the middle.
  automation::Then([] {
    Window* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    automation::Activate(*dialog);
    automation::Focus(*dialog, kLastYearList);
    automation::Deactivate(*dialog);
    // Focus moved while inactive does not count: the control that had it when the dialog lost the
    // activation gets it back.
    automation::Focus(*dialog, kAcceptButton);
    automation::Activate(*dialog);
    EXPECT_EQ(automation::FocusedControl(*dialog), kLastYearList);
    automation::Deactivate(*dialog);
    automation::Activate(*dialog);
    EXPECT_EQ(automation::FocusedControl(*dialog), kLastYearList);
    automation::Click(*dialog, kCancelButton);
  });
  EXPECT_EQ(RunWithSteps(folder), 0);
}

TEST(SettingsDialogRun, AcceptWithSaveTickedStoresTheChoicesAndOpensTheCalendar) {
  testing::TempFolder folder;
  const Window* dialog = nullptr;
  automation::Then([&dialog] {
    Window* shown = Dialog();
    ASSERT_NE(shown, nullptr);
    dialog = shown;
    automation::ChooseItem(*shown, kLanguageChooser, kEnglish);
    ChoosePeriod(*shown, {3, 2024, 8, 2024});
    automation::ChooseItem(*shown, kDayShapeList, kCircleAt);
    automation::Click(*shown, kSaveSettingsBox);
    EXPECT_TRUE(shown->Checked(kSaveSettingsBox));
    automation::Click(*shown, kAcceptButton);
  });
  // Steps are queued as the run goes, so the dialog's address is known by the time this one is added.
  automation::Then([&dialog, &folder] {
    // Written before the calendar opened.
    const Settings stored = StoredSettings(folder);
    EXPECT_EQ(stored.startMonth, 3);
    EXPECT_EQ(stored.lastMonth, 8);
    EXPECT_EQ(stored.startYearIndex, 25);
    EXPECT_EQ(stored.lastYearIndex, 25);
    EXPECT_EQ(stored.dayShape, 2);
    EXPECT_EQ(stored.monthCount, 6);
    EXPECT_EQ(stored.languageIndex, 5);
    EXPECT_GE(stored.settingsId, kSettingsIdMin);
    EXPECT_LE(stored.settingsId, kSettingsIdMax);
    ThenMainWindowOpensAndGetsOut(dialog);
  });
  EXPECT_EQ(RunWithSteps(folder), 0);

  // The next start goes straight to the calendar.
  ThenMainWindowOpensAndGetsOut(nullptr);
  EXPECT_EQ(RunWithSteps(folder), 0);
}

TEST(SettingsDialogRun, AcceptWithoutSaveWritesNothing) {
  for (const bool tickedThenUnticked : {false, true}) {
    SCOPED_TRACE(tickedThenUnticked ? "ticked, then unticked" : "never ticked");
    testing::TempFolder folder;
    const Window* dialog = nullptr;
    automation::Then([&dialog, tickedThenUnticked] {
      Window* shown = Dialog();
      ASSERT_NE(shown, nullptr);
      dialog = shown;
      ChoosePeriod(*shown, {1, 2024, 8, 2025});  // 20 months, the most allowed
      automation::ChooseItem(*shown, kDayShapeList, kSquareAt);
      if (tickedThenUnticked) {
        automation::Click(*shown, kSaveSettingsBox);
        automation::Click(*shown, kSaveSettingsBox);
      }
      automation::Click(*shown, kAcceptButton);
    });
    automation::Then([&dialog, &folder] {
      ThenMainWindowOpensAndGetsOut(
          dialog, [&folder] { EXPECT_FALSE(testing::Exists(folder.File(kSettingsFileName))); });
    });
    EXPECT_EQ(RunWithSteps(folder), 0);
    EXPECT_FALSE(testing::Exists(folder.File(kSettingsFileName)));
  }
}

// However fast a second Accept follows the first, one calendar opens: the second click comes while the
// calendar's loop runs, or while the save's error box is still open over the dialog. The first save
// fails (injected), so a second save would be seen as the settings file appearing.
TEST(SettingsDialogRun, ADoubleAcceptOpensOneCalendarAndSavesOnce) {
  for (const bool whileTheErrorBoxIsOpen : {false, true}) {
    SCOPED_TRACE(whileTheErrorBoxIsOpen ? "second Accept over the error box" : "second Accept at once");
    testing::TempFolder folder;
    Window* dialog = nullptr;
    int calendarsSeen = 0;
    std::vector<std::string> boxes;
    automation::Then([&dialog, whileTheErrorBoxIsOpen] {
      dialog = Dialog();
      ASSERT_NE(dialog, nullptr);
      ChoosePeriod(*dialog, {3, 2024, 8, 2024});
      automation::ChooseItem(*dialog, kDayShapeList, kSquareAt);
      if (whileTheErrorBoxIsOpen) {
        automation::Click(*dialog, kSaveSettingsBox);
        platform::testing::InjectReplaceFailure(platform::kErrDiskFull, platform::ReplaceStage::kWrite);
      }
      automation::Click(*dialog, kAcceptButton);
    });
    // Runs inside the error box's loop, or inside the calendar's.
    automation::Then([&dialog] { automation::Click(*dialog, kAcceptButton); });
    if (whileTheErrorBoxIsOpen) {
      automation::Then([&boxes] {
        while (const auto box = automation::AnswerMessageBox(platform::MessageAnswer::kOk)) {
          boxes.push_back(box->text);
        }
      });
    }
    // Every calendar that opens is counted and left; a second one would open after the first is left.
    for (int calendar = 0; calendar < 2; ++calendar) {
      automation::Then([&calendarsSeen] {
        Window* main = automation::ActiveWindow();
        if (main == nullptr || automation::MenuBar(*main).empty()) return;
        ++calendarsSeen;
        EXPECT_EQ(automation::OpenWindowCaptions(), std::vector<std::string>{"Kalvor"});
        automation::InvokeMenu(*main, kCmdGetOut);
      });
    }
    EXPECT_EQ(RunKalvor(folder.Path()), 0);
    automation::ClearSteps();
    platform::testing::InjectReplaceFailure(platform::kErrNone, platform::ReplaceStage::kNone, 0);
    EXPECT_EQ(calendarsSeen, 1);
    EXPECT_FALSE(testing::Exists(folder.File(kSettingsFileName))) << "the settings were saved twice";
    EXPECT_EQ(boxes, whileTheErrorBoxIsOpen ? std::vector<std::string>{"Err:  61 Disk full"}
                                            : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace kalvor
