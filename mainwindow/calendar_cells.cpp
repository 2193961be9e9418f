#include "mainwindow/calendar_cells.h"

#include <algorithm>

#include "app/text_tables.h"

namespace kalvor {

CalendarCells::CalendarCells(const DayCells& dayCells, const Settings& settings)
    : dayCells_(dayCells), settings_(settings), run_(settings) {
  firstIndex_.push_back(0);
  for (int slot = 1; slot <= run_.Count(); ++slot)
    firstIndex_.push_back(firstIndex_.back() + run_.Length(slot));
}

int CalendarCells::IndexOf(DayPosition position) const {
  if (position.monthSlot < 1 || position.monthSlot > run_.Count()) return -1;
  if (position.day < 1 || position.day > run_.Length(position.monthSlot)) return -1;
  return firstIndex_[static_cast<std::size_t>(position.monthSlot - 1)] + position.day - 1;
}

DayPosition CalendarCells::PositionOf(int index) const {
  // The first slot whose days reach past the index.
  const auto after = std::upper_bound(firstIndex_.begin(), firstIndex_.end(), index);
  const int slot = static_cast<int>(after - firstIndex_.begin());
  return {slot, index - firstIndex_[static_cast<std::size_t>(slot - 1)] + 1};
}

platform::ViewCell CalendarCells::Cell(int index) const {
  if (index < 0 || index >= CellCount()) return {};
  const DayPosition position = PositionOf(index);
  const YearMonth month = run_.Month(position.monthSlot);
  platform::ViewCell cell;
  cell.name = FullDate(month.year, month.month, position.day, settings_.languageIndex);
  cell.row = position.monthSlot - 1;
  cell.column = position.day - 1;
  if (dayCells_.Contains(position.monthSlot, position.day)) {
    const DayCell& day = dayCells_.At(position.monthSlot, position.day);
    cell.checked = day.marked != 0;
    cell.left = day.left;
    cell.top = day.top;
    cell.right = day.right;
    cell.bottom = day.bottom;
  }
  return cell;
}

int CalendarCells::CellAt(int row, int column) const {
  return IndexOf({row + 1, column + 1});
}

}  // namespace kalvor
