// "mark.log" as found on disk: whatever it holds, loading it never crashes or writes outside the day
// table, and the table it leaves keeps the loader's promises (checked below, an abort being a finding).
// Nothing is drawn: the drawing takes only the loaded colours from the file, and drawing the whole
// calendar for every input made this target fifty times slower than the other readers.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/text_tables.h"
#include "fuzz/fuzz_file.h"
#include "mainwindow/marks_file.h"

namespace {

using namespace kalvor;

constexpr std::int32_t kFuzzSettingsId = 424242;  // the stamp of the seed files
constexpr int kMonthsPerYear = 12;
constexpr int kYearsToPickFrom = 51;

// The run covers as many months as the file has records for, so that a full file meets a full table;
// the first two bytes (the left edge of the first record, which loading ignores) pick its start.
Settings SettingsFor(const std::uint8_t* data, std::size_t size) {
  Settings settings;
  const std::size_t months =
      (size + kDaysPerSlot * kDayCellRecordSize - 1) / (kDaysPerSlot * kDayCellRecordSize);
  settings.monthCount = static_cast<int>(std::clamp<std::size_t>(months, 1, MaxMonths));
  settings.startMonth = (size > 0 ? data[0] : 0) % kMonthsPerYear + 1;
  settings.startYearIndex = (size > 1 ? data[1] : 0) % kYearsToPickFrom + 1;
  settings.lastMonth = settings.startMonth;
  settings.lastYearIndex = settings.startYearIndex;
  settings.dayShape = kSquareShape;
  settings.languageIndex = 5;
  settings.settingsId = kFuzzSettingsId;
  return settings;
}

// Days of the month shown in a slot, from the standard library's calendar rather than the program's.
int DaysInSlot(const Settings& settings, int monthSlot) {
  using namespace std::chrono;
  const year_month first{year{1999 + settings.startYearIndex},
                         month{static_cast<unsigned>(settings.startMonth)}};
  const year_month shown = first + months{monthSlot - 1};
  return static_cast<int>(
      static_cast<unsigned>(year_month_day_last{shown.year(), month_day_last{shown.month()}}.day()));
}

void Expect(bool promise) {
  if (!promise) std::abort();
}

void CheckLoaded(const DayCells& cells, const Settings& settings, MarksLoad outcome, std::size_t size) {
  Expect(cells.MonthCount() == settings.monthCount);
  // A length no save makes: not whole records, or more cells than the longest run has.
  const std::size_t longestFile = std::size_t{MaxMonths} * kDaysPerSlot * kDayCellRecordSize;
  Expect((outcome == MarksLoad::kBadFormat) == (size % kDayCellRecordSize != 0 || size > longestFile));
  for (int slot = 1; slot <= settings.monthCount; ++slot) {
    for (int day = 1; day <= kDaysPerSlot; ++day) {
      const DayCell& cell = cells.At(slot, day);
      const bool untouched = cell.IsPlaceholder() && cell.dayIndex == 0 && cell.marked == 0 &&
                             cell.fillColour == kUnmarkedColour;
      Expect(cell.marked == 0 || cell.marked == 1);
      Expect(cell.fillColour <= kUnmarkedColour);
      Expect(cell.left == 0 && cell.top == 0 && cell.weekday == 0 && cell.dayNumber == 0);
      // Only a day of the run takes a record, and only in its own cell; nothing stays of a refused file.
      Expect(untouched ||
             (cell.monthSlot == slot && cell.dayIndex == day && day <= DaysInSlot(settings, slot)));
      Expect(untouched || outcome == MarksLoad::kLoaded);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Settings settings = SettingsFor(data, size);
  const std::string path = fuzz::WriteInput(data, size, "mark.log");
  DayCells cells;
  const MarksLoad outcome = ReadMarksFile(path, settings, cells);
  CheckLoaded(cells, settings, outcome, size);
  return 0;
}
