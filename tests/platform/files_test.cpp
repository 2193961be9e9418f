#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/executable_folder.h"
#include "platform/file_faults.h"
#include "tests/support/fault_env.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::FolderEntries;
using kalvor::testing::ReadBytes;
using kalvor::testing::TempFolder;
using kalvor::testing::WriteBytes;
using platform::ReplaceStage;
using platform::ReplaceWholeFile;
constexpr platform::ReadOnlyTarget kReplace = platform::ReadOnlyTarget::kReplace;

constexpr mode_t kReadOnlyFile = 0444;
constexpr std::size_t kTooLongName = 300;
constexpr int kAtomicityRounds = 100;
constexpr auto kBetweenReads = std::chrono::milliseconds(1);

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', '!'};
const std::vector<std::uint8_t> kNew = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(ReplaceWholeFile, WritesExactlyTheNewContentOverALongerOrReadOnlyFileAndLeavesNothingBeside) {
  TempFolder folder;
  const std::string path = folder.File("data.log");
  EXPECT_TRUE(ReplaceWholeFile(path, kNew, kReplace).ok());
  EXPECT_EQ(ReadBytes(path), kNew);

  WriteBytes(path, std::vector<std::uint8_t>(1000, 0xAB));
  chmod(path.c_str(), kReadOnlyFile);
  const platform::ReplaceResult result = ReplaceWholeFile(path, kNew, kReplace);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.stage, ReplaceStage::kNone);
  EXPECT_EQ(ReadBytes(path), kNew);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"data.log"});
}

TEST(ReplaceWholeFile, ARelativePathIsTakenFromTheCurrentFolder) {
  TempFolder folder;
  {
    const kalvor::testing::InFolder inFolder(folder.Path());
    EXPECT_TRUE(ReplaceWholeFile("relative.log", kNew, kReplace).ok());
  }
  EXPECT_EQ(ReadBytes(folder.File("relative.log")), kNew);
}

TEST(ReplaceWholeFile, ReadersSeeTheOldOrTheNewFileWholeNeverAMixture) {
  TempFolder folder;
  const std::string path = folder.File("data.log");
  WriteBytes(path, kOld);
  std::atomic<bool> done{false};
  std::atomic<int> torn{0};
  // Read as the program reads its files: shared, so that the file can be replaced meanwhile. Windows
  // replaces no file while it is open, so the reader leaves it closed for a moment between reads.
  std::thread reader([&] {
    while (!done) {
      {
        const platform::RecordReader file(path);
        std::vector<std::uint8_t> seen(static_cast<std::size_t>(file.Length()));
        if (!file.ReadAt(0, seen.data(), seen.size()) || (seen != kOld && seen != kNew)) ++torn;
      }
      std::this_thread::sleep_for(kBetweenReads);
    }
  });
  for (int round = 0; round < kAtomicityRounds; ++round) {
    ASSERT_TRUE(ReplaceWholeFile(path, round % 2 == 0 ? kNew : kOld, kReplace).ok());
  }
  done = true;
  reader.join();
  EXPECT_EQ(torn, 0);
}

TEST(ReplaceWholeFile, ImpossibleTargetsFailAndLeaveEverythingAsItWas) {
  TempFolder folder;
  // A folder where the file should be: it stays a folder, with its content.
  const std::string folderTarget = folder.File("settings.log");
  std::filesystem::create_directory(folderTarget);
  WriteBytes(folderTarget + "/inside", kOld);
  platform::ReplaceResult result = ReplaceWholeFile(folderTarget, kNew, kReplace);
  EXPECT_EQ(result.error, platform::kErrPathFileAccess);
  EXPECT_EQ(result.stage, ReplaceStage::kCreate);
  EXPECT_EQ(ReadBytes(folderTarget + "/inside"), kOld);

  result = ReplaceWholeFile(folder.File("missing/data.log"), kNew, kReplace);
  EXPECT_EQ(result.error, platform::kErrPathNotFound);
  EXPECT_EQ(result.stage, ReplaceStage::kCreate);

  result = ReplaceWholeFile(folder.File(std::string(kTooLongName, 'n')), kNew, kReplace);
  EXPECT_EQ(result.error, platform::kErrBadFileName);
  EXPECT_EQ(result.stage, ReplaceStage::kCreate);

  // A file where a folder of the path should be.
  WriteBytes(folder.File("plain"), kOld);
  EXPECT_EQ(ReplaceWholeFile(folder.File("plain/data.log"), kNew, kReplace).error,
            platform::kErrPathNotFound);

  EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"plain", "settings.log"}));
  EXPECT_EQ(ReadBytes(folder.File("plain")), kOld);
}

