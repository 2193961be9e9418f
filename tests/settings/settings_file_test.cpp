#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>

#include "platform/automation.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

using platform::automation::SeenMessageBox;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using Bytes = std::vector<std::uint8_t>;

constexpr mode_t kReadOnlyFile = 0444;
constexpr int kIdDraws = 1000;
constexpr int kTolerableRepeats = 10;
constexpr std::int32_t kLowIds = 200000;  // a thousand uniform draws reach below and above these
constexpr std::int32_t kHighIds = 900000;
constexpr int kRandomFiles = 200;
constexpr std::size_t kLongestRandomFile = 200;  // at least one record, so the reader has to read
constexpr std::uint32_t kRandomSeed = 20240301;
constexpr std::int64_t kHugeFileRecords = (std::int64_t{1} << 32) / kSettingsRecordSize + 7;  // past 4 GiB
constexpr std::int64_t kTrailingBytes = 20;
constexpr std::ptrdiff_t kIdOffset = 28;

// March to August 2024, circle, English, id 111111.
Settings Example() {
  return Settings{3, 8, 25, 25, 2, 6, 5, 111111};
}
const Bytes kExampleRecord = {3, 0, 0, 0, 8, 0, 0, 0, 25, 0, 0, 0, 25,   0,    0,    0,
                              2, 0, 0, 0, 6, 0, 0, 0, 5,  0, 0, 0, 0x07, 0xB2, 0x01, 0x00};

Bytes RecordBytes(const Settings& settings) {
  const auto record = EncodeSettingsRecord(settings);
  return Bytes(record.begin(), record.end());
}

bool SameSettings(const Settings& a, const Settings& b) {
  return RecordBytes(a) == RecordBytes(b);
}

Settings ReadFrom(const std::string& path) {
  Settings settings;
  ReadSettings(path, settings);
  return settings;
}

// Runs `action`, answering the message box it shows with OK; returns what the box showed.
std::optional<SeenMessageBox> AnswerMessageBoxDuring(const std::function<void()>& action) {
  std::optional<SeenMessageBox> seen;
  platform::automation::Then(
      [&] { seen = platform::automation::AnswerMessageBox(platform::MessageAnswer::kOk); });
  action();
  EXPECT_EQ(platform::automation::PendingSteps(), 0u) << "no message box was shown";
  platform::automation::ClearSteps();
  return seen;
}

void ExpectFileErrorBox(const std::optional<SeenMessageBox>& seen, const std::string& text) {
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->text, text);
  EXPECT_EQ(seen->caption, "Programmer");
  EXPECT_EQ(seen->buttons.size(), 1u);
  EXPECT_FALSE(seen->hasIcon);
}

TEST(SettingsRecord, TheExampleIsStoredByteForByteLittleEndian) {
  EXPECT_EQ(RecordBytes(Example()), kExampleRecord);
  EXPECT_TRUE(SameSettings(DecodeSettingsRecord(kExampleRecord.data()), Example()));
  const Settings negative{-1, -2, INT32_MIN, INT32_MAX, 0, 0, 0, -111111};
  const Bytes encoded = RecordBytes(negative);
  EXPECT_EQ(Bytes(encoded.begin() + 4, encoded.begin() + 8), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_TRUE(SameSettings(DecodeSettingsRecord(encoded.data()), negative));
}

TEST(ReadSettings, TakesTheLastCompleteRecord) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  Bytes forty = kExampleRecord;
  forty.insert(forty.end(), {9, 9, 9, 9, 9, 9, 9, 9});
  WriteBytes(path, forty);
  EXPECT_TRUE(SameSettings(ReadFrom(path), Example()));

  Settings second = Example();
  second.startMonth = 1;
  second.languageIndex = 2;
  Bytes sixtyFour = kExampleRecord;
  const Bytes secondRecord = RecordBytes(second);
  sixtyFour.insert(sixtyFour.end(), secondRecord.begin(), secondRecord.end());
  WriteBytes(path, sixtyFour);
  EXPECT_TRUE(SameSettings(ReadFrom(path), second));
}

TEST(ReadSettings, AFileShorterThanOneRecordOrMissingLeavesEverySettingAlone) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  EXPECT_TRUE(SameSettings(ReadFrom(path), Settings{}));
  for (std::size_t length = 0; length < kExampleRecord.size(); ++length) {
    WriteBytes(path, Bytes(kExampleRecord.begin(), kExampleRecord.begin() + length));
    EXPECT_TRUE(SameSettings(ReadFrom(path), Settings{})) << length << " bytes";
    Settings kept = Example();
    ReadSettings(path, kept);
    EXPECT_TRUE(SameSettings(kept, Example())) << length << " bytes";
  }
}

// Read over good settings, so that a reader that took nothing would leave them in range.
Settings ReadOverExample(const std::string& path) {
  Settings settings = Example();
  ReadSettings(path, settings);
  return settings;
}

