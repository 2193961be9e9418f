#include "calendar/calendar_math.h"

#include <gtest/gtest.h>

#include <chrono>

namespace kalvor {
namespace {

TEST(WeekdayOf, AgreesWithTheStandardCalendarFrom2000To2050) {
  using namespace std::chrono;
  for (sys_days day = sys_days{year{2000} / January / 1}; day <= sys_days{year{2050} / December / 31};
       day += days{1}) {
    const year_month_day date{day};
    const unsigned isoWeekday = weekday{day}.iso_encoding();  // 1 = Monday .. 7 = Sunday
    ASSERT_EQ(WeekdayOf(int(date.year()), unsigned(date.month()), unsigned(date.day())), int(isoWeekday))
        << int(date.year()) << "-" << unsigned(date.month()) << "-" << unsigned(date.day());
  }
}

TEST(WeekdayOf, KnownDatesIncludingJanuaryAndFebruaryOfTheCountingYear) {
  EXPECT_EQ(WeekdayOf(2000, 1, 1), 6);
  EXPECT_EQ(WeekdayOf(2000, 3, 1), 3);
  EXPECT_EQ(WeekdayOf(2024, 2, 29), 4);
  EXPECT_EQ(WeekdayOf(2050, 12, 31), 6);
  EXPECT_EQ(WeekdayOf(2001, 1, 1), 1);
  EXPECT_EQ(WeekdayOf(2001, 2, 1), 4);
  EXPECT_EQ(WeekdayOf(2026, 3, 1), kSunday);
}

TEST(WeekdayOf, StaysInRangeWhereTheIntermediateSumIsNegative) {
  // Far centuries make -2 × century dominate the sum.
  for (int year : {1601, 1700, 1900, 2100, 2400, 9999}) {
    for (int month = 1; month <= 12; ++month) {
      const int w = WeekdayOf(year, month, 1);
      EXPECT_GE(w, 1);
      EXPECT_LE(w, 7);
    }
  }
  EXPECT_EQ(WeekdayOf(1601, 1, 1), 1);  // a Monday
}

TEST(MonthLengthsFor, AgreesWithTheStandardCalendarIncludingTheCenturyRules) {
  using namespace std::chrono;
  for (int y = 1900; y <= 2100; ++y) {
    const auto lengths = MonthLengthsFor(y);
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned expected = unsigned(year_month_day_last{year{y} / month{m} / last}.day());
      ASSERT_EQ(lengths[m], int(expected)) << y << "-" << m;
      ASSERT_EQ(MonthLength({y, int(m)}), int(expected)) << y << "-" << m;
    }
    EXPECT_EQ(FebruaryLength(y), lengths[2]);
  }
}

TEST(MonthsAfter, StepsAcrossYearEndsAsTheStandardCalendarDoes) {
  using namespace std::chrono;
  for (int startMonth = 1; startMonth <= 12; ++startMonth) {
    for (int count = 0; count <= 40; ++count) {
      const year_month expected = year{2000} / month(unsigned(startMonth)) + months{count};
      const YearMonth got = MonthsAfter({2000, startMonth}, count);
      EXPECT_EQ(got.year, int(expected.year())) << startMonth << " + " << count;
      EXPECT_EQ(got.month, int(unsigned(expected.month()))) << startMonth << " + " << count;
    }
  }
}

}  // namespace
}  // namespace kalvor
