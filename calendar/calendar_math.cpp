#include "calendar/calendar_math.h"

namespace kalvor {
namespace {
constexpr int kFebruary = 2;
// Entries 1..12; entry 0 is unused.
constexpr std::array<std::int16_t, kMonthsPerYear + 1> kCommonYearLengths = {0,  31, 28, 31, 30, 31, 30,
                                                                             31, 31, 30, 31, 30, 31};
}  // namespace

int WeekdayOf(int year, int month, int day) {
  // Gauss's formula with March as the first month of the counting year; it yields 1 = Sunday, which
  // is then moved to the end of the week.
  int m = month - 2;
  int y = year;
  if (m <= 0) {
    m += kMonthsPerYear;
    y -= 1;
  }
  const int yc = y % 100;
  const int cy = y / 100;
  int w = (26 * m - 2) / 10 + day + yc + yc / 4 + cy / 4 - 2 * cy;
  while (w < 0) w += 7;
  const int k = w % 7 + 1;
  return k == 1 ? 7 : k - 1;
}

int FebruaryLength(int year) {
  return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 29 : 28;
}

std::array<std::int16_t, kMonthsPerYear + 1> MonthLengthsFor(int year) {
  std::array<std::int16_t, kMonthsPerYear + 1> lengths = kCommonYearLengths;
  lengths[kFebruary] = static_cast<std::int16_t>(FebruaryLength(year));
  return lengths;
}

int MonthLength(YearMonth month) {
  return MonthLengthsFor(month.year)[month.month];
}

YearMonth MonthsAfter(YearMonth start, int count) {
  const int fromJanuary = start.month - 1 + count;
  return {start.year + fromJanuary / kMonthsPerYear, fromJanuary % kMonthsPerYear + 1};
}

}  // namespace kalvor
