// The full drawing of the largest run, as at start-up and on New (target: at most 5 ms).
#include <benchmark/benchmark.h>

#include "calendar/calendar_drawing.h"
#include "tests/support/tallest_run.h"

namespace kalvor {
namespace {

constexpr int kSpanish = 1;

void DrawTwentyMonths(benchmark::State& state) {
  Settings settings = testing::TallestRun(kSpanish);
  settings.dayShape = static_cast<int>(state.range(0));
  platform::Image canvas(kCanvasWidth, kCanvasHeight);
  DayCells cells;
  for (auto _ : state) {
    canvas.Fill(platform::kWhite);
    cells.ClearAllMarks(settings.monthCount);
    DrawCalendar(canvas, settings, cells);
    benchmark::DoNotOptimize(canvas.Row(0));
  }
}
BENCHMARK(DrawTwentyMonths)->Arg(kSquareShape)->Arg(kCircleShape)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvor
