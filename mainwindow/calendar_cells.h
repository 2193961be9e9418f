// The days of the run as the calendar view's cells: what the focus mark and screen readers are told, and
// which day has the keyboard focus.
#pragma once

#include <vector>

#include "calendar/day_cells.h"
#include "mainwindow/day_navigation.h"
#include "platform/view_cells.h"
#include "settings/settings.h"

namespace kalvor {

// Cells are the run's days in order, slot by slot: one grid row per month, one column per day number.
class CalendarCells : public platform::ViewCells {
 public:
  // The table and settings are read when asked, so marks and layout are always current.
  CalendarCells(const DayCells& dayCells, const Settings& settings);

  const RunMonths& Run() const { return run_; }
  DayPosition Focus() const { return focus_; }
  void SetFocus(DayPosition focus) { focus_ = focus; }
  int IndexOf(DayPosition position) const;

  int RowCount() const override { return run_.Count(); }
  int ColumnCount() const override { return kDaysPerSlot; }
  int CellCount() const override { return firstIndex_.empty() ? 0 : firstIndex_.back(); }
  platform::ViewCell Cell(int index) const override;
  int CellAt(int row, int column) const override;
  int FocusedCell() const override { return IndexOf(focus_); }

 private:
  DayPosition PositionOf(int index) const;

  const DayCells& dayCells_;
  const Settings& settings_;
  RunMonths run_;
  std::vector<int> firstIndex_;  // per slot from 1, the index of its first day; the last entry counts all
  DayPosition focus_;
};

}  // namespace kalvor
