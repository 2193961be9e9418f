// Random marks files, good and bad, must never upset the loader: it keeps to its rules whatever it reads.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>

#include "app/text_tables.h"
#include "mainwindow/marks_file.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

constexpr unsigned kSeed = 20240611;
constexpr int kRounds = 400;

struct Generated {
  std::vector<std::uint8_t> bytes;
  std::map<std::pair<int, int>, DayCell> lastRecordOf;  // for records that carry a cell's indexes
  bool foreign = false;
};

Settings RandomSettings(std::mt19937& random) {
  Settings settings;
  settings.startMonth = std::uniform_int_distribution(1, 12)(random);
  settings.startYearIndex = std::uniform_int_distribution(1, 40)(random);
  settings.monthCount = std::uniform_int_distribution(1, MaxMonths)(random);
  settings.settingsId = std::uniform_int_distribution(111111, 999999)(random);
  return settings;
}

// The length of the slot's month by the standard calendar.
int SlotLength(const Settings& settings, int slot) {
  using namespace std::chrono;
  const year_month shown =
      year{kFirstYear - 1 + settings.startYearIndex} / month(unsigned(settings.startMonth)) +
      months{slot - 1};
  return int(unsigned(year_month_day_last{shown / last}.day()));
}

Generated RandomRecords(std::mt19937& random, const Settings& settings) {
  Generated file;
  const int count = std::uniform_int_distribution(1, 700)(random);
  std::uniform_int_distribution<int> slot(-2, MaxMonths + 2);
  std::uniform_int_distribution<int> day(-1, 33);
  std::uniform_int_distribution<std::uint32_t> any;
  std::bernoulli_distribution foreign(0.002);
  for (int r = 0; r < count; ++r) {
    DayCell record;
    record.monthSlot = static_cast<std::int16_t>(slot(random));
    record.dayIndex = static_cast<std::int16_t>(day(random));
    record.marked = static_cast<std::int32_t>(any(random) % 3 == 0 ? any(random) : any(random) % 2);
    record.fillColour = any(random);
    record.left = static_cast<std::int16_t>(any(random));
    const bool stranger = foreign(random);
    file.foreign |= stranger;
    const auto bytes = EncodeDayCellRecord(record, stranger ? settings.settingsId + 1 : settings.settingsId);
    file.bytes.insert(file.bytes.end(), bytes.begin(), bytes.end());
    file.lastRecordOf[{record.monthSlot, record.dayIndex}] = record;
  }
  return file;
}

void ExpectClear(const DayCells& cells) {
  for (const DayCell& cell : cells.All()) {
    ASSERT_EQ(cell.marked, 0);
    ASSERT_EQ(cell.fillColour, kUnmarkedColour);
  }
}

void ExpectLoaded(const DayCells& cells, const Settings& settings, const Generated& file) {
  for (int slot = 1; slot <= settings.monthCount; ++slot) {
    for (int day = 1; day <= kDaysPerSlot; ++day) {
      const DayCell& cell = cells.At(slot, day);
      const auto written = file.lastRecordOf.find({slot, day});
      if (day > SlotLength(settings, slot) || written == file.lastRecordOf.end()) {
        ASSERT_EQ(cell.marked, 0) << slot << "/" << day;
        ASSERT_EQ(cell.fillColour, kUnmarkedColour);
        ASSERT_TRUE(cell.IsPlaceholder());
        continue;
      }
      ASSERT_EQ(cell.marked, written->second.marked != 0 ? 1 : 0);
      ASSERT_EQ(cell.fillColour, written->second.fillColour & 0xFFFFFF);
      ASSERT_EQ(cell.monthSlot, slot);
      ASSERT_EQ(cell.left, 0);
    }
  }
}

TEST(MarksLoaderFuzz, RandomFilesKeepToTheRules) {
  std::mt19937 random(kSeed);
  testing::TempFolder folder;
  const std::string path = folder.File("mark.log");
  int outcomes[5] = {};
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    const Settings settings = RandomSettings(random);
    Generated file = RandomRecords(random, settings);
    const bool damaged = std::bernoulli_distribution(0.25)(random);
    if (damaged) file.bytes.resize(file.bytes.size() - std::uniform_int_distribution(1, 27)(random));
    testing::WriteBytes(path, file.bytes);

    DayCells cells;
    const MarksLoad outcome = ReadMarksFile(path, settings, cells);
    ++outcomes[static_cast<int>(outcome)];
    ASSERT_EQ(cells.MonthCount(), settings.monthCount);
    // No save writes more than 20 months of 31 records: a longer file has a wrong length too.
    const bool tooLong = file.bytes.size() > std::size_t{20 * 31 * 28};
    if (damaged || tooLong) {
      ASSERT_EQ(outcome, MarksLoad::kBadFormat);
      ASSERT_EQ(testing::ReadBytes(path), file.bytes);
      ExpectClear(cells);
    } else if (file.foreign) {
      ASSERT_EQ(outcome, MarksLoad::kForeign);
      ASSERT_FALSE(testing::Exists(path));
      ExpectClear(cells);
    } else {
      ASSERT_EQ(outcome, MarksLoad::kLoaded);
      ExpectLoaded(cells, settings, file);
    }
  }
  // The generator reached every kind of file.
  EXPECT_GT(outcomes[static_cast<int>(MarksLoad::kLoaded)], 0);
  EXPECT_GT(outcomes[static_cast<int>(MarksLoad::kBadFormat)], 0);
  EXPECT_GT(outcomes[static_cast<int>(MarksLoad::kForeign)], 0);
}

}  // namespace
}  // namespace kalvor
