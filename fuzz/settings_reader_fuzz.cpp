// "settings.log" as found on disk: whatever it holds, reading it never crashes, and settings that
// pass the range check draw a calendar without leaving the canvas or the day table.
#include <cstddef>
#include <cstdint>

#include "calendar/calendar_drawing.h"
#include "fuzz/fuzz_file.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kalvor;
  const std::string path = fuzz::WriteInput(data, size, "settings.log");
  Settings settings;
  ReadSettings(path, settings);
  if (!SettingsInRange(settings)) return 0;
  fuzz::StartToolkitOnce();
  platform::Image canvas(kCanvasWidth, kCanvasHeight);
  DayCells cells;
  cells.ClearAllMarks(settings.monthCount);
  DrawCalendar(canvas, settings, cells);
  return 0;
}
