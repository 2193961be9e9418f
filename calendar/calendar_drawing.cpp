#include "calendar/calendar_drawing.h"

#include <algorithm>
#include <cmath>

#include "app/text_tables.h"
#include "calendar/calendar_math.h"

namespace kalvor {
namespace {

using platform::Colour;
using platform::FontSpec;
using platform::Image;

constexpr Colour kOutlineColour = 0x000000;
constexpr Colour kLabelFill = 0xFFFFFF;
constexpr Colour kTextColour = 0x000000;
constexpr Colour kSundayColour = 0x0000FF;  // pure red

constexpr FontSpec kLabelFont = {"Tahoma", 18, true};
constexpr FontSpec kDayNumberFont = {"Tahoma", 10, true};
constexpr FontSpec kWeekdayFont = {"Tahoma", 8, true};

constexpr int kLabelBoxLeft = 1;
constexpr int kLabelBoxRight = 220;
constexpr int kLabelColumnLeft = 4;
constexpr int kLabelColumnWidth = 220;
constexpr int kFirstDayLeft = 222;
constexpr int kDayWidth = 30;
constexpr int kDaySpan = 29;  // right = left + 29
constexpr int kTextInset = 7;
constexpr int kWeekdayTextTop = 1;
constexpr int kDayNumberTextTop = 11;
constexpr int kSquarePen = 1;
constexpr int kCirclePen = 2;

// The outline form of every box: a rectangle for the square shape, an inscribed ellipse otherwise.
void DrawBox(Image& canvas, int left, int top, int right, int bottom, int dayShape, Colour fill) {
  if (dayShape == kSquareShape) {
    canvas.Rectangle(left, top, right, bottom, kOutlineColour, kSquarePen, fill);
  } else {
    canvas.Ellipse(left, top, right, bottom, kOutlineColour, kCirclePen, fill);
  }
}

void DrawRowLabel(Image& canvas, const std::string& text, int textTop) {
  const int width = platform::TextWidth(text, kLabelFont);
  const int x = kLabelColumnLeft + static_cast<int>(std::lround((kLabelColumnWidth - width) / 2.0));
  canvas.Text(x, textTop, text, kLabelFont, kTextColour);
}

void DrawLabelRow(Image& canvas, const Settings& settings, const std::string& label, int rowTop,
                  int textTop) {
  DrawBox(canvas, kLabelBoxLeft, rowTop + 1, kLabelBoxRight, rowTop + kRowHeight, settings.dayShape,
          kLabelFill);
  DrawRowLabel(canvas, label, textTop);
}

void DrawMonthRow(Image& canvas, const Settings& settings, DayCells& dayCells, int rowTop, YearMonth shown,
                  int monthSlot) {
  int weekday = WeekdayOf(shown.year, shown.month, 1);
  for (int d = 1; d <= MonthLength(shown); ++d) {
    DayCell& cell = dayCells.At(monthSlot, d);
    cell.left = static_cast<std::int16_t>(kFirstDayLeft + kDayWidth * (d - 1));
    cell.right = static_cast<std::int16_t>(cell.left + kDaySpan);
    cell.top = static_cast<std::int16_t>(rowTop + 1);
    cell.bottom = static_cast<std::int16_t>(rowTop + kRowHeight);
    cell.weekday = static_cast<std::int16_t>(weekday);
    cell.dayNumber = static_cast<std::int16_t>(d);
    cell.monthSlot = static_cast<std::int16_t>(monthSlot);
    cell.dayIndex = static_cast<std::int16_t>(d);
    DrawDayCell(canvas, cell, settings.dayShape, settings.languageIndex);
    weekday = weekday % 7 + 1;
  }
}

}  // namespace

void DrawDayCell(Image& canvas, const DayCell& cell, int dayShape, int languageIndex) {
  DrawBox(canvas, cell.left, cell.top, cell.right, cell.bottom, dayShape, cell.fillColour & 0xFFFFFF);
  const Colour textColour = cell.weekday == kSunday ? kSundayColour : kTextColour;
  canvas.Text(cell.left + kTextInset, cell.top + kDayNumberTextTop, std::to_string(cell.dayNumber),
              kDayNumberFont, textColour);
  canvas.Text(cell.left + kTextInset, cell.top + kWeekdayTextTop,
              Text(text::weekdayNames, cell.weekday, languageIndex), kWeekdayFont, textColour);
}

YearMonth SlotMonth(const Settings& settings, int monthSlot) {
  return MonthsAfter({yearTable(settings.startYearIndex), settings.startMonth}, monthSlot - 1);
}

void DrawCalendar(Image& canvas, const Settings& settings, DayCells& dayCells) {
  // Never more month rows than the table has cells for.
  const int monthCount = std::min(settings.monthCount, dayCells.MonthCount());
  if (!IsMonth(settings.startMonth)) return;
  int rowTop = 0;
  for (int monthSlot = 1; monthSlot <= monthCount; ++monthSlot) {
    const YearMonth shown = SlotMonth(settings, monthSlot);
    // A year row before the first month and before every January.
    if (monthSlot == 1 || shown.month == 1) {
      DrawLabelRow(canvas, settings, std::to_string(shown.year), rowTop, rowTop);
      rowTop += kRowHeight;
    }
    DrawLabelRow(canvas, settings, Text(text::monthNames, shown.month, settings.languageIndex), rowTop,
                 rowTop - 1);
    DrawMonthRow(canvas, settings, dayCells, rowTop, shown, monthSlot);
    rowTop += kRowHeight;
  }
}

}  // namespace kalvor
