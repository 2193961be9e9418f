#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <thread>

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
  std::thread reader([&] {
    while (!done) {
      const auto seen = ReadBytes(path);
      if (seen != kOld && seen != kNew) ++torn;
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
  // A folder link that leads back to itself.
  std::filesystem::create_directory_symlink("loop", folder.File("loop"));
  EXPECT_EQ(ReplaceWholeFile(folder.File("loop/data.log"), kNew, kReplace).error,
            platform::kErrPathFileAccess);

  EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"loop", "plain", "settings.log"}));
  EXPECT_EQ(ReadBytes(folder.File("plain")), kOld);
}

// Replaces `path` in a child process held to `limit` of `resource` (at the lowest free descriptor for
// RLIMIT_NOFILE), and gives the error number it reported.
int ReplaceUnderLimit(const std::string& path, int resource, rlim_t limit) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);  // a write past the size limit then fails with EFBIG instead
    if (resource == RLIMIT_NOFILE) {
      limit = static_cast<rlim_t>(dup(0));
      close(static_cast<int>(limit));
    }
    const rlimit bounds{limit, limit};
    if (setrlimit(resource, &bounds) != 0) _exit(0);
    _exit(ReplaceWholeFile(path, kNew, kReplace).error);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(ReplaceWholeFile, LimitsOfTheProcessFailCleanly) {
  TempFolder folder;
  const std::string path = folder.File("data.log");
  EXPECT_EQ(ReplaceUnderLimit(path, RLIMIT_NOFILE, 0), platform::kErrTooManyFiles);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{});

  // Too big to write: the part written beside the old file goes, the old file stays.
  WriteBytes(path, kOld);
  EXPECT_GT(ReplaceUnderLimit(path, RLIMIT_FSIZE, kNew.size() - 1), platform::kErrNone);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"data.log"});
}

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(ReplaceWholeFile, KeepsThePermissionsOfTheFileItReplacesAndMakesItWritable) {
  TempFolder folder;
  const std::string path = folder.File("data.log");
  const mode_t mask = umask(022);
  umask(mask);
  ASSERT_TRUE(ReplaceWholeFile(path, kOld, kReplace).ok());
  EXPECT_EQ(ModeOf(path), 0666 & ~mask) << "a new file gets the default";
  // From the mode before to the mode after.
  const std::pair<mode_t, mode_t> modes[] = {{0600, 0600}, {0640, 0640}, {0604, 0604}, {0444, 0644},
                                             {0400, 0600}, {0751, 0751}, {04755, 0755}};
  for (const auto& [before, after] : modes) {
    ASSERT_EQ(chmod(path.c_str(), before), 0);
    ASSERT_TRUE(ReplaceWholeFile(path, kNew, kReplace).ok());
    EXPECT_EQ(ModeOf(path), after) << std::oct << before;
    EXPECT_EQ(ReadBytes(path), kNew);
  }
}

TEST(ReplaceWholeFile, RefusesAReadOnlyFileOnlyWhenToldTo) {
  TempFolder folder;
  const std::string path = folder.File("picture.bmp");
  WriteBytes(path, kOld);
  ASSERT_EQ(chmod(path.c_str(), kReadOnlyFile), 0);
  const platform::ReplaceResult refused = ReplaceWholeFile(path, kNew, platform::ReadOnlyTarget::kRefuse);
  EXPECT_EQ(refused.error, platform::kErrPermissionDenied);
  EXPECT_EQ(refused.stage, ReplaceStage::kCreate);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(ModeOf(path), kReadOnlyFile);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"picture.bmp"});

  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  EXPECT_TRUE(ReplaceWholeFile(path, kNew, platform::ReadOnlyTarget::kRefuse).ok());
  EXPECT_EQ(ReadBytes(path), kNew);
}

TEST(ReplaceWholeFile, ALinkIsReplacedByTheNewFileAndWhatItPointsToIsLeftAlone) {
  TempFolder folder;
  TempFolder elsewhere;
  const std::string target = elsewhere.File("kept.log");
  WriteBytes(target, kOld);
  ASSERT_EQ(chmod(target.c_str(), 0400), 0);
  for (const platform::ReadOnlyTarget readOnly : {kReplace, platform::ReadOnlyTarget::kRefuse}) {
    const std::string path = folder.File("data.log");
    std::filesystem::remove(path);
    std::filesystem::create_symlink(target, path);
    ASSERT_TRUE(ReplaceWholeFile(path, kNew, readOnly).ok());
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(path)));
    EXPECT_EQ(ReadBytes(path), kNew);
    EXPECT_EQ(ReadBytes(target), kOld);
    EXPECT_EQ(ModeOf(target), 0400u);
  }
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

TEST(RemoveLeftoverTemporaries, RemovesTheProgramsTemporaryFilesAndNothingElse) {
  TempFolder folder;
  TempFolder elsewhere;
  for (const char* name : {".kalvor-0123456789abcdef-89abcdef.tmp", ".kalvor-4711-123456.tmp"}) {
    WriteBytes(folder.File(name), kNew);
  }
  WriteBytes(elsewhere.File("target"), kOld);
  std::filesystem::create_symlink(elsewhere.File("target"), folder.File(".kalvor-link.tmp"));
  const std::vector<std::string> kept = {".kalvor-folder.tmp", ".kalvor-notes", "mark.log", "notes.tmp"};
  std::filesystem::create_directory(folder.File(kept[0]));
  for (std::size_t i = 1; i < kept.size(); ++i) WriteBytes(folder.File(kept[i]), kOld);

  platform::RemoveLeftoverTemporaries(folder.Path());
  EXPECT_EQ(FolderEntries(folder.Path()), kept);
  EXPECT_EQ(ReadBytes(elsewhere.File("target")), kOld);
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
  // A pipe in the data file's place must not block the program.
  const std::string pipePath = folder.File("pipe.log");
  ASSERT_EQ(mkfifo(pipePath.c_str(), 0644), 0);
  EXPECT_FALSE(platform::RecordReader(pipePath).IsOpen());
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
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_TRUE(info.st_mode & S_IWUSR);
  platform::SetArchiveOnly(folder.File("missing"));  // ignored

  EXPECT_TRUE(platform::RemoveFile(path));
  EXPECT_FALSE(platform::FileExists(path));
  EXPECT_FALSE(platform::RemoveFile(path));
}

TEST(Files, AttributesAndDeletionActOnALinkNeverOnWhatItPointsTo) {
  TempFolder folder;
  TempFolder elsewhere;
  const std::string target = elsewhere.File("private.log");
  WriteBytes(target, kOld);
  ASSERT_EQ(chmod(target.c_str(), 0400), 0);
  const std::string link = folder.File("mark.log");
  std::filesystem::create_symlink(target, link);

  platform::SetArchiveOnly(link);
  EXPECT_EQ(ModeOf(target), 0400u);
  EXPECT_TRUE(platform::RemoveFile(link));
  EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
  EXPECT_EQ(ReadBytes(target), kOld);
  EXPECT_EQ(ModeOf(target), 0400u);
}

TEST(Files, ExecutableFolderHoldsTheRunningProgram) {
  const std::string folder = platform::ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(platform::FileExists(folder + program_invocation_short_name));
}

}  // namespace
