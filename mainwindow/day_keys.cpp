// The calendar from the keyboard: arrows, Home and End move the focused day, Space does what a click on
// it does.
#include <optional>

#include "mainwindow/main_commands.h"
#include "mainwindow/main_window.h"

namespace kalvor {

namespace {
std::optional<DayMove> MoveFor(const platform::ViewKeyEvent& event) {
  switch (event.key) {
    case platform::ViewKey::kLeft:
      return DayMove::kPreviousDay;
    case platform::ViewKey::kRight:
      return DayMove::kNextDay;
    case platform::ViewKey::kUp:
      return DayMove::kPreviousMonth;
    case platform::ViewKey::kDown:
      return DayMove::kNextMonth;
    case platform::ViewKey::kHome:
      return event.control ? DayMove::kRunStart : DayMove::kMonthStart;
    case platform::ViewKey::kEnd:
      return event.control ? DayMove::kRunEnd : DayMove::kMonthEnd;
    case platform::ViewKey::kSpace:
      break;
  }
  return std::nullopt;
}
}  // namespace

void MainWindowHandler::OnViewKey(platform::Window& window, int viewId, const platform::ViewKeyEvent& event) {
  const DayPosition focus = calendarCells.Focus();
  if (viewId != kCalendarViewId || calendarCells.IndexOf(focus) < 0) return;
  if (const std::optional<DayMove> move = MoveFor(event)) {
    const DayPosition next = calendarCells.Run().Move(focus, *move);
    if (next == focus) return;
    calendarCells.SetFocus(next);
    window.ViewFocusMoved(kCalendarViewId);
  } else if (event.key == platform::ViewKey::kSpace && !event.control) {
    ToggleAndShow(window, dayCells.At(focus.monthSlot, focus.day));
  }
}

}  // namespace kalvor
