// Data files as a busy or failing machine leaves them: held by another program, unreadable, absurdly
// long, or deep in a folder near the system's limit on paths. Whatever the program could not read it
// reports once and keeps byte for byte until the user saves; what it reads it reads in bounded time.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "colours/colour_dialog.h"
#include "mainwindow/file_name_dialog.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "settings/settings_dialog.h"
#include "tests/e2e/main_window_steps.h"
#include "tests/support/file_states.h"

namespace kalvor::testing {
namespace {

constexpr const char* kColourDialogCaption = "Your favorite colors load them and save them";
constexpr const char* kFileNameDialogCaption = "File operation";
constexpr platform::Colour kMarkColour = 0x3366CC;
constexpr int kMarkedSlot = 2;
constexpr int kMarkedDay = 7;
// More failures than a second of retries takes, and fewer.
constexpr int kLastingFailures = 1000;
constexpr int kPassingFailures = 10;
constexpr auto kPassingHold = std::chrono::milliseconds(300);
constexpr std::int64_t kOneGigabyte = std::int64_t{1} << 30;
// Whole records: a length that only its size makes wrong.
constexpr std::int64_t kGigabyteOfMarks = kOneGigabyte / 28 * 28;
constexpr std::size_t kMarksOfTallestRun = 20 * 31 * 28;

// One record of "mark.log" by its layout: day 7 of slot 2 marked in kMarkColour for the tallest run.
std::vector<std::uint8_t> OneMarkFile() {
  std::vector<std::uint8_t> bytes(12, 0);
  Put32(bytes, 1);
  Put32(bytes, static_cast<std::uint32_t>(kTallestRunId));
  Put32(bytes, kMarkedSlot | kMarkedDay << 16);
  Put32(bytes, kMarkColour);
  return bytes;
}

void ExpectMarkedDay(platform::Colour colour) {
  const DayBox day = DayOfTallestRun(kMarkedSlot, kMarkedDay);
  OnMainWindow([day, colour](platform::Window& window) {
    EXPECT_EQ(automation::ViewPixel(window, kCalendarViewId, day.fillX(), day.fillY()), colour);
  });
}

void ExpectSeen(const std::vector<automation::SeenMessageBox>& seen, const std::string& text,
                const std::string& caption) {
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, text);
  EXPECT_EQ(seen[0].caption, caption);
}

struct ClearInjections {
  ~ClearInjections() {
    platform::testing::InjectReplaceFailure(platform::kErrNone, platform::ReplaceStage::kNone, 0);
  }
};

TEST(DataFileReadingE2e, AMarksFileThatCannotBeReadIsReportedOnceAndKeptUntilRecord) {
  const ClearInjections clear;
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::vector<std::uint8_t> marks = OneMarkFile();
  WriteBytes(folder.File("mark.log"), marks);

  platform::testing::InjectReadFailure("mark.log", platform::kErrPermissionDenied, kLastingFailures);
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);  // while the window initialises
  ExpectNoBox();
  ExpectMarkedDay(platform::kWhite);
  GetOutAndCloseEverything();
  RunProgram(folder);
  ExpectSeen(seen, "Err:  70 Permission denied", "Programmer");
  EXPECT_EQ(ReadBytes(folder.File("mark.log")), marks);

  // Readable again: the mark comes back; Record is what replaces the file.
  platform::testing::InjectReadFailure("mark.log", platform::kErrNone, 0);
  ExpectNoBox();
  ExpectMarkedDay(kMarkColour);
  Menu(kCmdRecord);
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_EQ(ReadBytes(folder.File("mark.log")).size(), kMarksOfTallestRun);
}

TEST(DataFileReadingE2e, AMarksFileUnreadableForUnderASecondReadsNormally) {
  const ClearInjections clear;
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  WriteBytes(folder.File("mark.log"), OneMarkFile());
  platform::testing::InjectReadFailure("mark.log", platform::kErrDiskMediaError, kPassingFailures);
  ExpectNoBox();
  ExpectMarkedDay(kMarkColour);
  GetOutAndCloseEverything();
  RunProgram(folder);
}

