// One record per day of the displayed run, indexed (month slot 1..monthCount, day 1..31). The record
// is also the record of the marks file.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/image.h"

namespace kalvor {

constexpr int kDaysPerSlot = 31;
constexpr int kDayCellRecordSize = 28;
constexpr platform::Colour kUnmarkedColour = 0xFFFFFF;

struct DayCell {
  std::int16_t left = 0;  // the rectangle includes its right column and bottom row
  std::int16_t top = 0;
  std::int16_t right = 0;
  std::int16_t bottom = 0;
  std::int16_t weekday = 0;  // 1 = Monday .. 7 = Sunday
  std::int16_t dayNumber = 0;
  std::int32_t marked = 0;
  std::int32_t settingsId = 0;  // only meaningful in the marks file
  std::int16_t monthSlot = 0;   // 0 in a placeholder (a day its month does not have)
  std::int16_t dayIndex = 0;
  platform::Colour fillColour = kUnmarkedColour;

  bool IsPlaceholder() const { return monthSlot == 0; }
};

class DayCells {
 public:
  // Re-creates the table for `monthCount` months, every cell unmarked and white, other fields 0.
  void ClearAllMarks(int monthCount);

  int MonthCount() const { return monthCount_; }
  // True when (monthSlot, dayIndex) names a cell of the table.
  bool Contains(int monthSlot, int dayIndex) const;
  // 1-based; the cell must exist (Contains).
  DayCell& At(int monthSlot, int dayIndex);
  const DayCell& At(int monthSlot, int dayIndex) const;
  const std::vector<DayCell>& All() const { return cells_; }  // slot by slot, days 1..31
  std::vector<DayCell>& All() { return cells_; }

 private:
  int monthCount_ = 0;
  std::vector<DayCell> cells_;
};

std::array<std::uint8_t, kDayCellRecordSize> EncodeDayCellRecord(const DayCell& cell, std::int32_t settingsId);
DayCell DecodeDayCellRecord(const std::uint8_t* record);

}  // namespace kalvor
