#include "mainwindow/marks_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_faults.h"
#include "tests/mainwindow/calendar_fixture.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

using testing::DrawnCalendar;
using testing::February2025;
using testing::kTallestRunId;
using testing::ReadBytes;
using testing::TallestRun;
using testing::TempFolder;
using testing::WriteBytes;

constexpr int kBytesPerMonth = 868;
constexpr std::int32_t kForeignId = 111111;

DayCell Record(int slot, int day, std::int32_t marked, platform::Colour colour) {
  DayCell record;
  record.monthSlot = static_cast<std::int16_t>(slot);
  record.dayIndex = static_cast<std::int16_t>(day);
  record.marked = marked;
  record.fillColour = colour;
  return record;
}

std::vector<std::uint8_t> FileOf(const std::vector<DayCell>& records, std::int32_t settingsId) {
  std::vector<std::uint8_t> bytes;
  for (const DayCell& record : records) {
    const auto encoded = EncodeDayCellRecord(record, settingsId);
    bytes.insert(bytes.end(), encoded.begin(), encoded.end());
  }
  return bytes;
}

int MarkedCount(const DayCells& cells) {
  return static_cast<int>(std::count_if(cells.All().begin(), cells.All().end(),
                                        [](const DayCell& cell) { return cell.marked != 0; }));
}

bool AllWhiteAndUnmarked(const DayCells& cells) {
  return std::all_of(cells.All().begin(), cells.All().end(), [](const DayCell& cell) {
    return cell.marked == 0 && cell.fillColour == kUnmarkedColour;
  });
}

TEST(BuildMarksFile, OneMonthIsThirtyOneRecordsWithPlaceholdersLast) {
  DrawnCalendar calendar(February2025());
  calendar.dayCells.At(1, 14).marked = 1;
  calendar.dayCells.At(1, 14).fillColour = 0x00FF00;
  const std::vector<std::uint8_t> bytes = BuildMarksFile(calendar.dayCells, kTallestRunId);
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kBytesPerMonth));
  for (int day = 1; day <= kDaysPerSlot; ++day) {
    const DayCell record = DecodeDayCellRecord(&bytes[(day - 1) * kDayCellRecordSize]);
    EXPECT_EQ(record.settingsId, kTallestRunId);
    if (day <= 28) {
      EXPECT_EQ(record.monthSlot, 1);
      EXPECT_EQ(record.dayIndex, day);
      EXPECT_EQ(record.dayNumber, day);
      EXPECT_EQ(record.left, 222 + 30 * (day - 1));
      EXPECT_EQ(record.marked, day == 14 ? 1 : 0);
      EXPECT_EQ(record.fillColour, day == 14 ? 0x00FF00u : kUnmarkedColour);
    } else {
      EXPECT_EQ(EncodeDayCellRecord(record, kTallestRunId), EncodeDayCellRecord(DayCell{}, kTallestRunId))
          << "day " << day << " should be an empty, unmarked, white placeholder";
    }
  }
}

TEST(BuildMarksFile, RecordsGoSlotBySlotAndDayByDay) {
  DrawnCalendar calendar(TallestRun());
  const std::vector<std::uint8_t> bytes = BuildMarksFile(calendar.dayCells, kTallestRunId);
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(20 * kBytesPerMonth));
  // Record (s - 1) x 31 + d holds cell (s, d): July 2002 is slot 20, its 31st day the last record.
  const DayCell last = DecodeDayCellRecord(&bytes[bytes.size() - kDayCellRecordSize]);
  EXPECT_EQ(last.monthSlot, 20);
  EXPECT_EQ(last.dayIndex, 31);
  const DayCell january15 = DecodeDayCellRecord(&bytes[(31 + 14) * kDayCellRecordSize]);
  EXPECT_EQ(january15.monthSlot, 2);
  EXPECT_EQ(january15.dayIndex, 15);
}

TEST(MarksFile, WhatIsSavedComesBackInItsOwnColours) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  DrawnCalendar saved(TallestRun());
  saved.dayCells.At(1, 25).marked = 1;
  saved.dayCells.At(1, 25).fillColour = 0x0000FF;
  saved.dayCells.At(20, 31).marked = 1;
  saved.dayCells.At(20, 31).fillColour = 0xC0C0C0;
  ASSERT_TRUE(WriteMarksFile(path, saved.dayCells, kTallestRunId).ok());
  // Saving twice gives the same file, not a doubled one.
  const std::vector<std::uint8_t> first = ReadBytes(path);
  ASSERT_TRUE(WriteMarksFile(path, saved.dayCells, kTallestRunId).ok());
  EXPECT_EQ(ReadBytes(path), first);

  DayCells loaded;
  EXPECT_EQ(ReadMarksFile(path, saved.settings, loaded), MarksLoad::kLoaded);
  EXPECT_EQ(MarkedCount(loaded), 2);
  EXPECT_EQ(loaded.At(1, 25).fillColour, 0x0000FFu);
  EXPECT_EQ(loaded.At(20, 31).fillColour, 0xC0C0C0u);
  EXPECT_EQ(loaded.At(1, 24).fillColour, kUnmarkedColour);
  EXPECT_EQ(loaded.At(1, 25).monthSlot, 1);
  EXPECT_EQ(loaded.At(1, 25).dayIndex, 25);
  // Layout is not taken from the file: the next drawing lays the days out.
  EXPECT_EQ(loaded.At(1, 25).left, 0);
  EXPECT_TRUE(testing::Exists(path));
}

