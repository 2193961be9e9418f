// What only a POSIX system has: pipes and links where a data file should be, permission bits, and the
// limits a process can be held to.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "tests/support/fault_env.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::FolderEntries;
using kalvor::testing::ReadBytes;
using kalvor::testing::TempFolder;
using kalvor::testing::WriteBytes;
using platform::ReplaceWholeFile;
constexpr platform::ReadOnlyTarget kReplace = platform::ReadOnlyTarget::kReplace;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', '!'};
const std::vector<std::uint8_t> kNew = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(RecordReader, APipeInTheDataFilesPlaceReadsAsNoFile) {
  // It must not block the program either.
  TempFolder folder;
  const std::string pipePath = folder.File("pipe.log");
  ASSERT_EQ(mkfifo(pipePath.c_str(), 0644), 0);
  EXPECT_FALSE(platform::RecordReader(pipePath).IsOpen());
}

TEST(ReplaceWholeFile, AFolderLinkThatLeadsBackToItselfFails) {
  TempFolder folder;
  std::filesystem::create_directory_symlink("loop", folder.File("loop"));
  EXPECT_EQ(ReplaceWholeFile(folder.File("loop/data.log"), kNew, kReplace).error,
            platform::kErrPathFileAccess);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"loop"});
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

// A private, read-only file outside the folder a test works in, for links to point to.
constexpr mode_t kPrivateReadOnly = 0400;
std::string PrivateFileElsewhere(const TempFolder& elsewhere) {
  const std::string target = elsewhere.File("private.log");
  WriteBytes(target, kOld);
  chmod(target.c_str(), kPrivateReadOnly);
  return target;
}

void ExpectUntouched(const std::string& target) {
  EXPECT_EQ(ReadBytes(target), kOld);
  EXPECT_EQ(ModeOf(target), kPrivateReadOnly);
}

TEST(ReplaceWholeFile, ALinkIsReplacedByTheNewFileAndWhatItPointsToIsLeftAlone) {
  TempFolder folder;
  TempFolder elsewhere;
  const std::string target = PrivateFileElsewhere(elsewhere);
  for (const platform::ReadOnlyTarget readOnly : {kReplace, platform::ReadOnlyTarget::kRefuse}) {
    const std::string path = folder.File("data.log");
    std::filesystem::remove(path);
    std::filesystem::create_symlink(target, path);
    ASSERT_TRUE(ReplaceWholeFile(path, kNew, readOnly).ok());
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(path)));
    EXPECT_EQ(ReadBytes(path), kNew);
    ExpectUntouched(target);
  }
}

TEST(Files, AttributesAndDeletionActOnALinkNeverOnWhatItPointsTo) {
  TempFolder folder;
  TempFolder elsewhere;
  const std::string target = PrivateFileElsewhere(elsewhere);
  const std::string link = folder.File("mark.log");
  std::filesystem::create_symlink(target, link);

  platform::SetArchiveOnly(link);
  ExpectUntouched(target);
  EXPECT_TRUE(platform::RemoveFile(link));
  EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
  ExpectUntouched(target);
}

TEST(RemoveLeftoverTemporaries, RemovesALinkOfATemporarysNameButNotWhatItPointsTo) {
  TempFolder folder;
  TempFolder elsewhere;
  const std::string target = PrivateFileElsewhere(elsewhere);
  std::filesystem::create_symlink(target, folder.File(".kalvor-link.tmp"));
  platform::RemoveLeftoverTemporaries(folder.Path());
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{});
  ExpectUntouched(target);
}

}  // namespace
