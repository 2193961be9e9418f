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

TEST(MonthLengths, FollowTheGregorianLeapRule) {
  for (int year : {2000, 2004, 2024}) EXPECT_EQ(FebruaryLength(year), 29) << year;
  for (int year : {2001, 2023, 2100}) EXPECT_EQ(FebruaryLength(year), 28) << year;
  const auto leap = MonthLengthsFor(2024);
  const auto common = MonthLengthsFor(2025);
  EXPECT_EQ(leap[2], 29);
  EXPECT_EQ(common[2], 28);
  const int others[] = {31, 0, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int month = 1; month <= 12; ++month) {
    if (month == 2) continue;
    EXPECT_EQ(leap[month], others[month - 1]);
    EXPECT_EQ(common[month], others[month - 1]);
  }
}

}  // namespace
}  // namespace kalvor