TEST(MarksFile, AFailedSaveLeavesThePreviousFileAsItWas) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  const std::vector<std::uint8_t> previous(kBytesPerMonth, 0x5A);
  WriteBytes(path, previous);
  DrawnCalendar calendar(February2025());
  for (const auto& [error, stage] :
       {std::pair{61, platform::ReplaceStage::kWrite}, std::pair{70, platform::ReplaceStage::kCreate}}) {
    platform::testing::InjectReplaceFailure(error, stage);
    const platform::ReplaceResult result = WriteMarksFile(path, calendar.dayCells, kTallestRunId);
    EXPECT_EQ(result.error, error);
    EXPECT_EQ(ReadBytes(path), previous);
  }
}

TEST(LoadMarks, EmptyMissingAndOddSizedFilesGiveNoMarks) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  const Settings settings = TallestRun();
  DayCells cells;
  cells.ClearAllMarks(3);
  cells.At(1, 1).marked = 1;  // the load starts from a fresh table

  EXPECT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kNoMarks);
  EXPECT_EQ(cells.MonthCount(), 20);
  EXPECT_TRUE(AllWhiteAndUnmarked(cells));

  WriteBytes(path, {});
  EXPECT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kNoMarks);
  EXPECT_TRUE(testing::Exists(path)) << "an empty file is not deleted";

  // 29 bytes: one good record and a stray byte. Nothing is read and the file stays.
  std::vector<std::uint8_t> odd = FileOf({Record(1, 5, 1, 0x0000FF)}, settings.settingsId);
  odd.push_back(0);
  WriteBytes(path, odd);
  EXPECT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kBadFormat);
  EXPECT_TRUE(AllWhiteAndUnmarked(cells));
  EXPECT_EQ(ReadBytes(path), odd);
}

TEST(LoadMarks, AForeignSettingsIdAnywhereDiscardsTheWholeFile) {
  const Settings settings = TallestRun();
  for (std::size_t foreignAt : {0u, 1u, 2u}) {
    TempFolder folder;
    const std::string path = folder.File("mark.log");
    std::vector<std::uint8_t> bytes;
    for (std::size_t r = 0; r < 3; ++r) {
      const auto record = EncodeDayCellRecord(Record(2, static_cast<int>(r) + 1, 1, 0x00FF00),
                                              r == foreignAt ? kForeignId : settings.settingsId);
      bytes.insert(bytes.end(), record.begin(), record.end());
    }
    WriteBytes(path, bytes);
    DayCells cells;
    EXPECT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kForeign);
    EXPECT_TRUE(AllWhiteAndUnmarked(cells));
    EXPECT_EQ(cells.MonthCount(), 20);
    EXPECT_FALSE(testing::Exists(path));
  }
}

TEST(LoadMarks, RecordsNamingNoDayChangeNothingButTheirStampCounts) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  const Settings settings = February2025();
  const std::vector<DayCell> records = {
      Record(0, 0, 1, 0x0000FF),   // a placeholder record, however it is filled
      Record(2, 3, 1, 0x0000FF),   // slot beyond the run
      Record(-1, 3, 1, 0x0000FF),  // negative slot
      Record(1, 32, 1, 0x0000FF),  // day beyond 31
      Record(1, 29, 1, 0x0000FF),  // a day February 2025 does not have
      Record(1, 10, 1, 0x00FF00),
  };
  WriteBytes(path, FileOf(records, settings.settingsId));
  DayCells cells;
  EXPECT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kLoaded);
  EXPECT_EQ(MarkedCount(cells), 1);
  EXPECT_EQ(cells.At(1, 10).fillColour, 0x00FF00u);
  // Day 29 stays a placeholder, so no click can ever reach it.
  EXPECT_TRUE(cells.At(1, 29).IsPlaceholder());

  // The same records stamped for other settings: the whole file goes.
  std::vector<std::uint8_t> foreign = FileOf(records, settings.settingsId);
  const auto stray = EncodeDayCellRecord(Record(0, 0, 0, kUnmarkedColour), kForeignId);
  foreign.insert(foreign.begin(), stray.begin(), stray.end());
  WriteBytes(path, foreign);
  EXPECT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kForeign);
  EXPECT_EQ(MarkedCount(cells), 0);
}

TEST(LoadMarks, RecordsMayComeInAnyOrderAndAreNormalised) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  const Settings settings = TallestRun();
  WriteBytes(path, FileOf({Record(20, 31, 1, 0x112233), Record(1, 1, 5, 0xFF445566),
                           Record(7, 15, 0, kUnmarkedColour), Record(3, 28, 1, 0x0000FF)},
                          settings.settingsId));
  DayCells cells;
  ASSERT_EQ(ReadMarksFile(path, settings, cells), MarksLoad::kLoaded);
  EXPECT_EQ(cells.At(20, 31).marked, 1);
  EXPECT_EQ(cells.At(20, 31).fillColour, 0x112233u);
  EXPECT_EQ(cells.At(1, 1).marked, 1) << "any non-zero mark reads as marked";
  EXPECT_EQ(cells.At(1, 1).fillColour, 0x445566u) << "the colour keeps its 24 bits";
  EXPECT_EQ(cells.At(7, 15).marked, 0);
  EXPECT_EQ(cells.At(3, 28).fillColour, 0x0000FFu);
  EXPECT_EQ(MarkedCount(cells), 3);
}

}  // namespace
}  // namespace kalvor
