#include "calendar/day_cells.h"

#include <algorithm>

#include "app/text_tables.h"

namespace kalvor {
namespace {

void Put16(std::uint8_t* out, std::int16_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  out[0] = static_cast<std::uint8_t>(v);
  out[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::int16_t Get16(const std::uint8_t* in) {
  return static_cast<std::int16_t>(in[0] | (in[1] << 8));
}

std::uint32_t Get32(const std::uint8_t* in) {
  return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
         (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}

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
  Put16(&record[0], cell.left);
  Put16(&record[2], cell.top);
  Put16(&record[4], cell.right);
  Put16(&record[6], cell.bottom);
  Put16(&record[8], cell.weekday);
  Put16(&record[10], cell.dayNumber);
  Put32(&record[12], static_cast<std::uint32_t>(cell.marked));
  Put32(&record[16], static_cast<std::uint32_t>(settingsId));
  Put16(&record[20], cell.monthSlot);
  Put16(&record[22], cell.dayIndex);
  Put32(&record[24], cell.fillColour);
  return record;
}

DayCell DecodeDayCellRecord(const std::uint8_t* record) {
  DayCell cell;
  cell.left = Get16(&record[0]);
  cell.top = Get16(&record[2]);
  cell.right = Get16(&record[4]);
  cell.bottom = Get16(&record[6]);
  cell.weekday = Get16(&record[8]);
  cell.dayNumber = Get16(&record[10]);
  cell.marked = static_cast<std::int32_t>(Get32(&record[12]));
  cell.settingsId = static_cast<std::int32_t>(Get32(&record[16]));
  cell.monthSlot = Get16(&record[20]);
  cell.dayIndex = Get16(&record[22]);
  cell.fillColour = Get32(&record[24]);
  return cell;
}

}  // namespace kalvor
