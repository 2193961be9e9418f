// The focused day under every key at the run's and the months' edges, and the days as the view's cells.
#include "mainwindow/day_navigation.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "mainwindow/calendar_cells.h"
#include "tests/mainwindow/calendar_fixture.h"

namespace kalvor {
namespace {

using testing::DrawnCalendar;
using testing::February2025;
using testing::TallestRun;

// A run of `months` months from the given month, English, squares.
Settings RunFrom(int month, int year, int months) {
  Settings settings = TallestRun();
  settings.startMonth = month;
  settings.startYearIndex = year - 1999;
  settings.monthCount = months;
  return settings;
}

// The tallest run's slots: 1 is December 2000, 2 January 2001, 3 February 2001 (28 days), ... 20 July 2002.
TEST(DayNavigation, LeftAndRightCrossIntoTheNeighbouringMonthAndStopAtTheRunsEnds) {
  const RunMonths run(TallestRun());
  EXPECT_EQ(run.Move({1, 31}, DayMove::kNextDay), (DayPosition{2, 1}));
  EXPECT_EQ(run.Move({2, 1}, DayMove::kPreviousDay), (DayPosition{1, 31}));
  EXPECT_EQ(run.Move({3, 28}, DayMove::kNextDay), (DayPosition{4, 1}));  // February 2001 ends on the 28th
  EXPECT_EQ(run.Move({4, 1}, DayMove::kPreviousDay), (DayPosition{3, 28}));
  EXPECT_EQ(run.Move({2, 15}, DayMove::kNextDay), (DayPosition{2, 16}));
  EXPECT_EQ(run.Move({1, 1}, DayMove::kPreviousDay), (DayPosition{1, 1}));
  EXPECT_EQ(run.Move({20, 31}, DayMove::kNextDay), (DayPosition{20, 31}));
}

TEST(DayNavigation, RightFromTheFirstDayVisitsEveryDayOfTheRunOnce) {
  const RunMonths run(TallestRun());
  std::set<std::pair<int, int>> seen;
  DayPosition at{1, 1};
  for (int step = 0; step < 700; ++step) {
    seen.insert({at.monthSlot, at.day});
    at = run.Move(at, DayMove::kNextDay);
  }
  // December 2000 to July 2002: 31 + 365 + 212 days.
  EXPECT_EQ(seen.size(), 608u);
  EXPECT_EQ(at, (DayPosition{20, 31}));
}

TEST(DayNavigation, UpAndDownKeepTheDayNumberClampedToTheMonthsLength) {
  const RunMonths run(TallestRun());
  EXPECT_EQ(run.Move({2, 31}, DayMove::kNextMonth), (DayPosition{3, 28}));      // January to February 2001
  EXPECT_EQ(run.Move({4, 31}, DayMove::kPreviousMonth), (DayPosition{3, 28}));  // March to February
  EXPECT_EQ(run.Move({5, 30}, DayMove::kNextMonth), (DayPosition{6, 30}));      // April to May
  EXPECT_EQ(run.Move({4, 31}, DayMove::kNextMonth), (DayPosition{5, 30}));      // March to April
  EXPECT_EQ(run.Move({1, 7}, DayMove::kNextMonth), (DayPosition{2, 7}));
  EXPECT_EQ(run.Move({1, 7}, DayMove::kPreviousMonth), (DayPosition{1, 7}));  // no month before the first
  EXPECT_EQ(run.Move({20, 9}, DayMove::kNextMonth), (DayPosition{20, 9}));    // none after the last
  // 2000 is a leap year: January 31 goes down to February 29.
  const RunMonths leap(RunFrom(1, 2000, 3));
  EXPECT_EQ(leap.Move({1, 31}, DayMove::kNextMonth), (DayPosition{2, 29}));
  EXPECT_EQ(leap.Move({3, 30}, DayMove::kPreviousMonth), (DayPosition{2, 29}));
}

TEST(DayNavigation, HomeAndEndKeepToTheMonthAndWithCtrlGoToTheRunsEnds) {
  const RunMonths run(TallestRun());
  EXPECT_EQ(run.Move({3, 12}, DayMove::kMonthStart), (DayPosition{3, 1}));
  EXPECT_EQ(run.Move({3, 12}, DayMove::kMonthEnd), (DayPosition{3, 28}));
  EXPECT_EQ(run.Move({6, 1}, DayMove::kMonthEnd), (DayPosition{6, 31}));  // May 2001
  EXPECT_EQ(run.Move({7, 1}, DayMove::kMonthEnd), (DayPosition{7, 30}));  // June 2001
  EXPECT_EQ(run.Move({9, 9}, DayMove::kRunStart), (DayPosition{1, 1}));
  EXPECT_EQ(run.Move({9, 9}, DayMove::kRunEnd), (DayPosition{20, 31}));
  // One month of 28 days: every key stays inside it.
  const RunMonths february(February2025());
  for (const DayMove move : {DayMove::kNextMonth, DayMove::kPreviousMonth}) {
    EXPECT_EQ(february.Move({1, 28}, move), (DayPosition{1, 28}));
  }
  EXPECT_EQ(february.Move({1, 28}, DayMove::kNextDay), (DayPosition{1, 28}));
  EXPECT_EQ(february.Move({1, 2}, DayMove::kRunEnd), (DayPosition{1, 28}));
}

TEST(DayNavigation, TheFocusStartsOnTodayWhenTheRunShowsItElseOnTheFirstDay) {
  const RunMonths run(TallestRun());
  EXPECT_EQ(run.FirstFocus({2001, 2, 14}), (DayPosition{3, 14}));
  EXPECT_EQ(run.FirstFocus({2002, 7, 31}), (DayPosition{20, 31}));
  EXPECT_EQ(run.FirstFocus({2000, 12, 1}), (DayPosition{1, 1}));
  EXPECT_EQ(run.FirstFocus({2000, 11, 30}), (DayPosition{1, 1}));  // the day before the run
  EXPECT_EQ(run.FirstFocus({2002, 8, 1}), (DayPosition{1, 1}));    // the day after
  EXPECT_EQ(run.FirstFocus({2026, 12, 7}), (DayPosition{1, 1}));
  EXPECT_EQ(run.FirstFocus({}), (DayPosition{1, 1}));  // a clock that could not be read
}

TEST(CalendarCells, EveryDayOfTheRunIsOneCellNamedByItsDate) {
  DrawnCalendar calendar(TallestRun());
  CalendarCells cells(calendar.dayCells, calendar.settings);
  ASSERT_EQ(cells.CellCount(), 608);
  EXPECT_EQ(cells.RowCount(), 20);
  EXPECT_EQ(cells.ColumnCount(), 31);
  EXPECT_EQ(cells.Cell(0).name, "Friday 1 December 2000");
  EXPECT_EQ(cells.Cell(37).name, "Sunday 7 January 2001");
  EXPECT_EQ(cells.Cell(607).name, "Wednesday 31 July 2002");
  // Each cell stands where its day is drawn, at its grid place.
  const DayCell& seventh = calendar.dayCells.At(2, 7);
  const platform::ViewCell cell = cells.Cell(37);
  EXPECT_EQ(cell.row, 1);
  EXPECT_EQ(cell.column, 6);
  EXPECT_EQ(cell.left, seventh.left);
  EXPECT_EQ(cell.top, seventh.top);
  EXPECT_EQ(cell.right, seventh.right);
  EXPECT_EQ(cell.bottom, seventh.bottom);
  EXPECT_EQ(cell.left, 222 + 30 * 6);
  // Grid places of days a month lacks hold no cell; every other place is its own cell.
  EXPECT_EQ(cells.CellAt(2, 28), -1);  // February 29, 2001
  EXPECT_EQ(cells.CellAt(2, 27), 31 + 31 + 27);
  EXPECT_EQ(cells.CellAt(20, 0), -1);
  for (int index = 0; index < cells.CellCount(); ++index) {
    const platform::ViewCell each = cells.Cell(index);
    ASSERT_EQ(cells.CellAt(each.row, each.column), index);
  }
}

TEST(CalendarCells, MarkedDaysAreCheckedAndTheFocusIsACell) {
  DrawnCalendar calendar(TallestRun(1));
  CalendarCells cells(calendar.dayCells, calendar.settings);
  calendar.dayCells.At(2, 7).marked = 1;
  EXPECT_TRUE(cells.Cell(37).checked);
  EXPECT_FALSE(cells.Cell(36).checked);
  EXPECT_EQ(cells.Cell(37).name, "domingo 7 de enero de 2001");
  cells.SetFocus({2, 7});
  EXPECT_EQ(cells.FocusedCell(), 37);
  cells.SetFocus({3, 29});  // no such day
  EXPECT_EQ(cells.FocusedCell(), -1);
}

}  // namespace
}  // namespace kalvor
