// The keyboard as a desktop user relies on it: Enter presses the focused button in every dialog and
// message box, Escape closes a box that merely informs and cancels the file-name dialog, a Yes/No
// question waits for Yes or No, and the other windows have no key that ends them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/text_tables.h"
#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/tallest_run.h"

namespace kalvor::testing {
namespace {

using automation::Key;
using platform::MessageAnswer;
using platform::Window;

constexpr const char* kColourCaption = "Your favorite colors load them and save them";
constexpr const char* kFileNameCaption = "File operation";
constexpr const char* kSaveQuestion = "To save changes before exiting ?";
constexpr const char* kFavouritesFile = "Mis Colores.log";
constexpr platform::Colour kChosen = 0x3366CC;

// The settings dialog: March to May 2024, then the focus on a button and a key.
void ChoosePeriodAndPress(int button, Key key) {
  automation::Then([button, key] {
    Window& dialog = *automation::ActiveWindow();
    automation::ChooseItem(dialog, kStartMonthList, 2);
    automation::ChooseItem(dialog, kStartYearList, 24);
    automation::ChooseItem(dialog, kLastMonthList, 4);
    automation::ChooseItem(dialog, kLastYearList, 24);
    automation::ChooseItem(dialog, kDayShapeList, 0);
    // Escape is no key of this dialog: nothing happens.
    automation::PressKey(dialog, Key::kEscape);
    EXPECT_EQ(automation::ActiveWindow(), &dialog);
    automation::Focus(dialog, button);
    automation::PressKey(dialog, key);
  });
}

TEST(KeyboardE2e, EnterOnTheFocusedAcceptOpensTheCalendar) {
  for (const Key enter : {Key::kEnter, Key::kKeypadEnter}) {
    TempFolder folder;
    bool calendarOpened = false;
    ChoosePeriodAndPress(kAcceptButton, enter);
    automation::Then([&calendarOpened] {
      Window* main = automation::ActiveWindow();
      ASSERT_NE(main, nullptr);
      calendarOpened = !automation::MenuBar(*main).empty();
      if (!calendarOpened) return automation::Click(*main, kCancelButton);  // still the dialog
      // Escape does not end the main window either.
      automation::PressKey(*main, Key::kEscape);
      EXPECT_EQ(automation::ActiveWindow(), main);
      automation::InvokeMenu(*main, kCmdGetOut);
    });
    RunProgram(folder);
    EXPECT_TRUE(calendarOpened);
  }
}

TEST(KeyboardE2e, EnterOnTheFocusedCancelEndsTheProgram) {
  TempFolder folder;
  ChoosePeriodAndPress(kCancelButton, Key::kEnter);
  // Runs only if the dialog stayed open.
  automation::Then([] {
    ADD_FAILURE() << "Enter did not press Cancel";
    automation::Click(*automation::ActiveWindow(), kCancelButton);
  });
  EXPECT_EQ(RunKalvor(folder.Path()), 0);
  EXPECT_EQ(automation::PendingSteps(), 1u);
  automation::ClearSteps();
  EXPECT_FALSE(Exists(folder.File(kSettingsFileName)));
}

TEST(KeyboardE2e, AnInformingBoxClosesWithEnterOrEscapeAndTheDialogStays) {
  TempFolder folder;
  for (const Key key : {Key::kEnter, Key::kEscape}) {
    automation::Then([] { automation::Click(*automation::ActiveWindow(), kAcceptButton); });  // refused
    automation::Then([key] {
      const auto box = automation::OpenMessageBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
      EXPECT_EQ(box->focusedButton, "OK");
      EXPECT_TRUE(box->closeBox);
      EXPECT_TRUE(automation::PressMessageBoxKey(key));
      EXPECT_FALSE(automation::OpenMessageBox());
      EXPECT_EQ(automation::OpenWindowCaptions(), std::vector<std::string>{"Kalvor"});
    });
  }
  automation::Then([] { automation::Click(*automation::ActiveWindow(), kCancelButton); });
  RunProgram(folder);
}

// The file-name dialog is a standard dialog: Enter in the name box accepts, Escape cancels; Enter on
// a focused button presses that button.
TEST(KeyboardE2e, EnterInTheNameBoxExportsAndEscapeCancels) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::string kept = folder.File("calendario");
  const std::string dropped = folder.File("cancelado");
  Menu(kCmdBitmap);
  OnWindow(kFileNameCaption, [](Window& dialog) {
    EXPECT_EQ(automation::FocusedControl(dialog), kFileNameEditId);  // the name box, ready for typing
    automation::PressKey(dialog, Key::kEnter);  // no name yet: refused, the dialog stays
  });
  automation::Then([] {
    const auto box = automation::AnswerMessageBox(MessageAnswer::kOk);
    ASSERT_TRUE(box) << "Enter in an empty name box did not press Accept";
    EXPECT_EQ(box->text, "You have to write a filename");
  });
  OnWindow(kFileNameCaption, [kept](Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, kept);
    automation::Focus(dialog, kFileNameEditId);
    automation::PressKey(dialog, Key::kEnter);
    EXPECT_FALSE(automation::WindowWithCaption(kFileNameCaption));
  });
  automation::Then([] {
    const auto box = automation::OpenMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Recorded a bitmap file");
    automation::PressMessageBoxKey(Key::kKeypadEnter);
  });
  // Escape with a name typed: nothing is written, and Bitmap opens the dialog again afterwards.
  Menu(kCmdBitmap);
  OnWindow(kFileNameCaption, [dropped](Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, dropped);
    automation::Focus(dialog, kFileNameEditId);
    automation::PressKey(dialog, Key::kEscape);
    EXPECT_FALSE(automation::WindowWithCaption(kFileNameCaption));
    EXPECT_FALSE(automation::OpenMessageBox());
  });
  Menu(kCmdBitmap);
  // Enter on the focused Cancel cancels too: the focused button wins over the dialog's Accept.
  OnWindow(kFileNameCaption, [dropped](Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, dropped);
    automation::Focus(dialog, kFileNameCancelId);
    automation::PressKey(dialog, Key::kKeypadEnter);
    EXPECT_FALSE(automation::WindowWithCaption(kFileNameCaption));
    EXPECT_FALSE(automation::OpenMessageBox());
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_EQ(ReadBytes(kept + ".bmp").size(), 2480994u);
  EXPECT_FALSE(Exists(dropped + ".bmp"));
}

