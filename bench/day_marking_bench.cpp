// One click on a day: find and toggle it, redraw its cell and bring the canvas to the view
// (target: at most 0.5 ms). One arrow key: move the focused day and show the focus mark anew (target: no
// slower than a click).
#include <benchmark/benchmark.h>

#include "calendar/calendar_drawing.h"
#include "mainwindow/calendar_cells.h"
#include "mainwindow/day_marking.h"
#include "mainwindow/main_window.h"
#include "platform/window.h"
#include "tests/support/tallest_run.h"

namespace kalvor {
namespace {

// The calendar view's drawing area, inside its border.
constexpr int kViewWidth = 1193;
constexpr int kViewHeight = 693;
// July 31, 2002, the last day of the tallest run: the scan visits every cell before it.
constexpr int kLastDayX = 1140;
constexpr int kLastDayY = 680;
constexpr platform::Colour kMarkColour = 0xC0C0C0;

constexpr int kSpanish = 1;

Settings TallestRun(int dayShape) {
  Settings settings = testing::TallestRun(kSpanish);
  settings.dayShape = dayShape;
  return settings;
}

struct Drawn {
  explicit Drawn(int dayShape) : settings(TallestRun(dayShape)), canvas(kCanvasWidth, kCanvasHeight) {
    canvas.Fill(platform::kWhite);
    cells.ClearAllMarks(settings.monthCount);
    DrawCalendar(canvas, settings, cells);
  }
  Settings settings;
  platform::Image canvas;
  DayCells cells;
};

// The program's own work for a click, with the view's copy made into a picture of the view's size.
void ClickOnADay(benchmark::State& state) {
  Drawn drawn(static_cast<int>(state.range(0)));
  platform::Image view(kViewWidth, kViewHeight);
  for (auto _ : state) {
    const DayCell* cell = ToggleDayAt(drawn.cells, kLastDayX, kLastDayY, kMarkColour);
    DrawDayCell(drawn.canvas, *cell, drawn.settings.dayShape, drawn.settings.languageIndex);
    view.CopyFrom(drawn.canvas);
    benchmark::DoNotOptimize(view.Row(0));
  }
}
BENCHMARK(ClickOnADay)->Arg(kSquareShape)->Arg(kCircleShape)->Unit(benchmark::kMicrosecond);

// The same through a real (offscreen) main-window-sized view, as RedrawDayCell shows it.
class ClickInWindow : public platform::WindowHandler {
 public:
  explicit ClickInWindow(benchmark::State& s) : state(s), drawn(kSquareShape) {}
  void OnInit(platform::Window& window) override {
    window.ShowImage(kCalendarViewId, drawn.canvas);
    for (auto _ : state) {
      const DayCell* cell = ToggleDayAt(drawn.cells, kLastDayX, kLastDayY, kMarkColour);
      RedrawDayCell(window, drawn.canvas, *cell, drawn.settings);
    }
    window.End(0);
  }

 private:
  benchmark::State& state;
  Drawn drawn;
};

// Runs the handler in a window the size of the main window, with the calendar view alone in it.
void RunInCalendarWindow(platform::WindowHandler& handler) {
  const std::vector<platform::ControlSpec> controls = {
      {kCalendarViewId, platform::ControlKind::kGraphicView, 5, 5, kCanvasWidth, kCanvasHeight, "", {}}};
  platform::WindowSpec spec;
  spec.caption = kMainWindowCaption;
  spec.clientWidth = 1204;
  spec.clientHeight = 752;
  platform::Window::RunModal(spec, controls, {}, handler);
}

void ClickOnADayInTheView(benchmark::State& state) {
  ClickInWindow handler(state);
  RunInCalendarWindow(handler);
}
BENCHMARK(ClickOnADayInTheView)->Unit(benchmark::kMicrosecond);

// An arrow key in a real (offscreen) view of cells, as the main window handles it: the focused day moves
// along the last month and the view is asked to show the mark at its new place.
class KeyInWindow : public platform::WindowHandler {
 public:
  explicit KeyInWindow(benchmark::State& s)
      : state(s), drawn(kSquareShape), cells(drawn.cells, drawn.settings) {}
  void OnInit(platform::Window& window) override {
    window.ShowImage(kCalendarViewId, drawn.canvas);
    window.SetViewCells(kCalendarViewId, cells);
    cells.SetFocus({cells.Run().Count(), 1});
    bool forward = true;
    for (auto _ : state) {
      const DayPosition next =
          cells.Run().Move(cells.Focus(), forward ? DayMove::kNextDay : DayMove::kPreviousDay);
      cells.SetFocus(next);
      window.ViewFocusMoved(kCalendarViewId);
      if (next.day == 1 || next.day == cells.Run().Length(next.monthSlot)) forward = !forward;
    }
    window.End(0);
  }

 private:
  benchmark::State& state;
  Drawn drawn;
  CalendarCells cells;
};

void ArrowKeyInTheView(benchmark::State& state) {
  KeyInWindow handler(state);
  RunInCalendarWindow(handler);
}
BENCHMARK(ArrowKeyInTheView)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvor
