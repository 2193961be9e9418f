#include "calendar/day_cells.h"

#include <algorithm>

#include "app/text_tables.h"
#include "platform/little_endian.h"

namespace kalvor {

namespace {
using platform::Get16;
using platform::Get32;
using platform::Put16;
using platform::Put32;
}  // namespace

void DayCells::ClearAllMarks(int monthCount) {
  monthCount_ = std::clamp(monthCount, 0, MaxMonths);
  cells_.assign(static_cast<std::size_t>(monthCount_) * kDaysPerSlot, DayCell{});
}

bool DayCells::Contains(int monthSlot, int dayIndex) const {
  return monthSlot >= 1 && monthSlot <= monthCount_ && dayIndex >= 1 && dayIndex <= kDaysPerSlot;
}

DayCell& DayCells::At(int monthSlot, int dayIndex) {
  return cells_[static_cast<std::size_t>(monthSlot - 1) * kDaysPerSlot + (dayIndex - 1)];
}

const DayCell& DayCells::At(int monthSlot, int dayIndex) const {
  return cells_[static_cast<std::size_t>(monthSlot - 1) * kDaysPerSlot + (dayIndex - 1)];
}

std::array<std::uint8_t, kDayCellRecordSize> EncodeDayCellRecord(const DayCell& cell,
                                                                 std::int32_t settingsId) {
  std::array<std::uint8_t, kDayCellRecordSize> record{};
  Put16(&record[0], static_cast<std::uint16_t>(cell.left));
  Put16(&record[2], static_cast<std::uint16_t>(cell.top));
  Put16(&record[4], static_cast<std::uint16_t>(cell.right));
  Put16(&record[6], static_cast<std::uint16_t>(cell.bottom));
  Put16(&record[8], static_cast<std::uint16_t>(cell.weekday));
  Put16(&record[10], static_cast<std::uint16_t>(cell.dayNumber));
  Put32(&record[12], static_cast<std::uint32_t>(cell.marked));
  Put32(&record[16], static_cast<std::uint32_t>(settingsId));
  Put16(&record[20], static_cast<std::uint16_t>(cell.monthSlot));
  Put16(&record[22], static_cast<std::uint16_t>(cell.dayIndex));
  Put32(&record[24], cell.fillColour);
  return record;
}

DayCell DecodeDayCellRecord(const std::uint8_t* record) {
  DayCell cell;
  cell.left = static_cast<std::int16_t>(Get16(&record[0]));
  cell.top = static_cast<std::int16_t>(Get16(&record[2]));
  cell.right = static_cast<std::int16_t>(Get16(&record[4]));
  cell.bottom = static_cast<std::int16_t>(Get16(&record[6]));
  cell.weekday = static_cast<std::int16_t>(Get16(&record[8]));
  cell.dayNumber = static_cast<std::int16_t>(Get16(&record[10]));
  cell.marked = static_cast<std::int32_t>(Get32(&record[12]));
  cell.settingsId = static_cast<std::int32_t>(Get32(&record[16]));
  cell.monthSlot = static_cast<std::int16_t>(Get16(&record[20]));
  cell.dayIndex = static_cast<std::int16_t>(Get16(&record[22]));
  cell.fillColour = Get32(&record[24]);
  return cell;
}

}  // namespace kalvor