// Windows bars every reader from a file that another program opened without sharing.
TEST(DataFileReadingE2e, AMarksFileHeldByAnotherProgramIsWaitedForOrReportedAndKept) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::vector<std::uint8_t> marks = OneMarkFile();
  WriteBytes(folder.File("mark.log"), marks);
  {
    const HeldFile held(folder.File("mark.log"), kPassingHold);
    if (!held.Held()) GTEST_SKIP() << held.Reason();
    ExpectNoBox();
    ExpectMarkedDay(kMarkColour);
    GetOutAndCloseEverything();
    RunProgram(folder);
  }
  {
    const HeldFile held(folder.File("mark.log"), std::nullopt);
    std::vector<automation::SeenMessageBox> seen;
    AnswerBox(seen);
    ExpectMarkedDay(platform::kWhite);
    GetOutAndCloseEverything();
    RunProgram(folder);
    ExpectSeen(seen, "Err:  70 Permission denied", "Programmer");
  }
  EXPECT_EQ(ReadBytes(folder.File("mark.log")), marks);
}

// The settings dialog is the way on, in its own first language; the file stays for the user to decide.
TEST(DataFileReadingE2e, ASettingsFileThatCannotBeReadIsReportedAndKept) {
  const ClearInjections clear;
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  const std::vector<std::uint8_t> settings = ReadBytes(folder.File("settings.log"));
  WriteBytes(folder.File("mark.log"), OneMarkFile());
  platform::testing::InjectReadFailure("settings.log", platform::kErrDiskMediaError, kLastingFailures);
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);
  automation::Then([] {
    platform::Window* dialog = automation::ActiveWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(automation::MenuBar(*dialog).empty()) << "the settings dialog, not the calendar";
    automation::Click(*dialog, kCancelButton);
  });
  EXPECT_EQ(RunKalvor(folder.Path()), 0);
  EXPECT_EQ(automation::PendingSteps(), 0u);
  automation::ClearSteps();
  ExpectSeen(seen, "Err:  72 Disk media error", "Programador");
  EXPECT_EQ(ReadBytes(folder.File("settings.log")), settings);
  EXPECT_EQ(ReadBytes(folder.File("mark.log")), OneMarkFile());
}

// The grid shows what an unread file gives, every cell empty; Get out without a change leaves the file.
TEST(DataFileReadingE2e, AFavouritesFileThatCannotBeReadIsReportedAndKept) {
  const ClearInjections clear;
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  // Cell (0, 0) in kMarkColour, by the record's layout: left, right, top, bottom, column, row, colour.
  std::vector<std::uint8_t> favourites;
  for (const std::uint32_t value : {1u, 26u, 1u, 26u, 0u, kMarkColour}) Put32(favourites, value);
  WriteBytes(folder.File("Mis Colores.log"), favourites);
  platform::testing::InjectReadFailure("Mis Colores.log", platform::kErrPermissionDenied, kLastingFailures);
  std::vector<automation::SeenMessageBox> seen;
  Menu(kCmdFavouriteColours);
  AnswerBox(seen);
  OnWindow(kColourDialogCaption, [](platform::Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, 15, 15), platform::kWhite) << "not read";
    automation::Click(dialog, kGetOutButtonId);
  });
  ExpectNoBox();
  GetOutAndCloseEverything();
  RunProgram(folder);
  ExpectSeen(seen, "Err:  70 Permission denied", "Programmer");
  EXPECT_EQ(ReadBytes(folder.File("Mis Colores.log")), favourites);
}