// The colour dialog has no key to end it, but Enter presses whichever of its buttons has the focus.
TEST(KeyboardE2e, EnterPressesTheColourDialogsFocusedButton) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  Menu(kCmdFavouriteColours);
  OnWindow(kColourCaption, [](Window& dialog) {
    automation::PressKey(dialog, Key::kEscape);
    EXPECT_TRUE(automation::WindowWithCaption(kColourCaption));
    automation::Focus(dialog, kResetButtonId);
    automation::PressKey(dialog, Key::kEnter);
  });
  automation::Then([] {
    const auto box = automation::OpenMessageBox();
    ASSERT_TRUE(box) << "Enter did not press Reset";
    EXPECT_EQ(box->text, "RESET really want ?\r\nAll your favorite colors will be lost");
    automation::AnswerMessageBox(MessageAnswer::kNo);
  });
  OnWindow(kColourCaption, [](Window& dialog) {
    automation::Focus(dialog, kGetOutButtonId);
    automation::PressKey(dialog, Key::kKeypadEnter);
    EXPECT_FALSE(automation::WindowWithCaption(kColourCaption));
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// A dialog that loses the activation gets back the control that had the keyboard focus then, whatever
// was focused meanwhile: Enter on its return presses that button.
void LeaveAndReturn(Window& dialog, int focused, int focusedMeanwhile) {
  automation::Focus(dialog, focused);
  automation::Deactivate(dialog);
  automation::Focus(dialog, focusedMeanwhile);
  automation::Activate(dialog);
  EXPECT_EQ(automation::FocusedControl(dialog), focused);
  automation::PressKey(dialog, Key::kEnter);
}

TEST(KeyboardE2e, DialogsGetTheirFocusBackWhenActivatedAgain) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::string name = folder.File("kept");
  Menu(kCmdBitmap);
  OnWindow(kFileNameCaption, [name](Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, name);
    LeaveAndReturn(dialog, kFileNameAcceptId, kFileNameCancelId);
  });
  automation::Then([] {
    const auto box = automation::AnswerMessageBox(MessageAnswer::kOk);
    EXPECT_EQ(box ? box->text : "no message", "Recorded a bitmap file");
  });
  Menu(kCmdFavouriteColours);
  OnWindow(kColourCaption, [](Window& dialog) { LeaveAndReturn(dialog, kGetOutButtonId, kResetButtonId); });
  // Had Enter pressed Reset, its question would wait here, and the dialog would stay open.
  automation::Then([] {
    if (automation::OpenMessageBox()) automation::AnswerMessageBox(MessageAnswer::kNo);
  });
  automation::Then([] {
    Window* dialog = automation::WindowWithCaption(kColourCaption);
    EXPECT_EQ(dialog, nullptr) << "Enter did not press Get out";
    if (dialog != nullptr) automation::Click(*dialog, kGetOutButtonId);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_EQ(ReadBytes(name + ".bmp").size(), 2480994u);
}

// A palette change, then Get out: the question that follows.
void ChangeAColourAndGetOut() {
  Menu(kCmdFavouriteColours);
  OnWindow(kColourCaption, [](Window& dialog) {
    automation::Mouse(dialog, kPaletteViewId, platform::MouseKind::kLeftDown, 15, 15);
  });
  automation::Then([] { EXPECT_TRUE(automation::AnswerColourChooser(kChosen)); });
  OnWindow(kColourCaption, [](Window& dialog) {
    automation::PressKey(dialog, Key::kEscape);  // the dialog has no key to end it
    EXPECT_TRUE(automation::WindowWithCaption(kColourCaption));
    automation::Click(dialog, kGetOutButtonId);
  });
}

TEST(KeyboardE2e, TheSaveQuestionWaitsForYesOrNoAndKeepsTheChanges) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  ChangeAColourAndGetOut();
  automation::Then([] {
    EXPECT_TRUE(automation::PressMessageBoxKey(Key::kEscape));
    EXPECT_TRUE(automation::RequestMessageBoxClose());
    const auto box = automation::OpenMessageBox();
    ASSERT_TRUE(box) << "the question was dismissed";
    EXPECT_EQ(box->text, kSaveQuestion);
    EXPECT_EQ(box->buttons, (std::vector<std::string>{"Yes", "No"}));
    EXPECT_FALSE(box->closeBox);
    EXPECT_FALSE(box->hasIcon);
  });
  OnWindow(kColourCaption,
           [](Window& dialog) { EXPECT_TRUE(automation::ControlEnabled(dialog, kFileButtonId)); });
  // No, with the keyboard: Tab to it, then Enter.
  automation::Then([] {
    automation::PressMessageBoxKey(Key::kTab);
    EXPECT_EQ(automation::OpenMessageBox()->focusedButton, "No");
    automation::PressMessageBoxKey(Key::kEnter);
  });
  automation::Then([&folder] {
    EXPECT_FALSE(automation::WindowWithCaption(kColourCaption));
    EXPECT_FALSE(Exists(folder.File(kFavouritesFile)));
  });
  // Yes, the focused button, with Enter: saved.
  ChangeAColourAndGetOut();
  automation::Then([] {
    EXPECT_EQ(automation::OpenMessageBox()->focusedButton, "Yes");
    automation::PressMessageBoxKey(Key::kEnter);
  });
  automation::Then([&folder] {
    EXPECT_FALSE(automation::WindowWithCaption(kColourCaption));
    EXPECT_EQ(ReadBytes(folder.File(kFavouritesFile)).size(), 3120u);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

}  // namespace
}  // namespace kalvor::testing
