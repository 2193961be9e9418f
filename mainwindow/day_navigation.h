// Which day of the run has the keyboard focus, and where each key takes it. Plain date work on the run's
// months: no table, no drawing.
#pragma once

#include <vector>

#include "calendar/calendar_math.h"
#include "settings/settings.h"

namespace kalvor {

// A day of the run: its month slot (1 = first month shown) and its day of that month.
struct DayPosition {
  int monthSlot = 0;
  int day = 0;
  friend bool operator==(const DayPosition&, const DayPosition&) = default;
};

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
};

// The keys that move the focus. Home and End keep to the focused month; the run's ends are Ctrl+Home
// and Ctrl+End.
enum class DayMove {
  kPreviousDay,
  kNextDay,
  kPreviousMonth,
  kNextMonth,
  kMonthStart,
  kMonthEnd,
  kRunStart,
  kRunEnd
};

// The months of one run, slot by slot.
class RunMonths {
 public:
  explicit RunMonths(const Settings& settings);

  int Count() const { return static_cast<int>(months_.size()); }
  // Slot 1..Count.
  YearMonth Month(int monthSlot) const { return months_[static_cast<std::size_t>(monthSlot - 1)]; }
  int Length(int monthSlot) const { return MonthLength(Month(monthSlot)); }
  // The slot of that month, or 0 when the run does not show it.
  int SlotOf(int year, int month) const;

  // Today's date when the run shows it, otherwise the first day of the first month.
  DayPosition FirstFocus(const Date& today) const;
  // Where the key takes the focus; it stays at the run's ends. `from` must be a day of the run.
  DayPosition Move(DayPosition from, DayMove move) const;

 private:
  std::vector<YearMonth> months_;
};

// The local date of the computer's clock.
Date Today();

}  // namespace kalvor