TEST(ReplaceWholeFile, RefusesAReadOnlyFileOnlyWhenToldTo) {
  using std::filesystem::perms;
  TempFolder folder;
  const std::string path = folder.File("picture.bmp");
  WriteBytes(path, kOld);
  std::filesystem::permissions(path, perms::owner_write, std::filesystem::perm_options::remove);
  const platform::ReplaceResult refused = ReplaceWholeFile(path, kNew, platform::ReadOnlyTarget::kRefuse);
  EXPECT_EQ(refused.error, platform::kErrPermissionDenied);
  EXPECT_EQ(refused.stage, ReplaceStage::kCreate);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(std::filesystem::status(path).permissions() & perms::owner_write, perms::none);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"picture.bmp"});

  std::filesystem::permissions(path, perms::owner_write, std::filesystem::perm_options::add);
  EXPECT_TRUE(ReplaceWholeFile(path, kNew, platform::ReadOnlyTarget::kRefuse).ok());
  EXPECT_EQ(ReadBytes(path), kNew);
}

// A stop that throws leaves the temporary file where a killed process would have left it.
struct Killed {};

std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& name : FolderEntries(folder)) {
    if (name.rfind(".kalvor-", 0) == 0) names.push_back(name);
  }
  return names;
}

// ".kalvor-", 16 hex digits, "-", 8 hex digits, ".tmp".
bool IsTemporaryName(const std::string& name) {
  const std::string shape = ".kalvor-################-########.tmp";
  if (name.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const char c = name[i];
    const bool hexDigit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    if (shape[i] == '#' ? !hexDigit : c != shape[i]) return false;
  }
  return true;
}

std::vector<std::string> KilledReplacement(const std::string& path, const std::string& folder) {
  platform::testing::InjectStopBeforeMove([] { throw Killed{}; });
  EXPECT_THROW(ReplaceWholeFile(path, kNew, kReplace), Killed);
  platform::testing::InjectStopBeforeMove({});
  return Temporaries(folder);
}

TEST(ReplaceWholeFile, TheTemporariesOfAKilledSaveAreNamedForTheirTargetAndCannotPileUp) {
  TempFolder folder;
  const std::string path = folder.File("data.log");
  WriteBytes(path, kOld);

  const std::vector<std::string> first = KilledReplacement(path, folder.Path());
  ASSERT_EQ(first.size(), 1u);
  EXPECT_TRUE(IsTemporaryName(first[0])) << first[0];
  EXPECT_EQ(ReadBytes(folder.File(first[0])), kNew) << "the new file was complete";
  EXPECT_EQ(ReadBytes(path), kOld);

  // The same target again: the earlier leftover goes, the new one has the same stem.
  const std::vector<std::string> second = KilledReplacement(path, folder.Path());
  ASSERT_EQ(second.size(), 1u);
  EXPECT_NE(second[0], first[0]);
  EXPECT_EQ(second[0].substr(0, 25), first[0].substr(0, 25));

  // Another target's leftover has a stem of its own and stays until its own target is saved.
  const std::vector<std::string> both = KilledReplacement(folder.File("other.log"), folder.Path());
  ASSERT_EQ(both.size(), 2u);
  ASSERT_TRUE(ReplaceWholeFile(path, kNew, kReplace).ok());
  const std::vector<std::string> left = Temporaries(folder.Path());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_NE(left[0].substr(0, 25), first[0].substr(0, 25));
  EXPECT_EQ(ReadBytes(path), kNew);
}

// Another running copy saving the same file: its temporary file is live, claimed until it is moved into
// place, and neither sweep may take it. The copy here is this process, stopped just before its move.
TEST(ReplaceWholeFile, SweepsLeaveATemporaryFileThatIsStillBeingSaved) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  WriteBytes(path, kOld);
  std::vector<std::string> live;
  platform::testing::InjectStopBeforeMove([&] {
    platform::testing::InjectStopBeforeMove({});
    live = Temporaries(folder.Path());
    platform::RemoveLeftoverTemporaries(folder.Path());
    EXPECT_TRUE(ReplaceWholeFile(path, kOld, kReplace).ok());
    EXPECT_EQ(Temporaries(folder.Path()), live);
  });
  EXPECT_TRUE(ReplaceWholeFile(path, kNew, kReplace).ok());
  platform::testing::InjectStopBeforeMove({});
  EXPECT_EQ(live.size(), 1u);
  EXPECT_EQ(ReadBytes(path), kNew);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"mark.log"});
}

TEST(RemoveLeftoverTemporaries, RemovesTheProgramsTemporaryFilesAndNothingElse) {
  TempFolder folder;
  for (const char* name : {".kalvor-0123456789abcdef-89abcdef.tmp", ".kalvor-4711-123456.tmp"}) {
    WriteBytes(folder.File(name), kNew);
  }
  const std::vector<std::string> kept = {".kalvor-folder.tmp", ".kalvor-notes", "mark.log", "notes.tmp"};
  std::filesystem::create_directory(folder.File(kept[0]));
  for (std::size_t i = 1; i < kept.size(); ++i) WriteBytes(folder.File(kept[i]), kOld);

  platform::RemoveLeftoverTemporaries(folder.Path());
  EXPECT_EQ(FolderEntries(folder.Path()), kept);
}