TEST(ReadSettings, DamagedFilesNeverCrashAndAreRefusedAsOutOfRange) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  for (const std::size_t zeros : {32u, 40u, 64u, 4096u}) {
    WriteBytes(path, Bytes(zeros, 0));
    EXPECT_FALSE(SettingsInRange(ReadOverExample(path))) << zeros << " zero bytes";
  }
  std::mt19937 random(kRandomSeed);
  std::uniform_int_distribution<std::size_t> length(kSettingsRecordSize, kLongestRandomFile);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int file = 0; file < kRandomFiles; ++file) {
    Bytes content(length(random));
    for (std::uint8_t& b : content) b = static_cast<std::uint8_t>(byte(random));
    WriteBytes(path, content);
    EXPECT_FALSE(SettingsInRange(ReadOverExample(path))) << content.size() << " random bytes";
  }
}

// A sparse file of more than 4 GiB: only its last record is read, at a 64-bit offset.
TEST(ReadSettings, AHugeFileGivesItsLastCompleteRecord) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  const auto lastRecord = static_cast<std::uintmax_t>((kHugeFileRecords - 1) * kSettingsRecordSize);
  WriteBytes(path, {});
  std::error_code error;
  std::filesystem::resize_file(path, lastRecord + kSettingsRecordSize + kTrailingBytes, error);
  bool made = !error;
  if (made) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(lastRecord));
    file.write(reinterpret_cast<const char*>(kExampleRecord.data()), kSettingsRecordSize);
    made = file.good();
  }
  if (!made) GTEST_SKIP() << "this file system cannot hold a sparse 4 GiB file";
  const Settings read = ReadFrom(path);
  EXPECT_TRUE(SameSettings(read, Example()));
  EXPECT_TRUE(SettingsInRange(read));

  // The same file with nothing in its last record: all zeros, refused.
  std::filesystem::resize_file(path, lastRecord);
  std::filesystem::resize_file(path, lastRecord + kSettingsRecordSize);
  EXPECT_FALSE(SettingsInRange(ReadOverExample(path)));
}

TEST(WriteSettings, LeavesExactlyOneRecordWithAFreshIdOverAnyOldFile) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  WriteBytes(path, Bytes(3 * kSettingsRecordSize + 5, 0x7F));
  chmod(path.c_str(), kReadOnlyFile);
  for (int write = 0; write < 2; ++write) {
    Settings settings = Example();
    settings.settingsId = 0;
    EXPECT_TRUE(WriteSettings(path, settings));
    EXPECT_GE(settings.settingsId, kSettingsIdMin);
    EXPECT_LE(settings.settingsId, kSettingsIdMax);
    const Bytes written = ReadBytes(path);
    ASSERT_EQ(written.size(), static_cast<std::size_t>(kSettingsRecordSize));
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 28),
              Bytes(kExampleRecord.begin(), kExampleRecord.begin() + 28));
    EXPECT_TRUE(SameSettings(ReadFrom(path), settings));
  }
}

TEST(DrawSettingsId, DrawsUniformlyFromTheWholeRangeAndEveryDrawIsNew) {
  std::set<std::int32_t> seen;
  std::int32_t lowest = kSettingsIdMax;
  std::int32_t highest = kSettingsIdMin;
  for (int draw = 0; draw < kIdDraws; ++draw) {
    const std::int32_t id = DrawSettingsId();
    ASSERT_GE(id, kSettingsIdMin);
    ASSERT_LE(id, kSettingsIdMax);
    seen.insert(id);
    lowest = std::min(lowest, id);
    highest = std::max(highest, id);
  }
  // Draws within one millisecond must still differ; a few equal pairs are chance, not a pattern.
  EXPECT_GT(seen.size(), static_cast<std::size_t>(kIdDraws - kTolerableRepeats));
  EXPECT_LT(lowest, kLowIds);
  EXPECT_GT(highest, kHighIds);
}

TEST(WriteSettings, AFileThatCannotBeCreatedShowsError52AndTheIdIsNewAllTheSame) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  WriteBytes(path, kExampleRecord);
  Settings settings = Example();
  settings.settingsId = 0;
  platform::testing::InjectReplaceFailure(platform::kErrPermissionDenied, platform::ReplaceStage::kCreate);
  const auto seen = AnswerMessageBoxDuring([&] { EXPECT_FALSE(WriteSettings(path, settings)); });
  ExpectFileErrorBox(seen, "Err:  52 Bad file name or number");
  EXPECT_GE(settings.settingsId, kSettingsIdMin);
  EXPECT_EQ(ReadBytes(path), kExampleRecord);
}

TEST(WriteSettings, AFailedWriteShowsItsOwnNumberInTheCurrentLanguage) {
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  WriteBytes(path, kExampleRecord);
  Settings settings = Example();
  settings.languageIndex = 1;
  platform::testing::InjectReplaceFailure(platform::kErrDiskMediaError, platform::ReplaceStage::kWrite);
  const auto seen = AnswerMessageBoxDuring([&] { EXPECT_FALSE(WriteSettings(path, settings)); });
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->text, "Err:  72 Disk media error");
  EXPECT_EQ(seen->caption, "Programador");
  EXPECT_EQ(ReadBytes(path), kExampleRecord);
}

}  // namespace
}  // namespace kalvor
