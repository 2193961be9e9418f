#include "mainwindow/day_marking.h"

#include <gtest/gtest.h>

#include "tests/mainwindow/calendar_fixture.h"

namespace kalvor {
namespace {

using testing::DrawnCalendar;
using testing::February2025;
using testing::TallestRun;

constexpr platform::Colour kGrey = 0xC0C0C0;
constexpr platform::Colour kRed = 0x0000FF;

// Row 0 is the year 2000, row 1 December 2000: its days span y = 31..60.
constexpr int kDecemberTop = 31;
constexpr int kDecemberBottom = 60;

TEST(FindDayAt, AllFourEdgesOfADayAreInsideIt) {
  DrawnCalendar calendar(TallestRun());
  const DayCell& second = calendar.dayCells.At(1, 2);
  ASSERT_EQ(second.left, 252);
  ASSERT_EQ(second.right, 281);
  ASSERT_EQ(second.top, kDecemberTop);
  ASSERT_EQ(second.bottom, kDecemberBottom);
  for (const auto& [x, y] : {std::pair{252, 31}, {281, 31}, {252, 60}, {281, 60}, {266, 45}}) {
    EXPECT_EQ(FindDayAt(calendar.dayCells, x, y), &calendar.dayCells.At(1, 2)) << x << "," << y;
  }
  // The column left of a day is the previous day's right edge: no gap between days of a month.
  EXPECT_EQ(FindDayAt(calendar.dayCells, 251, 45), &calendar.dayCells.At(1, 1));
  EXPECT_EQ(FindDayAt(calendar.dayCells, 282, 45), &calendar.dayCells.At(1, 3));
  // The last pixel row of December belongs to it, the next one to the year row 2001.
  EXPECT_EQ(FindDayAt(calendar.dayCells, 266, 61), nullptr);
}

TEST(FindDayAt, LabelsMarginsAndTheSpaceAfterAShortMonthHitNothing) {
  DrawnCalendar calendar(TallestRun());
  const std::pair<int, int> misses[] = {
      {0, 0},       // the origin, where every placeholder's empty rectangle lies
      {100, 45},    // December's label
      {300, 15},    // the year row 2000
      {221, 45},    // between the label box and the first day
      {1152, 45},   // right of December 31
      {1100, 121},  // February 2001 (slot 3, row 4) has no day 29 to 31
      {600, 692},   // below the last row
  };
  for (const auto& [x, y] : misses) EXPECT_EQ(FindDayAt(calendar.dayCells, x, y), nullptr) << x << "," << y;
  EXPECT_EQ(FindDayAt(calendar.dayCells, -1, -1), nullptr);
}

TEST(FindDayAt, PlaceholdersAreNeverHit) {
  DrawnCalendar calendar(February2025());
  for (int day = 29; day <= 31; ++day) ASSERT_TRUE(calendar.dayCells.At(1, day).IsPlaceholder());
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 3; ++y) EXPECT_EQ(FindDayAt(calendar.dayCells, x, y), nullptr);
  }
  // Every real day of the month is found at its own centre.
  for (int day = 1; day <= 28; ++day) {
    const DayCell& cell = calendar.dayCells.At(1, day);
    EXPECT_EQ(FindDayAt(calendar.dayCells, cell.left + 15, cell.top + 15), &cell);
  }
}

TEST(ToggleDay, MarksInTheCurrentColourAndUnmarksToWhite) {
  DayCell cell;
  ToggleDay(cell, kGrey);
  EXPECT_EQ(cell.marked, 1);
  EXPECT_EQ(cell.fillColour, kGrey);
  // A mark keeps its colour; a click with another colour unmarks instead of recolouring.
  ToggleDay(cell, kRed);
  EXPECT_EQ(cell.marked, 0);
  EXPECT_EQ(cell.fillColour, kUnmarkedColour);
  ToggleDay(cell, kRed);
  EXPECT_EQ(cell.fillColour, kRed);

  // Any non-zero value counts as marked.
  cell.marked = 7;
  ToggleDay(cell, kGrey);
  EXPECT_EQ(cell.marked, 0);
  EXPECT_EQ(cell.fillColour, kUnmarkedColour);
}

TEST(ToggleDay, AWhiteMarkIsStillAMark) {
  DayCell cell;
  ToggleDay(cell, platform::kWhite);
  EXPECT_EQ(cell.marked, 1);
  EXPECT_EQ(cell.fillColour, platform::kWhite);
  ToggleDay(cell, platform::kWhite);
  EXPECT_EQ(cell.marked, 0);
}

TEST(ToggleDayAt, TogglesOnlyTheDayUnderThePoint) {
  DrawnCalendar calendar(TallestRun());
  const DayCell* hit = ToggleDayAt(calendar.dayCells, 1151, 690, kRed);  // July 31, 2002, bottom right
  ASSERT_EQ(hit, &calendar.dayCells.At(20, 31));
  EXPECT_EQ(ToggleDayAt(calendar.dayCells, 10, 10, kRed), nullptr);
  int marked = 0;
  for (const DayCell& cell : calendar.dayCells.All()) marked += cell.marked;
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(hit->fillColour, kRed);
  ToggleDayAt(calendar.dayCells, 1122, 661, kGrey);
  EXPECT_EQ(hit->marked, 0);
  EXPECT_EQ(hit->fillColour, kUnmarkedColour);
}

TEST(ToggleDayAt, TheRedrawnDayMatchesAFullDrawing) {
  DrawnCalendar clicked(TallestRun());
  const DayCell* hit = ToggleDayAt(clicked.dayCells, 400, 45, kGrey);
  ASSERT_NE(hit, nullptr);
  DrawDayCell(clicked.canvas, *hit, clicked.settings.dayShape, clicked.settings.languageIndex);

  DrawnCalendar full(TallestRun());
  full.dayCells.At(hit->monthSlot, hit->dayIndex).marked = 1;
  full.dayCells.At(hit->monthSlot, hit->dayIndex).fillColour = kGrey;
  full.canvas.Fill(platform::kWhite);
  DrawCalendar(full.canvas, full.settings, full.dayCells);

  int differences = 0;
  for (int y = 0; y < kCanvasHeight; ++y) {
    for (int x = 0; x < kCanvasWidth; ++x)
      differences += clicked.canvas.Pixel(x, y) != full.canvas.Pixel(x, y);
  }
  EXPECT_EQ(differences, 0);
  EXPECT_EQ(clicked.canvas.Pixel(hit->left + 3, hit->bottom - 3), kGrey);
}

}  // namespace
}  // namespace kalvor
