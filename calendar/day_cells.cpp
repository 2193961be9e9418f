#include "calendar/day_cells.h"

#include <algorithm>

#include "app/text_tables.h"
#include "platform/little_endian.h"

namespace kalvor {

namespace {
// Field offsets of the record.
constexpr int kLeftAt = 0;
constexpr int kTopAt = 2;
constexpr int kRightAt = 4;
constexpr int kBottomAt = 6;
constexpr int kWeekdayAt = 8;
constexpr int kDayNumberAt = 10;
constexpr int kMarkedAt = 12;
constexpr int kSettingsIdAt = 16;
constexpr int kMonthSlotAt = 20;
constexpr int kDayIndexAt = 22;
constexpr int kFillColourAt = 24;
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
  platform::PutInt16(&record[kLeftAt], cell.left);
  platform::PutInt16(&record[kTopAt], cell.top);
  platform::PutInt16(&record[kRightAt], cell.right);
  platform::PutInt16(&record[kBottomAt], cell.bottom);
  platform::PutInt16(&record[kWeekdayAt], cell.weekday);
  platform::PutInt16(&record[kDayNumberAt], cell.dayNumber);
  platform::PutInt32(&record[kMarkedAt], cell.marked);
  platform::PutInt32(&record[kSettingsIdAt], settingsId);
  platform::PutInt16(&record[kMonthSlotAt], cell.monthSlot);
  platform::PutInt16(&record[kDayIndexAt], cell.dayIndex);
  platform::Put32(&record[kFillColourAt], cell.fillColour);
  return record;
}

DayCell DecodeDayCellRecord(const std::uint8_t* record) {
  DayCell cell;
  cell.left = platform::GetInt16(&record[kLeftAt]);
  cell.top = platform::GetInt16(&record[kTopAt]);
  cell.right = platform::GetInt16(&record[kRightAt]);
  cell.bottom = platform::GetInt16(&record[kBottomAt]);
  cell.weekday = platform::GetInt16(&record[kWeekdayAt]);
  cell.dayNumber = platform::GetInt16(&record[kDayNumberAt]);
  cell.marked = platform::GetInt32(&record[kMarkedAt]);
  cell.settingsId = platform::GetInt32(&record[kSettingsIdAt]);
  cell.monthSlot = platform::GetInt16(&record[kMonthSlotAt]);
  cell.dayIndex = platform::GetInt16(&record[kDayIndexAt]);
  cell.fillColour = platform::Get32(&record[kFillColourAt]);
  return cell;
}

}  // namespace kalvor
