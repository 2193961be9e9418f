#include "mainwindow/day_marking.h"

#include "calendar/calendar_drawing.h"
#include "mainwindow/main_window.h"

namespace kalvor {

namespace {
bool Holds(const DayCell& cell, int x, int y) {
  return cell.left <= x && x <= cell.right && cell.top <= y && y <= cell.bottom;
}
}  // namespace

DayCell* FindDayAt(DayCells& dayCells, int x, int y) {
  // Days never overlap, so the first hit is the only one. Placeholders have no rectangle of their
  // own (all zero) and must never be hit, not even at the origin.
  for (DayCell& cell : dayCells.All()) {
    if (!cell.IsPlaceholder() && Holds(cell, x, y)) return &cell;
  }
  return nullptr;
}

void ToggleDay(DayCell& cell, platform::Colour markColour) {
  if (cell.marked == 0) {
    cell.marked = 1;
    cell.fillColour = markColour;
  } else {
    cell.marked = 0;
    cell.fillColour = kUnmarkedColour;
  }
}

DayCell* ToggleDayAt(DayCells& dayCells, int x, int y, platform::Colour markColour) {
  DayCell* cell = FindDayAt(dayCells, x, y);
  if (cell != nullptr) ToggleDay(*cell, markColour);
  return cell;
}

void RedrawDayCell(platform::Window& window, platform::Image& canvasBitmap, const DayCell& cell,
                   const Settings& settings) {
  DrawDayCell(canvasBitmap, cell, settings.dayShape, settings.languageIndex);
  window.ShowImage(kCalendarViewId, canvasBitmap);
}

}  // namespace kalvor
