#include "calendar/calendar_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/text_tables.h"
#include "calendar/calendar_math.h"
#include "tests/support/test_system.h"

namespace kalvor {
namespace {

using platform::Colour;
using platform::Image;

constexpr Colour kRed = 0x0000FF;

Settings MonthRun(int startMonth, int startYearIndex, int monthCount, int dayShape = kSquareShape,
                  int language = 1) {
  Settings settings;
  settings.startMonth = startMonth;
  settings.startYearIndex = startYearIndex;
  settings.monthCount = monthCount;
  settings.dayShape = dayShape;
  settings.languageIndex = language;
  return settings;
}

struct Drawn {
  Image canvas{kCanvasWidth, kCanvasHeight};
  DayCells cells;
};

Drawn Draw(const Settings& settings) {
  Drawn drawn;
  drawn.canvas.Fill(platform::kWhite);
  drawn.cells.ClearAllMarks(settings.monthCount);
  DrawCalendar(drawn.canvas, settings, drawn.cells);
  return drawn;
}

// Rows whose label box is outlined: a black pixel at the box's top-left corner.
int RowsDrawn(const Image& canvas) {
  int rows = 0;
  for (int rowTop = 0; rowTop + kRowHeight < kCanvasHeight; rowTop += kRowHeight) {
    if (canvas.Pixel(1, rowTop + 1) == platform::kBlack) ++rows;
  }
  return rows;
}

bool HasColour(const Image& canvas, int left, int top, int right, int bottom, Colour colour) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (canvas.Pixel(x, y) == colour) return true;
  return false;
}

TEST(DrawCalendar, TwentyMonthsFromDecember2000TakeTwentyThreeRowsEndingAt690) {
  const Drawn drawn = Draw(MonthRun(12, 1, 20));
  EXPECT_EQ(RowsDrawn(drawn.canvas), 23);
  // Slot 1 is December 2000 in row 2; slot 2 is January 2001 after the 2001 year row.
  EXPECT_EQ(drawn.cells.At(1, 1).top, 31);
  EXPECT_EQ(drawn.cells.At(2, 1).top, 91);
  EXPECT_EQ(drawn.cells.At(20, 1).bottom, 690);  // July 2002, the last row
  EXPECT_EQ(drawn.cells.At(20, 31).right, 1151);
  // Nothing is drawn below the last row.
  EXPECT_FALSE(HasColour(drawn.canvas, 0, 691, kCanvasWidth, kCanvasHeight, platform::kBlack));
}

TEST(DrawCalendar, ARunFromJanuaryHasOneYearRowBeforeIt) {
  EXPECT_EQ(RowsDrawn(Draw(MonthRun(1, 25, 12)).canvas), 13);
  EXPECT_EQ(RowsDrawn(Draw(MonthRun(3, 25, 1)).canvas), 2);
  // A run ending in December draws no year row after it.
  EXPECT_EQ(RowsDrawn(Draw(MonthRun(11, 25, 2)).canvas), 3);
}

TEST(DrawCalendar, RecordsTheLayoutOfEveryDayAndLeavesPlaceholdersAlone) {
  const Drawn drawn = Draw(MonthRun(2, 26, 1));  // February 2025: 28 days
  for (int d = 1; d <= 28; ++d) {
    const DayCell& cell = drawn.cells.At(1, d);
    EXPECT_EQ(cell.left, 222 + 30 * (d - 1));
    EXPECT_EQ(cell.right, cell.left + 29);
    EXPECT_EQ(cell.top, 31);
    EXPECT_EQ(cell.bottom, 60);
    EXPECT_EQ(cell.dayNumber, d);
    EXPECT_EQ(cell.dayIndex, d);
    EXPECT_EQ(cell.monthSlot, 1);
    EXPECT_EQ(cell.weekday, WeekdayOf(2025, 2, d));
  }
  for (int d = 29; d <= 31; ++d) {
    EXPECT_TRUE(drawn.cells.At(1, d).IsPlaceholder());
    EXPECT_EQ(drawn.cells.At(1, d).left, 0);
  }
  const Drawn leap = Draw(MonthRun(2, 25, 1));  // February 2024
  EXPECT_EQ(leap.cells.At(1, 29).left, 1062);
  EXPECT_EQ(leap.cells.At(1, 29).right, 1091);
  EXPECT_TRUE(leap.cells.At(1, 30).IsPlaceholder());
}

TEST(DrawCalendar, KeepsMarksAndTheirColours) {
  Drawn drawn;
  drawn.canvas.Fill(platform::kWhite);
  drawn.cells.ClearAllMarks(1);
  drawn.cells.At(1, 1).marked = 1;
  drawn.cells.At(1, 1).fillColour = 0x00FF00;
  DrawCalendar(drawn.canvas, MonthRun(3, 27, 1), drawn.cells);  // March 2026 starts on a Sunday
  const DayCell& first = drawn.cells.At(1, 1);
  EXPECT_EQ(first.marked, 1);
  EXPECT_EQ(first.fillColour, 0x00FF00u);
  EXPECT_EQ(first.weekday, kSunday);
  // Filled under its texts, which stay red on a marked Sunday.
  EXPECT_EQ(drawn.canvas.Pixel(first.right - 2, first.bottom - 2), 0x00FF00u);
  EXPECT_TRUE(HasColour(drawn.canvas, first.left, first.top, first.right, first.bottom, kRed));
  // Monday the 2nd is written in black only.
  const DayCell& second = drawn.cells.At(1, 2);
  EXPECT_FALSE(HasColour(drawn.canvas, second.left, second.top, second.right, second.bottom, kRed));
}

TEST(DrawCalendar, SquareBoxesAreOnePixelRectanglesWithTheRightEdgeOutside) {
  const Drawn drawn = Draw(MonthRun(3, 27, 1));
  const DayCell& cell = drawn.cells.At(1, 2);
  EXPECT_EQ(drawn.canvas.Pixel(cell.left, cell.top), platform::kBlack);
  EXPECT_EQ(drawn.canvas.Pixel(cell.right - 1, cell.bottom - 1), platform::kBlack);
  EXPECT_EQ(drawn.canvas.Pixel(cell.left + 1, cell.bottom - 2), platform::kWhite);
  EXPECT_EQ(drawn.canvas.Pixel(cell.right, cell.top + 15), platform::kWhite);  // the gap column
  // Label box: corners (1, 31) and (220, 60).
  EXPECT_EQ(drawn.canvas.Pixel(219, 59), platform::kBlack);
  EXPECT_EQ(drawn.canvas.Pixel(220, 59), platform::kWhite);
}

TEST(DrawCalendar, CircleBoxesLeaveTheCornersAsTheyWere) {
  const Drawn drawn = Draw(MonthRun(3, 27, 1, kCircleShape));
  const DayCell& cell = drawn.cells.At(1, 2);
  EXPECT_EQ(drawn.canvas.Pixel(cell.left, cell.top), platform::kWhite);
  EXPECT_EQ(drawn.canvas.Pixel(cell.right - 1, cell.bottom - 1), platform::kWhite);
  EXPECT_EQ(drawn.canvas.Pixel(cell.left, cell.top + 14), platform::kBlack);      // left of the ring
  EXPECT_EQ(drawn.canvas.Pixel(cell.left + 1, cell.top + 14), platform::kBlack);  // two pixels wide
  EXPECT_EQ(drawn.canvas.Pixel(1, 31), platform::kWhite);                         // label box corner too
}

TEST(DrawCalendar, LabelsFollowTheLanguage) {
  const Drawn spanish = Draw(MonthRun(3, 27, 1, kSquareShape, 1));
  const Drawn english = Draw(MonthRun(3, 27, 1, kSquareShape, 5));
  // "Marzo" and "March" differ, so the month rows differ while the day cells' outlines agree.
  bool labelsDiffer = false;
  for (int y = 31; y < 60 && !labelsDiffer; ++y)
    for (int x = 2; x < 219; ++x)
      if (spanish.canvas.Pixel(x, y) != english.canvas.Pixel(x, y)) labelsDiffer = true;
  EXPECT_TRUE(labelsDiffer);
}

// Leftmost and rightmost columns of black ink inside the box, or {-1, -1}.
struct InkColumns {
  int first = -1, last = -1;
};
InkColumns InkColumnsIn(const Image& image, int left, int top, int right, int bottom) {
  InkColumns columns;
  for (int x = left; x < right; ++x)
    for (int y = top; y < bottom; ++y)
      if (image.Pixel(x, y) == platform::kBlack) {
        if (columns.first < 0) columns.first = x;
        columns.last = x;
        break;
      }
  return columns;
}

// Where a label's text starts: its ink in the row, against the ink of the same text written alone at a
// known x, so that the glyphs' own side bearings cancel out.
int LabelOrigin(const Image& canvas, int rowTop, const std::string& text) {
  constexpr int kAloneX = 20;
  const platform::FontSpec labelFont{"Tahoma", 18, true};
  Image alone(260, kRowHeight + 2);
  alone.Fill(platform::kWhite);
  alone.Text(kAloneX, 0, text, labelFont, platform::kBlack);
  const InkColumns own = InkColumnsIn(alone, 0, 0, alone.Width(), alone.Height());
  const InkColumns row = InkColumnsIn(canvas, 2, rowTop + 2, 219, rowTop + kRowHeight - 1);  // inside the box
  EXPECT_EQ(row.last - row.first, own.last - own.first) << text;  // the same text, whole
  return row.first - (own.first - kAloneX);
}

// Every label of every language sits where centring its width in the 220-pixel column from x = 4 puts
// it, to the nearest pixel. Widths of both parities occur, so a label one pixel off either way fails.
TEST(DrawCalendar, LabelsAreCentredInTheLabelColumn) {
  const platform::FontSpec labelFont{"Tahoma", 18, true};
  int evenMargins = 0;
  for (int language = 1; language <= 6; ++language) {
    const Drawn drawn = Draw(MonthRun(1, 25, 12, kSquareShape, language));  // 2024, January to December
    for (int month = 0; month <= 12; ++month) {
      const std::string text = month == 0 ? "2024" : Text(text::monthNames, month, language);
      const int width = platform::TextWidth(text, labelFont);
      const double centred = 4 + (220 - width) / 2.0;
      EXPECT_LE(std::abs(LabelOrigin(drawn.canvas, month * kRowHeight, text) - centred), 0.5)
          << text << ", " << width << " pixels wide";
      evenMargins += (220 - width) % 2 == 0 ? 1 : 0;
    }
  }
  EXPECT_GT(evenMargins, 0);
}

// Rows [first, last] that hold pixels of `colour` inside the box, or {-1, -1}.
struct InkRows {
  int first = -1, last = -1;
};
InkRows InkRowsIn(const Image& canvas, int left, int top, int right, int bottom, Colour colour) {
  InkRows rows;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (canvas.Pixel(x, y) == colour) {
        if (rows.first < 0) rows.first = y;
        rows.last = y;
      }
  return rows;
}

// Tahoma's ascent is 2049/2048 of its em, so a text written with its top-left corner at y has its
// baseline a whole pixel size lower: 13 pixels at 10 points and 11 at 8. Glyphs without descenders end
// on the row above it, whatever face stands in for Tahoma. The 18-point labels stand one pixel higher
// (24 - 1), so that descenders keep clear of a round label box.
TEST(DrawCalendar, TextsStandOnTahomasBaseline) {
  const Drawn drawn = Draw(MonthRun(3, 27, 1));  // 2026, then March ("Marzo")
  const InkRows year = InkRowsIn(drawn.canvas, 2, 2, 219, 29, platform::kBlack);  // top at 0
  EXPECT_EQ(year.last, 0 + 24 - 1 - 1);
  EXPECT_EQ(InkRowsIn(drawn.canvas, 2, 32, 219, 59, platform::kBlack).last, 29 + 24 - 1 - 1);  // top at 29
  // Capitals and figures stand about as tall as Tahoma's (0.727 em: 17 rows at 24 pixels).
  EXPECT_NEAR(year.last - year.first + 1, 17, 1);
  const DayCell& monday = drawn.cells.At(1, 2);  // "Lu" over "2"
  const int left = monday.left + 1, right = monday.right - 1, top = monday.top;
  EXPECT_EQ(InkRowsIn(drawn.canvas, left, top + 1, right, top + 13, platform::kBlack).last, top + 1 + 11 - 1);
  EXPECT_EQ(InkRowsIn(drawn.canvas, left, top + 13, right, monday.bottom - 1, platform::kBlack).last,
            top + 11 + 13 - 1);
}

// With round boxes every month label keeps at least a pixel of white between its ink and the ellipse
// around it. The outline alone is drawn again on a blank canvas; whatever else is black is the label.
class CircleLabels : public ::testing::TestWithParam<int> {};

TEST_P(CircleLabels, KeepClearOfTheirEllipse) {
  if (kalvor::testing::UnderWine())
    GTEST_SKIP()
        << "Wine's own Tahoma Bold, not Windows' Tahoma: at 24 pixels its dots and ascenders stand 19 "
           "pixels above the baseline, 24 rows of ink where a round label box leaves 23 clear";
  const int language = GetParam();
  const Drawn drawn = Draw(MonthRun(1, 27, 12, kCircleShape, language));
  for (int row = 1; row <= 12; ++row) {
    const int rowTop = kRowHeight * row;
    Image outline{kCanvasWidth, kCanvasHeight};
    outline.Fill(platform::kWhite);
    outline.Ellipse(1, rowTop + 1, 220, rowTop + 30, platform::kBlack, 2, platform::kWhite);
    int touching = 0;
    for (int y = rowTop + 1; y < rowTop + kRowHeight; ++y)
      for (int x = 0; x < 222; ++x) {
        if (drawn.canvas.Pixel(x, y) != platform::kBlack || outline.Pixel(x, y) == platform::kBlack) continue;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (outline.Pixel(x + dx, y + dy) == platform::kBlack && x + dx >= 0) ++touching;
      }
    EXPECT_EQ(touching, 0) << "month " << row << " in language " << language;
  }
}

// English is left out: the "y" at the far end of "January" and "February" touches the outline.
INSTANTIATE_TEST_SUITE_P(AllButEnglish, CircleLabels, ::testing::Values(1, 2, 3, 4, 6));

TEST(DrawCalendar, NeverDrawsMoreMonthsThanTheTableHolds) {
  Drawn drawn;
  drawn.canvas.Fill(platform::kWhite);
  drawn.cells.ClearAllMarks(2);
  DrawCalendar(drawn.canvas, MonthRun(1, 1, 20), drawn.cells);
  EXPECT_EQ(RowsDrawn(drawn.canvas), 3);
}

TEST(DrawDayCell, RedrawsOneCellTheSameWayAsTheFullDrawing) {
  Drawn drawn = Draw(MonthRun(5, 27, 1, kCircleShape));
  Image before = drawn.canvas;
  DayCell& cell = drawn.cells.At(1, 10);
  cell.marked = 1;
  cell.fillColour = 0xC0C0C0;
  DrawDayCell(drawn.canvas, cell, kCircleShape, 1);
  Image full{kCanvasWidth, kCanvasHeight};
  full.Fill(platform::kWhite);
  DayCells cells = drawn.cells;
  DrawCalendar(full, MonthRun(5, 27, 1, kCircleShape), cells);
  for (int y = 0; y < kCanvasHeight; ++y) {
    for (int x = 0; x < kCanvasWidth; ++x) {
      ASSERT_EQ(drawn.canvas.Pixel(x, y), full.Pixel(x, y)) << x << "," << y;
    }
  }
  // Only that cell changed.
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x) {
      const bool inside = x >= cell.left && x <= cell.right && y >= cell.top && y <= cell.bottom;
      if (!inside) {
        ASSERT_EQ(drawn.canvas.Pixel(x, y), before.Pixel(x, y));
      }
    }
}

}  // namespace
}  // namespace kalvor
