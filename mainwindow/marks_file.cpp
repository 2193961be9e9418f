#include "mainwindow/marks_file.h"

#include <array>

#include "app/file_error.h"
#include "app/notice.h"
#include "calendar/calendar_drawing.h"

namespace kalvor {

namespace {

constexpr std::int32_t kMarked = 1;
constexpr std::int32_t kUnmarked = 0;
constexpr platform::Colour kColourMask = 0xFFFFFF;

// Length of the month shown in `monthSlot`; 31 when the settings cannot say (damaged values).
int SlotMonthLength(const Settings& settings, int monthSlot) {
  if (!IsMonth(settings.startMonth)) return kDaysPerSlot;
  return MonthLength(SlotMonth(settings, monthSlot));
}

// Placeholder records (slot and day 0) and anything else that names no day of the run: they must
// not reach the table, where a day the month lacks would become clickable.
bool NamesDay(const DayCells& dayCells, const Settings& settings, const DayCell& record) {
  return dayCells.Contains(record.monthSlot, record.dayIndex) &&
         record.dayIndex <= SlotMonthLength(settings, record.monthSlot);
}

void ApplyMarkRecord(DayCell& cell, const DayCell& record) {
  cell.marked = record.marked != 0 ? kMarked : kUnmarked;
  cell.monthSlot = record.monthSlot;
  cell.dayIndex = record.dayIndex;
  cell.fillColour = record.fillColour & kColourMask;
}

}  // namespace

void AppendMarkRecord(std::vector<std::uint8_t>& content, const DayCell& cell, std::int32_t settingsId) {
  const std::array<std::uint8_t, kDayCellRecordSize> record =
      EncodeDayCellRecord(cell.IsPlaceholder() ? DayCell{} : cell, settingsId);
  content.insert(content.end(), record.begin(), record.end());
}

std::vector<std::uint8_t> BuildMarksFile(const DayCells& dayCells, std::int32_t settingsId) {
  std::vector<std::uint8_t> content;
  content.reserve(dayCells.All().size() * kDayCellRecordSize);
  for (const DayCell& cell : dayCells.All()) AppendMarkRecord(content, cell, settingsId);
  return content;
}

platform::ReplaceResult WriteMarksFile(const std::string& path, const DayCells& dayCells,
                                       std::int32_t settingsId) {
  return platform::ReplaceWholeFile(path, BuildMarksFile(dayCells, settingsId),
                                    platform::ReadOnlyTarget::kReplace);
}

bool SaveMarks(const Program& program, const DayCells& dayCells) {
  const platform::ReplaceResult result =
      WriteMarksFile(program.MarksPath(), dayCells, program.settings.settingsId);
  if (!result.ok()) ShowFileError(result.error, program.settings.languageIndex);
  return result.ok();
}

MarksLoad ReadMarksFile(const std::string& path, const Settings& settings, DayCells& dayCells,
                        int* readError) {
  dayCells.ClearAllMarks(settings.monthCount);
  const platform::RecordFile file = platform::ReadLastRecords(path, kDayCellRecordSize, kMostMarkRecords);
  if (readError != nullptr) *readError = file.error;
  if (file.state == platform::RecordFile::State::kUnreadable) return MarksLoad::kUnreadable;
  if (file.state != platform::RecordFile::State::kRead || file.length == 0) return MarksLoad::kNoMarks;
  // Longer than any save makes: read no further, as for any other length no save makes.
  if (file.length % kDayCellRecordSize != 0 || file.length > kMostMarkRecords * kDayCellRecordSize) {
    return MarksLoad::kBadFormat;
  }
  bool mismatch = false;
  for (std::size_t at = 0; at < file.records.size(); at += kDayCellRecordSize) {
    const DayCell record = DecodeDayCellRecord(&file.records[at]);
    if (record.settingsId != settings.settingsId) mismatch = true;
    if (NamesDay(dayCells, settings, record)) {
      ApplyMarkRecord(dayCells.At(record.monthSlot, record.dayIndex), record);
    }
  }
  if (!mismatch) return MarksLoad::kLoaded;
  DeleteDataFile(path);
  dayCells.ClearAllMarks(settings.monthCount);
  return MarksLoad::kForeign;
}

void LoadMarks(const Program& program, DayCells& dayCells) {
  int readError = platform::kErrNone;
  switch (ReadMarksFile(program.MarksPath(), program.settings, dayCells, &readError)) {
    case MarksLoad::kBadFormat:
      ShowNotice(kFileFormatError, program.settings.languageIndex);
      break;
    case MarksLoad::kUnreadable:
      ShowFileError(readError, program.settings.languageIndex);
      break;
    default:
      break;
  }
}

}  // namespace kalvor
