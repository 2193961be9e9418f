#include "settings/settings.h"

#include "app/text_tables.h"
#include "calendar/calendar_math.h"

namespace kalvor {

namespace {
bool Within(std::int32_t value, int low, int high) {
  return value >= low && value <= high;
}
}  // namespace

std::int64_t MonthsSpanned(int startMonth, int startYearIndex, int lastMonth, int lastYearIndex) {
  const std::int64_t first = std::int64_t{startYearIndex} * kMonthsPerYear + startMonth;
  const std::int64_t last = std::int64_t{lastYearIndex} * kMonthsPerYear + lastMonth;
  return last - first + 1;
}

bool SettingsInRange(const Settings& settings) {
  return IsMonth(settings.startMonth) && IsMonth(settings.lastMonth) &&
         Within(settings.startYearIndex, 1, kYearCount) && Within(settings.lastYearIndex, 1, kYearCount) &&
         Within(settings.dayShape, kSquareShape, kCircleShape) && Within(settings.monthCount, 1, MaxMonths) &&
         Within(settings.languageIndex, 1, kLanguageCount) &&
         // The drawing walks monthCount months from the start; a count that disagrees with the period
         // comes only from a damaged file.
         MonthsSpanned(settings.startMonth, settings.startYearIndex, settings.lastMonth,
                       settings.lastYearIndex) == settings.monthCount;
}

}  // namespace kalvor
