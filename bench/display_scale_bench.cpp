// The calendar's picture enlarged for a display of 125, 150 and 200 %: the whole of it (a window shown
// or moved to another display) and one day's cell (what a click changes). The Windows build's click
// through the real view at 150 % is ClickOnADayInTheView run on such a display (scripts/bench-windows.sh).
#include <benchmark/benchmark.h>

#include "platform/display_scale.h"

namespace kalvor {
namespace {

constexpr int kViewWidth = 1193;
constexpr int kViewHeight = 693;
constexpr int kCellSize = 30;
constexpr int kLastDayX = 1122;  // the left edge of the last day's cell of the tallest run
constexpr int kLastDayY = 661;

platform::Image Canvas() {
  platform::Image canvas(kViewWidth, kViewHeight);
  canvas.Fill(platform::kWhite);
  return canvas;
}

void EnlargeTheCalendar(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  const platform::Image canvas = Canvas();
  platform::Image shown(platform::ToDisplayPixels(kViewWidth, dpi),
                        platform::ToDisplayPixels(kViewHeight, dpi));
  for (auto _ : state) {
    platform::ShowEnlarged(canvas, shown, 0, 0, kViewWidth, kViewHeight, dpi);
    benchmark::DoNotOptimize(shown.Row(0));
  }
}
BENCHMARK(EnlargeTheCalendar)->Arg(120)->Arg(144)->Arg(192)->Unit(benchmark::kMicrosecond);

void EnlargeOneDay(benchmark::State& state) {
  const int dpi = static_cast<int>(state.range(0));
  const platform::Image canvas = Canvas();
  platform::Image shown(platform::ToDisplayPixels(kViewWidth, dpi),
                        platform::ToDisplayPixels(kViewHeight, dpi));
  for (auto _ : state) {
    platform::ShowEnlarged(canvas, shown, kLastDayX, kLastDayY, kLastDayX + kCellSize, kLastDayY + kCellSize,
                           dpi);
    benchmark::DoNotOptimize(shown.Row(0));
  }
}
BENCHMARK(EnlargeOneDay)->Arg(120)->Arg(144)->Arg(192)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvor
