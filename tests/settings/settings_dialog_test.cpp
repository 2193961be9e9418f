// The period check of the settings dialog.
#include "settings/settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "app/text_tables.h"

namespace kalvor {
namespace {

constexpr int kUntouched = -7;  // a monthCount the check must leave alone

int YearIndex(int year) {
  return year - kFirstYear + 1;
}

struct Outcome {
  bool refused;
  int monthCount;
};

Outcome Check(int startMonth, int startYear, int lastMonth, int lastYear) {
  int monthCount = kUntouched;
  const bool refused =
      ValidateMonthRange(startMonth, YearIndex(startYear), lastMonth, YearIndex(lastYear), monthCount);
  return {refused, monthCount};
}

TEST(ValidateMonthRange, AcceptsPeriodsOfOneToTwentyMonths) {
  Outcome one = Check(3, 2024, 3, 2024);
  EXPECT_FALSE(one.refused);
  EXPECT_EQ(one.monthCount, 1);

  Outcome twenty = Check(1, 2024, 8, 2025);
  EXPECT_FALSE(twenty.refused);
  EXPECT_EQ(twenty.monthCount, 20);

  Outcome acrossNewYear = Check(11, 2049, 2, 2050);
  EXPECT_FALSE(acrossNewYear.refused);
  EXPECT_EQ(acrossNewYear.monthCount, 4);

  Outcome sameYear = Check(2, 2000, 12, 2000);
  EXPECT_FALSE(sameYear.refused);
  EXPECT_EQ(sameYear.monthCount, 11);
}

TEST(ValidateMonthRange, RefusesMoreThanTwentyMonthsButStillCountsThem) {
  Outcome twentyOne = Check(1, 2024, 9, 2025);
  EXPECT_TRUE(twentyOne.refused);
  EXPECT_EQ(twentyOne.monthCount, 21);

  Outcome whole = Check(1, 2000, 12, 2050);
  EXPECT_TRUE(whole.refused);
  EXPECT_EQ(whole.monthCount, 51 * 12);
}

TEST(ValidateMonthRange, RefusesAnEndBeforeTheStart) {
  EXPECT_TRUE(Check(12, 2024, 1, 2024).refused);  // same year, earlier month
  EXPECT_TRUE(Check(3, 2025, 3, 2024).refused);   // earlier year
  EXPECT_TRUE(Check(1, 2025, 12, 2024).refused);  // earlier year, later month
  EXPECT_EQ(Check(12, 2024, 1, 2024).monthCount, kUntouched);
}

TEST(ValidateMonthRange, RefusesMissingChoicesExceptTheOneMonthCase) {
  int monthCount = kUntouched;
  EXPECT_TRUE(ValidateMonthRange(0, 25, 3, 25, monthCount));
  EXPECT_TRUE(ValidateMonthRange(3, 0, 3, 25, monthCount));
  EXPECT_TRUE(ValidateMonthRange(3, 25, 0, 26, monthCount));
  EXPECT_TRUE(ValidateMonthRange(0, 0, 3, 25, monthCount));
  EXPECT_EQ(monthCount, kUntouched);
  // Equal periods pass before the zero checks; the dialog refuses them through its own > 0 test.
  EXPECT_FALSE(ValidateMonthRange(0, 0, 0, 0, monthCount));
  EXPECT_EQ(monthCount, 1);
}

TEST(ValidateMonthRange, EndsForValuesNoListCanGive) {
  int monthCount = kUntouched;
  EXPECT_TRUE(ValidateMonthRange(1, 1, 13, 1, monthCount));   // month beyond December
  EXPECT_TRUE(ValidateMonthRange(13, 1, 14, 1, monthCount));  // start beyond December
  EXPECT_TRUE(ValidateMonthRange(1, 1, 1, 52, monthCount));   // year beyond 2050
  EXPECT_TRUE(ValidateMonthRange(1, 1, INT_MAX, INT_MAX, monthCount));
  EXPECT_TRUE(ValidateMonthRange(1, INT_MIN, 1, 1, monthCount));
  EXPECT_EQ(monthCount, kUntouched);
}

// Walks month by month as a person counting on a calendar would.
int CountByWalking(int startMonth, int startYear, int lastMonth, int lastYear) {
  int count = 1;
  for (int month = startMonth, year = startYear; month != lastMonth || year != lastYear; ++count) {
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  return count;
}

TEST(ValidateMonthRange, AgreesWithCountingForEveryPeriodTheListsOffer) {
  for (int startYear = 1; startYear <= kYearCount; ++startYear) {
    for (int lastYear = startYear; lastYear <= std::min(startYear + 2, kYearCount); ++lastYear) {
      for (int startMonth = 1; startMonth <= 12; ++startMonth) {
        for (int lastMonth = 1; lastMonth <= 12; ++lastMonth) {
          if (lastYear == startYear && lastMonth < startMonth) continue;
          int monthCount = 0;
          const bool refused = ValidateMonthRange(startMonth, startYear, lastMonth, lastYear, monthCount);
          const int expected = CountByWalking(startMonth, startYear, lastMonth, lastYear);
          ASSERT_EQ(monthCount, expected)
              << startMonth << "/" << startYear << "-" << lastMonth << "/" << lastYear;
          ASSERT_EQ(refused, expected > MaxMonths);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kalvor
