// "mark.log" as found on disk: whatever it holds, loading it never crashes or writes outside the day
// table, and the calendar then draws from what was loaded.
#include <cstddef>
#include <cstdint>

#include "calendar/calendar_drawing.h"
#include "fuzz/fuzz_file.h"
#include "mainwindow/marks_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kalvor;
  // The settings come from the input's first byte, so runs of every length and shape are tried.
  Settings settings;
  settings.startMonth = size > 0 ? data[0] % 12 + 1 : 1;
  settings.startYearIndex = 25;
  settings.monthCount = size > 0 ? data[0] % 20 + 1 : 20;
  settings.dayShape = size > 0 && (data[0] & 0x80) ? kCircleShape : kSquareShape;
  settings.languageIndex = 5;
  settings.settingsId = 424242;
  const std::string path = fuzz::WriteInput(data, size, "mark.log");
  DayCells cells;
  ReadMarksFile(path, settings, cells);
  fuzz::StartToolkitOnce();
  platform::Image canvas(kCanvasWidth, kCanvasHeight);
  DrawCalendar(canvas, settings, cells);
  return 0;
}
