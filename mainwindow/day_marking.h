// Marking days with the mouse: the hit test and the toggle are plain table work, the redraw shows it.
#pragma once

#include "calendar/day_cells.h"
#include "platform/image.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace kalvor {

// The laid-out day whose rectangle (edges included) holds the canvas point, or nullptr.
DayCell* FindDayAt(DayCells& dayCells, int x, int y);

// Unmarked -> marked in `markColour`; marked (any non-zero value) -> unmarked and white.
void ToggleDay(DayCell& cell, platform::Colour markColour);

// Finds and toggles the day under the point; returns it, or nullptr when the point hits no day.
DayCell* ToggleDayAt(DayCells& dayCells, int x, int y, platform::Colour markColour);

// Draws the one day again on the canvas and shows the whole canvas in the calendar view.
void RedrawDayCell(platform::Window& window, platform::Image& canvasBitmap, const DayCell& cell,
                   const Settings& settings);

}  // namespace kalvor
