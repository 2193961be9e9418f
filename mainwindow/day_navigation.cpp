#include "mainwindow/day_navigation.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "app/text_tables.h"

namespace kalvor {

RunMonths::RunMonths(const Settings& settings) {
  const YearMonth first{yearTable(settings.startYearIndex), settings.startMonth};
  if (first.year == 0 || !IsMonth(first.month)) return;  // no run can be drawn from such settings
  for (int slot = 0; slot < settings.monthCount; ++slot) months_.push_back(MonthsAfter(first, slot));
}

int RunMonths::SlotOf(int year, int month) const {
  for (int slot = 1; slot <= Count(); ++slot) {
    if (Month(slot).year == year && Month(slot).month == month) return slot;
  }
  return 0;
}

DayPosition RunMonths::FirstFocus(const Date& today) const {
  if (Count() == 0) return {};
  const int slot = SlotOf(today.year, today.month);
  if (slot != 0 && today.day >= 1 && today.day <= Length(slot)) return {slot, today.day};
  return {1, 1};
}

DayPosition RunMonths::Move(DayPosition from, DayMove move) const {
  const int slot = from.monthSlot;
  switch (move) {
    case DayMove::kPreviousDay:
      if (from.day > 1) return {slot, from.day - 1};
      return slot > 1 ? DayPosition{slot - 1, Length(slot - 1)} : from;
    case DayMove::kNextDay:
      if (from.day < Length(slot)) return {slot, from.day + 1};
      return slot < Count() ? DayPosition{slot + 1, 1} : from;
    case DayMove::kPreviousMonth:
      return slot > 1 ? DayPosition{slot - 1, std::min(from.day, Length(slot - 1))} : from;
    case DayMove::kNextMonth:
      return slot < Count() ? DayPosition{slot + 1, std::min(from.day, Length(slot + 1))} : from;
    case DayMove::kMonthStart:
      return {slot, 1};
    case DayMove::kMonthEnd:
      return {slot, Length(slot)};
    case DayMove::kRunStart:
      return {1, 1};
    case DayMove::kRunEnd:
      return {Count(), Length(Count())};
  }
  return from;
}

Date Today() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

}  // namespace kalvor
