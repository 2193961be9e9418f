// The user's settings: period, day shape, language, and the stamp that ties the marks file to them.
#pragma once

#include <cstdint>

namespace kalvor {

struct Settings {
  std::int32_t startMonth = 0;      // 1..12
  std::int32_t lastMonth = 0;       // 1..12
  std::int32_t startYearIndex = 0;  // 1..51, index into yearTable
  std::int32_t lastYearIndex = 0;   // 1..51
  std::int32_t dayShape = 0;        // 1 square, 2 circle
  std::int32_t monthCount = 0;      // 1..MaxMonths
  std::int32_t languageIndex = 0;   // 1..6
  std::int32_t settingsId = 0;      // 111111..999999
};

constexpr int kSquareShape = 1;
constexpr int kCircleShape = 2;

// Months from the start month to the last month, both included (0 or less when the last comes
// first); 64-bit so that no damaged value can overflow.
std::int64_t MonthsSpanned(int startMonth, int startYearIndex, int lastMonth, int lastYearIndex);

// True when every value lies in its range, so no table is ever indexed with a damaged value.
bool SettingsInRange(const Settings& settings);

}  // namespace kalvor
