// Marking days with the mouse, New, Record and what the next start brings back, through the real windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "settings/settings_dialog.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

constexpr std::size_t kMarksFileSize = 20 * 868;
constexpr std::size_t kSmallDiskBytes = 64 * 1024;

platform::Colour Fill(platform::Window& window, const DayBox& day) {
  return automation::ViewPixel(window, kCalendarViewId, day.fillX(), day.fillY());
}

TEST(MarksE2e, AClickMarksADayLightGreyAndASecondClickClearsIt) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox day = DayOfTallestRun(2, 7);  // January 7, 2001: a Sunday
  std::vector<platform::Colour> before;
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, day), platform::kWhite);
    before = ViewPixels(window);
  });
  ClickView(day.left + 15, day.top + 15);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, day), kLightGrey);
    EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, day.left, day.top + 15), platform::kBlack);
  });
  ClickView(day.left + 15, day.top + 15);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, day), platform::kWhite);
    EXPECT_TRUE(ViewPixels(window) == before) << "two clicks leave the picture as it was";
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(MarksE2e, ClicksOutsideEveryDayChangeNothing) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  std::vector<platform::Colour> before;
  OnMainWindow([&](platform::Window& window) { before = ViewPixels(window); });
  // The origin, a year row, a month label, the gap before day 1, right of December 31, right of
  // February 28, 2001, below the last row; then a right click and a move over a day.
  for (const auto& [x, y] :
       {std::pair{0, 0}, {600, 75}, {100, 45}, {221, 45}, {1160, 45}, {1070, 135}, {600, 692}}) {
    ClickView(x, y);
  }
  OnMainWindow([](platform::Window& window) {
    automation::Mouse(window, kCalendarViewId, platform::MouseKind::kRightDown, 240, 45);
    automation::Mouse(window, kCalendarViewId, platform::MouseKind::kMove, 240, 45);
  });
  OnMainWindow([&](platform::Window& window) { EXPECT_TRUE(ViewPixels(window) == before); });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(MarksE2e, EdgePixelsHitTheirOwnDay) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox second = DayOfTallestRun(1, 2);
  const DayBox first = DayOfTallestRun(1, 1);
  const DayBox third = DayOfTallestRun(1, 3);
  // Each corner of December 2 toggles December 2 and no neighbour.
  const std::pair<int, int> corners[] = {{second.left, second.top},
                                         {second.right, second.top},
                                         {second.left, second.bottom},
                                         {second.right, second.bottom}};
  for (std::size_t i = 0; i < std::size(corners); ++i) {
    ClickView(corners[i].first, corners[i].second);
    OnMainWindow([&, marked = i % 2 == 0](platform::Window& window) {
      EXPECT_EQ(Fill(window, second), marked ? kLightGrey : platform::kWhite);
      EXPECT_EQ(Fill(window, first), platform::kWhite);
      EXPECT_EQ(Fill(window, third), platform::kWhite);
    });
  }
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(MarksE2e, NewClearsEveryMarkOnScreenButNotTheRecordedOnes) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox recorded = DayOfTallestRun(20, 31);
  const DayBox unrecorded = DayOfTallestRun(5, 1);
  ClickView(recorded.left + 10, recorded.top + 10);
  Menu(kCmdRecord);
  ClickView(unrecorded.left + 10, unrecorded.top + 10);
  Menu(kCmdNew);
  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, recorded), platform::kWhite);
    EXPECT_EQ(Fill(window, unrecorded), platform::kWhite);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);

  OnMainWindow([&](platform::Window& window) {
    EXPECT_EQ(Fill(window, recorded), kLightGrey);
    EXPECT_EQ(Fill(window, unrecorded), platform::kWhite);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(MarksE2e, RecordedDaysComeBackAtTheNextStartInTheirColours) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::vector<DayBox> days = {DayOfTallestRun(1, 1), DayOfTallestRun(3, 28), DayOfTallestRun(14, 15),
                                    DayOfTallestRun(20, 31)};
  for (const DayBox& day : days) ClickView(day.left + 10, day.top + 10);
  Menu(kCmdRecord);
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(folder);

  // Only mark.log was written, stamped with the id of the settings file that was there.
  const std::vector<std::uint8_t> marks = ReadBytes(folder.File("mark.log"));
  ASSERT_EQ(marks.size(), kMarksFileSize);
  for (std::size_t at = 16; at < marks.size(); at += 28) ASSERT_EQ(Get32(marks, at), kTallestRunId) << at;
  EXPECT_EQ(Get32(ReadBytes(folder.File("settings.log")), 28), kTallestRunId);

  OnMainWindow([&](platform::Window& window) {
    for (const DayBox& day : days) EXPECT_EQ(Fill(window, day), kLightGrey) << day.left << "," << day.top;
    EXPECT_EQ(Fill(window, DayOfTallestRun(1, 2)), platform::kWhite);
  });
  // A restored mark is unmarked by its first click.
  ClickView(days[0].left + 10, days[0].top + 10);
  OnMainWindow([&](platform::Window& window) { EXPECT_EQ(Fill(window, days[0]), platform::kWhite); });
  GetOutAndCloseEverything();
  RunProgram(folder);
}

TEST(MarksE2e, MarksMadeForOtherSettingsAreDiscardedSilently) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const DayBox day = DayOfTallestRun(1, 1);
  ClickView(day.left + 10, day.top + 10);
  Menu(kCmdRecord);
  GetOutAndCloseEverything();
  RunProgram(folder);

  Settings other = TallestRun();
  other.settingsId = kTallestRunId + 1;
  WriteSettingsFile(folder, other);
  ExpectNoBox();
  OnMainWindow([&](platform::Window& window) { EXPECT_EQ(Fill(window, day), platform::kWhite); });
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_FALSE(Exists(folder.File("mark.log")));
}

