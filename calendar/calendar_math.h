// Weekdays, month lengths and month steps of Gregorian dates.
#pragma once

#include <array>
#include <cstdint>

namespace kalvor {

constexpr int kMonthsPerYear = 12;
// Weekday numbers: 1 = Monday to 7 = Sunday, everywhere in the program.
constexpr int kSunday = 7;

constexpr bool IsMonth(int month) {
  return month >= 1 && month <= kMonthsPerYear;
}

struct YearMonth {
  int year = 0;
  int month = 0;  // 1..12
};

int WeekdayOf(int year, int month, int day);
int FebruaryLength(int year);
// Entries 1..12 hold the month lengths of the year; entry 0 is unused.
std::array<std::int16_t, kMonthsPerYear + 1> MonthLengthsFor(int year);
int MonthLength(YearMonth month);
// The month `count` months after `start` (count >= 0; start.month 1..12).
YearMonth MonthsAfter(YearMonth start, int count);

}  // namespace kalvor
