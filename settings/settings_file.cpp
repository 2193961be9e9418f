#include "settings/settings_file.h"

#include <chrono>
#include <ctime>
#include <random>
#include <vector>

#include "app/file_error.h"
#include "platform/files.h"
#include "platform/little_endian.h"

namespace kalvor {

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;
constexpr int kMillisecondsPerSecond = 1000;

// Field offsets of the record.
constexpr int kStartMonthAt = 0;
constexpr int kLastMonthAt = 4;
constexpr int kStartYearAt = 8;
constexpr int kLastYearAt = 12;
constexpr int kDayShapeAt = 16;
constexpr int kMonthCountAt = 20;
constexpr int kLanguageAt = 24;
constexpr int kSettingsIdAt = 28;

// Milliseconds since local midnight: the seed the time of day gives.
std::uint32_t TimeOfDaySeed() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  // std::localtime keeps this portable; its shared buffer is harmless on the one UI thread.
  const std::tm* local = std::localtime(&seconds);
  if (local == nullptr) return static_cast<std::uint32_t>(seconds);
  const auto milliseconds =
      duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % kMillisecondsPerSecond;
  const long sinceMidnight =
      local->tm_hour * kSecondsPerHour + local->tm_min * kSecondsPerMinute + local->tm_sec;
  return static_cast<std::uint32_t>(sinceMidnight * kMillisecondsPerSecond + milliseconds);
}
}  // namespace

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettingsRecord(const Settings& settings) {
  std::array<std::uint8_t, kSettingsRecordSize> record{};
  platform::PutInt32(&record[kStartMonthAt], settings.startMonth);
  platform::PutInt32(&record[kLastMonthAt], settings.lastMonth);
  platform::PutInt32(&record[kStartYearAt], settings.startYearIndex);
  platform::PutInt32(&record[kLastYearAt], settings.lastYearIndex);
  platform::PutInt32(&record[kDayShapeAt], settings.dayShape);
  platform::PutInt32(&record[kMonthCountAt], settings.monthCount);
  platform::PutInt32(&record[kLanguageAt], settings.languageIndex);
  platform::PutInt32(&record[kSettingsIdAt], settings.settingsId);
  return record;
}

Settings DecodeSettingsRecord(const std::uint8_t* record) {
  Settings settings;
  settings.startMonth = platform::GetInt32(&record[kStartMonthAt]);
  settings.lastMonth = platform::GetInt32(&record[kLastMonthAt]);
  settings.startYearIndex = platform::GetInt32(&record[kStartYearAt]);
  settings.lastYearIndex = platform::GetInt32(&record[kLastYearAt]);
  settings.dayShape = platform::GetInt32(&record[kDayShapeAt]);
  settings.monthCount = platform::GetInt32(&record[kMonthCountAt]);
  settings.languageIndex = platform::GetInt32(&record[kLanguageAt]);
  settings.settingsId = platform::GetInt32(&record[kSettingsIdAt]);
  return settings;
}

// Reading every record in turn would keep the last one; reading just that one is the same and stays
// quick on a huge file.
int ReadSettings(const std::string& path, Settings& settings) {
  const platform::RecordFile file = platform::ReadLastRecords(path, kSettingsRecordSize, 1);
  if (!file.records.empty()) settings = DecodeSettingsRecord(file.records.data());
  return file.error;
}

std::optional<Settings> ReadUsableSettings(const std::string& path, int* readError) {
  Settings settings;
  const int error = ReadSettings(path, settings);
  if (readError != nullptr) *readError = error;
  if (!SettingsInRange(settings)) return std::nullopt;
  return settings;
}

bool WriteSettings(const std::string& path, Settings& settings) {
  settings.settingsId = DrawSettingsId();
  const auto record = EncodeSettingsRecord(settings);
  const platform::ReplaceResult result = platform::ReplaceWholeFile(
      path, std::vector<std::uint8_t>(record.begin(), record.end()), platform::ReadOnlyTarget::kReplace);
  if (result.ok()) return true;
  // A file that never opened is reported as "Bad file name or number", whatever the system said.
  ShowFileError(result.stage == platform::ReplaceStage::kCreate ? platform::kErrBadFileNumber : result.error,
                settings.languageIndex);
  return false;
}

// Seeded once from the time of day and then kept: reseeding at every draw would give two writes in
// the same millisecond the same id, and marks saved between them would survive the second.
std::int32_t DrawSettingsId() {
  static std::mt19937 generator{TimeOfDaySeed()};
  std::uniform_int_distribution<std::int32_t> draw(kSettingsIdMin, kSettingsIdMax);
  return draw(generator);
}

}  // namespace kalvor
