// The run of months drawn onto the canvas: a year row before the first month and before every January,
// then a row per month with one 30-pixel cell per day.
#pragma once

#include <string>

#include "calendar/calendar_math.h"
#include "calendar/day_cells.h"
#include "platform/image.h"
#include "settings/settings.h"

namespace kalvor {

constexpr int kCanvasWidth = 1195;
constexpr int kCanvasHeight = 695;
constexpr int kRowHeight = 30;

// The year and month shown in `monthSlot`, slot 1 being the start month (startMonth must be 1..12).
YearMonth SlotMonth(const Settings& settings, int monthSlot);
// Draws every row and records each day's layout in `dayCells` (sized for settings.monthCount).
void DrawCalendar(platform::Image& canvas, const Settings& settings, DayCells& dayCells);
// Draws one day from its record: outline in the day shape, filled with its colour, number and weekday.
void DrawDayCell(platform::Image& canvas, const DayCell& cell, int dayShape, int languageIndex);

}  // namespace kalvor