TEST(RecordReader, ReadsExactlyWhatIsAskedAndNothingPastTheEnd) {
  TempFolder folder;
  const std::string path = folder.File("records.log");
  WriteBytes(path, kOld);
  platform::RecordReader reader(path);
  ASSERT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.Length(), static_cast<std::int64_t>(kOld.size()));
  std::array<std::uint8_t, 4> buffer{0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_TRUE(reader.ReadAt(4, buffer.data(), 3));
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{'c', 'o', 'n', 0xEE}));
  EXPECT_FALSE(reader.ReadAt(10, buffer.data(), 4));  // only 2 bytes left
  EXPECT_FALSE(reader.ReadAt(-1, buffer.data(), 1));
}

TEST(RecordReader, OnlyRegularFilesOpen) {
  TempFolder folder;
  EXPECT_FALSE(platform::RecordReader(folder.File("missing")).IsOpen());
  EXPECT_EQ(platform::RecordReader(folder.File("missing")).Length(), 0);
  EXPECT_FALSE(platform::RecordReader(folder.Path()).IsOpen());
}

// Only the last whole records, however long the file; a file that cannot be read is tried again for
// about a second, then reported.
TEST(ReadLastRecords, ReadsNoMoreThanTheLastRecordsAndRetriesAFileThatCannotBeRead) {
  TempFolder folder;
  const std::string path = folder.File("records.log");
  WriteBytes(path, {1, 1, 2, 2, 3, 3, 4, 4, 5});  // four records of 2 bytes and a part
  platform::RecordFile file = platform::ReadLastRecords(path, 2, 3);
  EXPECT_EQ(file.state, platform::RecordFile::State::kRead);
  EXPECT_EQ(file.length, 9);
  EXPECT_EQ(file.records, (std::vector<std::uint8_t>{2, 2, 3, 3, 4, 4}));

  platform::testing::InjectReadFailure("records.log", platform::kErrPermissionDenied, 5);
  EXPECT_EQ(platform::ReadLastRecords(path, 2, 3).records, (std::vector<std::uint8_t>{2, 2, 3, 3, 4, 4}));
  platform::testing::InjectReadFailure("records.log", platform::kErrPermissionDenied, 1000);
  file = platform::ReadLastRecords(path, 2, 3);
  platform::testing::InjectReadFailure("records.log", platform::kErrNone, 0);
  EXPECT_EQ(file.state, platform::RecordFile::State::kUnreadable);
  EXPECT_EQ(file.error, platform::kErrPermissionDenied);
  EXPECT_TRUE(file.records.empty());

  platform::testing::InjectFileFailure(platform::testing::FileStep::kRead, platform::kErrDiskMediaError,
                                       1000);
  file = platform::ReadLastRecords(path, 2, 3);
  platform::testing::InjectFileFailure(platform::testing::FileStep::kRead, platform::kErrNone, 0);
  EXPECT_EQ(file.state, platform::RecordFile::State::kUnreadable);
  EXPECT_EQ(file.error, platform::kErrDiskMediaError);

  EXPECT_EQ(platform::ReadLastRecords(folder.File("missing"), 2, 3).state,
            platform::RecordFile::State::kMissing);
  EXPECT_EQ(platform::ReadLastRecords(folder.Path(), 2, 3).state, platform::RecordFile::State::kNotAFile);
}

TEST(Files, ExistenceAttributesAndDeletion) {
  TempFolder folder;
  const std::string path = folder.File("plain.log");
  EXPECT_FALSE(platform::FileExists(path));
  EXPECT_TRUE(platform::FileExists(folder.Path()));
  WriteBytes(path, kOld);
  EXPECT_TRUE(platform::FileExists(path));
  EXPECT_FALSE(platform::FileExists(path + "/below-a-file"));

  chmod(path.c_str(), kReadOnlyFile);
  platform::SetArchiveOnly(path);
  const auto permissions = std::filesystem::status(path).permissions();
  EXPECT_NE(permissions & std::filesystem::perms::owner_write, std::filesystem::perms::none);
  platform::SetArchiveOnly(folder.File("missing"));  // ignored

  EXPECT_TRUE(platform::RemoveFile(path));
  EXPECT_FALSE(platform::FileExists(path));
  EXPECT_FALSE(platform::RemoveFile(path));
}

TEST(Files, ExecutableFolderHoldsTheRunningProgram) {
  const std::optional<std::string> found = platform::ExecutableFolder();
  ASSERT_TRUE(found.has_value());
  const std::string folder = *found;
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(std::filesystem::path(folder).is_absolute()) << folder;
  EXPECT_EQ(std::filesystem::path(folder).filename(), "") << "ends in the path separator: " << folder;
  const std::string program =
      std::filesystem::path(::testing::internal::GetArgvs().front()).filename().string();
  EXPECT_TRUE(platform::FileExists(folder + program)) << folder + program;
}

}  // namespace
