// Weekdays and month lengths of Gregorian dates.
#pragma once

#include <array>
#include <cstdint>

namespace kalvor {

// Weekday numbers: 1 = Monday to 7 = Sunday, everywhere in the program.
constexpr int kSunday = 7;

int WeekdayOf(int year, int month, int day);
int FebruaryLength(int year);
// Entries 1..12 hold the month lengths of the year; entry 0 is unused.
std::array<std::int16_t, 13> MonthLengthsFor(int year);

}  // namespace kalvor