TEST(MarksE2e, AMarksFileOfTheWrongLengthIsReportedAndKept) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::vector<std::uint8_t> odd(29, 1);
  WriteBytes(folder.File("mark.log"), odd);
  std::vector<automation::SeenMessageBox> seen;
  // The message comes while the window initialises, before it shows.
  AnswerBox(seen);
  OnMainWindow([](platform::Window& window) {
    EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, 225, 55), platform::kWhite);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Error File format ...");
  EXPECT_EQ(seen[0].caption, "Programmer");
  EXPECT_EQ(ReadBytes(folder.File("mark.log")), odd);
}

// The settings dialog with the tallest run chosen, then Accept.
void AcceptTheTallestRunInTheSettingsDialog(bool save) {
  automation::Then([save] {
    platform::Window* dialog = automation::ActiveWindow();
    if (dialog == nullptr || !automation::MenuBar(*dialog).empty()) {
      ADD_FAILURE() << "the settings dialog is not open";
      return;
    }
    automation::ChooseItem(*dialog, kLanguageChooser, 4);  // English
    automation::ChooseItem(*dialog, kStartMonthList, 11);  // December
    automation::ChooseItem(*dialog, kStartYearList, 0);    // 2000
    automation::ChooseItem(*dialog, kLastMonthList, 6);    // July
    automation::ChooseItem(*dialog, kLastYearList, 2);     // 2002
    automation::ChooseItem(*dialog, kDayShapeList, 0);     // square
    if (save) automation::Click(*dialog, kSaveSettingsBox);
    automation::Click(*dialog, kAcceptButton);
  });
}

// A settings file with one value out of its range sends the user to the settings dialog; the marks
// recorded with it must not go while the user looks at a calendar of other settings. Record then
// stores settings and marks that the next start reads back.
TEST(MarksE2e, AMarksFileStaysUntouchedWhileItsSettingsCannotBeRead) {
  for (const bool saveInTheDialog : {false, true}) {
    SCOPED_TRACE(saveInTheDialog ? "settings saved by the dialog" : "settings not saved");
    TempFolder folder;
    WriteSettingsFile(folder, TallestRun());
    const DayBox day = DayOfTallestRun(3, 9);
    ClickView(day.left + 10, day.top + 10);
    Menu(kCmdRecord);
    GetOutAndCloseEverything();
    RunProgram(folder);
    const std::vector<std::uint8_t> marks = ReadBytes(folder.File("mark.log"));
    ASSERT_EQ(marks.size(), kMarksFileSize);

    Settings damaged = TallestRun();
    damaged.languageIndex = 7;
    WriteSettingsFile(folder, damaged);
    AcceptTheTallestRunInTheSettingsDialog(saveInTheDialog);
    OnMainWindow([&](platform::Window& window) {
      EXPECT_EQ(Fill(window, day), platform::kWhite);
      EXPECT_EQ(ReadBytes(folder.File("mark.log")), marks);
    });
    ExpectNoBox();
    GetOutAndCloseEverything();
    RunProgram(folder);
    EXPECT_EQ(ReadBytes(folder.File("mark.log")), marks);

    if (saveInTheDialog) continue;
    // Still damaged: the dialog again, and this time Record.
    AcceptTheTallestRunInTheSettingsDialog(false);
    ClickView(day.left + 10, day.top + 10);
    Menu(kCmdRecord);
    ExpectNoBox();
    GetOutAndCloseEverything();
    RunProgram(folder);
    const std::vector<std::uint8_t> settings = ReadBytes(folder.File("settings.log"));
    ASSERT_EQ(settings.size(), 32u);
    ASSERT_EQ(Get32(settings, 24), 5u) << "the settings chosen in the dialog were stored";
    EXPECT_EQ(Get32(ReadBytes(folder.File("mark.log")), 16), Get32(settings, 28));
    OnMainWindow([&](platform::Window& window) { EXPECT_EQ(Fill(window, day), kLightGrey); });
    GetOutAndCloseEverything();
    RunProgram(folder);
  }
}

TEST(MarksE2e, RecordKeepsAPrivateMarksFilePrivate) {
  using std::filesystem::perms;
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  Menu(kCmdRecord);
  GetOutAndCloseEverything();
  RunProgram(folder);
  const std::string marks = folder.File("mark.log");
  const std::vector<std::uint8_t> unmarked = ReadBytes(marks);
  std::filesystem::permissions(marks, perms::owner_read | perms::owner_write);
  if (std::filesystem::status(marks).permissions() != (perms::owner_read | perms::owner_write)) {
    GTEST_SKIP() << "this system keeps no permission bits beyond read-only for a file";
  }

  const DayBox day = DayOfTallestRun(1, 1);
  ClickView(day.left + 10, day.top + 10);
  Menu(kCmdRecord);
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_NE(ReadBytes(marks), unmarked) << "Record wrote nothing";
  EXPECT_EQ(std::filesystem::status(marks).permissions(), perms::owner_read | perms::owner_write);
}

}  // namespace
}  // namespace kalvor::testing
