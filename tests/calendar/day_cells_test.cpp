#include "calendar/day_cells.h"

#include <gtest/gtest.h>

namespace kalvor {
namespace {

TEST(DayCells, ClearAllMarksGivesThirtyOneWhiteCellsPerMonth) {
  DayCells cells;
  cells.ClearAllMarks(20);
  ASSERT_EQ(cells.All().size(), 620u);
  for (const DayCell& cell : cells.All()) {
    EXPECT_EQ(cell.marked, 0);
    EXPECT_EQ(cell.fillColour, kUnmarkedColour);
    EXPECT_EQ(cell.left, 0);
    EXPECT_EQ(cell.monthSlot, 0);
  }
  EXPECT_TRUE(cells.Contains(20, 31));
  EXPECT_FALSE(cells.Contains(21, 1));
  EXPECT_FALSE(cells.Contains(1, 32));
  EXPECT_FALSE(cells.Contains(0, 1));
}

TEST(DayCells, ClearAllMarksForgetsEarlierMarksAndNeverExceedsTheLargestRun) {
  DayCells cells;
  cells.ClearAllMarks(2);
  cells.At(2, 5).marked = 1;
  cells.At(2, 5).fillColour = 0x123456;
  cells.ClearAllMarks(2);
  EXPECT_EQ(cells.At(2, 5).marked, 0);
  EXPECT_EQ(cells.At(2, 5).fillColour, kUnmarkedColour);
  cells.ClearAllMarks(5000);
  EXPECT_EQ(cells.MonthCount(), 20);
  cells.ClearAllMarks(-3);
  EXPECT_EQ(cells.MonthCount(), 0);
  EXPECT_FALSE(cells.Contains(1, 1));
}

// Friday 9 February 2001, slot 3 of the run from December 2000, marked light grey: every field but the
// day's number and index differs, so two fields trading places changes the bytes.
TEST(DayCellRecord, IsTwentyEightLittleEndianBytesInFieldOrder) {
  DayCell cell;
  cell.left = 462;
  cell.top = 121;
  cell.right = 491;
  cell.bottom = 150;
  cell.weekday = 5;
  cell.dayNumber = 9;
  cell.marked = 1;
  cell.monthSlot = 3;
  cell.dayIndex = 9;
  cell.fillColour = 0xC0C0C0;
  const auto record = EncodeDayCellRecord(cell, 654321);
  const std::array<std::uint8_t, 28> expected = {0xCE, 0x01, 0x79, 0x00, 0xEB, 0x01, 0x96, 0x00, 0x05, 0x00,
                                                 0x09, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF1, 0xFB, 0x09, 0x00,
                                                 0x03, 0x00, 0x09, 0x00, 0xC0, 0xC0, 0xC0, 0x00};
  EXPECT_EQ(record, expected);
  const DayCell back = DecodeDayCellRecord(expected.data());
  EXPECT_EQ(EncodeDayCellRecord(back, back.settingsId), expected);
  EXPECT_EQ(back.settingsId, 654321);
  EXPECT_EQ(back.weekday, 5);
  EXPECT_EQ(back.marked, 1);
  EXPECT_EQ(back.monthSlot, 3);
  EXPECT_EQ(back.dayIndex, 9);
}

TEST(DayCellRecord, NegativeValuesSurviveTheRoundTrip) {
  DayCell cell;
  cell.monthSlot = -2;
  cell.marked = -1;
  const auto record = EncodeDayCellRecord(cell, -5);
  const DayCell back = DecodeDayCellRecord(record.data());
  EXPECT_EQ(back.monthSlot, -2);
  EXPECT_EQ(back.marked, -1);
  EXPECT_EQ(back.settingsId, -5);
}

}  // namespace
}  // namespace kalvor
