#include "calendar/calendar_math.h"

namespace kalvor {
namespace {
constexpr std::array<std::int16_t, 13> kCommonYearLengths = {0,  31, 28, 31, 30, 31, 30,
                                                             31, 31, 30, 31, 30, 31};
}  // namespace

int WeekdayOf(int year, int month, int day) {
  // Gauss's formula with March as the first month of the counting year; it yields 1 = Sunday, which
  // is then moved to the end of the week.
  int m = month - 2;
  int y = year;
  if (m <= 0) {
    m += 12;
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

std::array<std::int16_t, 13> MonthLengthsFor(int year) {
  std::array<std::int16_t, 13> lengths = kCommonYearLengths;
  lengths[2] = static_cast<std::int16_t>(FebruaryLength(year));
  return lengths;
}

}  // namespace kalvor
