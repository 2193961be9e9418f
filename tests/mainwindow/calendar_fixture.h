// A drawn calendar for the main window's unit tests: settings, a laid-out day table and its canvas.
#pragma once

#include "calendar/calendar_drawing.h"
#include "calendar/day_cells.h"
#include "platform/image.h"
#include "settings/settings.h"
#include "tests/support/tallest_run.h"

namespace kalvor::testing {

// One month, February 2025: days 29 to 31 are placeholders.
inline Settings February2025() {
  Settings settings = TallestRun();
  settings.startMonth = 2;
  settings.lastMonth = 2;
  settings.startYearIndex = 26;
  settings.lastYearIndex = 26;
  settings.monthCount = 1;
  return settings;
}

struct DrawnCalendar {
  explicit DrawnCalendar(const Settings& s) : settings(s), canvas(kCanvasWidth, kCanvasHeight) {
    canvas.Fill(platform::kWhite);
    dayCells.ClearAllMarks(settings.monthCount);
    DrawCalendar(canvas, settings, dayCells);
  }
  Settings settings;
  platform::Image canvas;
  DayCells dayCells;
};

}  // namespace kalvor::testing
