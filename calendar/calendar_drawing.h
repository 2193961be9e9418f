// The run of months drawn onto the canvas: a year row before the first month and before every January,
// then a row per month with one 30-pixel cell per day.
#pragma once

#include <string>

#include "calendar/day_cells.h"
#include "platform/image.h"
#include "settings/settings.h"

namespace kalvor {

constexpr int kCanvasWidth = 1195;
constexpr int kCanvasHeight = 695;
constexpr int kRowHeight = 30;

// Draws every row and records each day's layout in `dayCells` (sized for settings.monthCount).
void DrawCalendar(platform::Image& canvas, const Settings& settings, DayCells& dayCells);
// Draws one day from its record: outline in the day shape, filled with its colour, number and weekday.
void DrawDayCell(platform::Image& canvas, const DayCell& cell, int dayShape, int languageIndex);

}  // namespace kalvor
