// The period check of the settings dialog's Accept.
#include "app/text_tables.h"
#include "calendar/calendar_math.h"
#include "settings/settings_dialog.h"

namespace kalvor {

namespace {
bool InTables(int month, int yearIndex) {
  return IsMonth(month) && yearTable(yearIndex) != 0;
}
}  // namespace

bool ValidateMonthRange(int startMonth, int startYearIndex, int lastMonth, int lastYearIndex,
                        int& monthCount) {
  if (lastYearIndex < startYearIndex) return true;
  if (lastYearIndex == startYearIndex && lastMonth < startMonth) return true;
  // One month needs no counting; the caller still refuses it when any value is 0.
  if (lastYearIndex == startYearIndex && lastMonth == startMonth) {
    monthCount = 1;
    return false;
  }
  if (startYearIndex <= 0 || startMonth <= 0 || lastMonth <= 0 || lastYearIndex <= 0) return true;
  // Counting month by month would never reach a month or year outside the tables, so such a period is
  // refused; inside them the count is the number of months from start to last, both included.
  if (!InTables(startMonth, startYearIndex) || !InTables(lastMonth, lastYearIndex)) return true;
  monthCount = static_cast<int>(MonthsSpanned(startMonth, startYearIndex, lastMonth, lastYearIndex));
  return monthCount > MaxMonths;
}

}  // namespace kalvor
