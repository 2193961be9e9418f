#include "settings/settings.h"

#include "app/text_tables.h"

namespace kalvor {

namespace {
constexpr int kMonthsPerYear = 12;

bool Within(std::int32_t value, int low, int high) {
  return value >= low && value <= high;
}

// Months from the start to the last month, both included; 64-bit so no damaged value can overflow.
std::int64_t MonthsSpanned(const Settings& settings) {
  const std::int64_t first = std::int64_t{settings.startYearIndex} * kMonthsPerYear + settings.startMonth;
  const std::int64_t last = std::int64_t{settings.lastYearIndex} * kMonthsPerYear + settings.lastMonth;
  return last - first + 1;
}
}  // namespace

bool SettingsInRange(const Settings& settings) {
  return Within(settings.startMonth, 1, kMonthsPerYear) && Within(settings.lastMonth, 1, kMonthsPerYear) &&
         Within(settings.startYearIndex, 1, kYearCount) && Within(settings.lastYearIndex, 1, kYearCount) &&
         Within(settings.dayShape, kSquareShape, kCircleShape) && Within(settings.monthCount, 1, MaxMonths) &&
         Within(settings.languageIndex, 1, kLanguageCount) &&
         // The drawing walks monthCount months from the start; a count that disagrees with the period
         // comes only from a damaged file.
         MonthsSpanned(settings) == settings.monthCount;
}

}  // namespace kalvor