// No save writes more than 620 marks records: a 1 GB file has a wrong length, reported and kept, though
// it holds whole records (of zeros, stamped for no settings: read, they would discard the file).
TEST(DataFileReadingE2e, AGigabyteMarksFileIsOfTheWrongLength) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  ASSERT_TRUE(MakeSparseFile(folder.File("mark.log"), kGigabyteOfMarks));
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);
  ExpectMarkedDay(platform::kWhite);
  GetOutAndCloseEverything();
  RunProgram(folder);
  ExpectSeen(seen, "Error File format ...", "Programmer");
  EXPECT_EQ(std::filesystem::file_size(Utf8Path(folder.File("mark.log"))),
            static_cast<std::uintmax_t>(kGigabyteOfMarks));
}

// Only the last 130 records can count; of a gigabyte of zeros those place cell (0, 0) empty.
TEST(DataFileReadingE2e, AGigabyteFavouritesFileOpensTheDialogAndIsKept) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun());
  ASSERT_TRUE(MakeSparseFile(folder.File("Mis Colores.log"), kOneGigabyte));
  Menu(kCmdFavouriteColours);
  ExpectNoBox();
  OnWindow(kColourDialogCaption, [](platform::Window& dialog) {
    EXPECT_EQ(automation::ViewPixel(dialog, kPaletteViewId, 15, 15), platform::kWhite);
    automation::Click(dialog, kGetOutButtonId);
  });
  GetOutAndCloseEverything();
  RunProgram(folder);
  EXPECT_EQ(std::filesystem::file_size(Utf8Path(folder.File("Mis Colores.log"))),
            static_cast<std::uintmax_t>(kOneGigabyte));
}

// Saves work wherever loads work: settings from the dialog, Record and a bitmap in a folder whose path
// is near the system's limit, and the mark back at the next start.
TEST(DataFileReadingE2e, AProgramFolderNearThePathLimitRecordsAndExports) {
  TempFolder base;
  const std::string folder = MakeLongFolder(base.Path(), LongFolderLength());
  ASSERT_FALSE(folder.empty()) << "the system made no folder that deep";
  const InFolder inFolder(folder);
  automation::Then([] {
    platform::Window* dialog = automation::ActiveWindow();
    ASSERT_NE(dialog, nullptr);
    automation::ChooseItem(*dialog, kLanguageChooser, 4);  // English
    automation::ChooseItem(*dialog, kStartMonthList, 11);  // December 2000 ...
    automation::ChooseItem(*dialog, kStartYearList, 0);
    automation::ChooseItem(*dialog, kLastMonthList, 6);  // ... to July 2002
    automation::ChooseItem(*dialog, kLastYearList, 2);
    automation::ChooseItem(*dialog, kDayShapeList, 0);
    automation::Click(*dialog, kSaveSettingsBox);
    automation::Click(*dialog, kAcceptButton);
  });
  const DayBox day = DayOfTallestRun(kMarkedSlot, kMarkedDay);
  ClickView(day.left + 15, day.top + 15);
  Menu(kCmdRecord);
  ExpectNoBox();
  Menu(kCmdBitmap);
  OnWindow(kFileNameDialogCaption, [](platform::Window& dialog) {
    automation::TypeText(dialog, kFileNameEditId, "deep");
    automation::Click(dialog, kFileNameAcceptId);
  });
  std::vector<automation::SeenMessageBox> seen;
  AnswerBox(seen);
  GetOutAndCloseEverything();
  RunProgram(folder);
  ExpectSeen(seen, "Recorded a bitmap file", "Programmer");

  EXPECT_EQ(platform::ReadLastRecords(folder + "settings.log", 32, 1).length, 32);
  EXPECT_EQ(platform::ReadLastRecords(folder + "mark.log", 28, 620).length,
            static_cast<std::int64_t>(kMarksOfTallestRun));
  EXPECT_TRUE(platform::FileExists(folder + "deep.bmp"));
  ExpectMarkedDay(kLightGrey);
  GetOutAndCloseEverything();
  RunProgram(folder);
}

}  // namespace
}  // namespace kalvor::testing
