// What only a POSIX system has: pipes and looping links where a data file should be, and the limits a
// process can be held to.
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
  EXPECT_EQ(ReplaceWholeFile(folder.File("loop/data.log"), kNew).error, platform::kErrPathFileAccess);
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
    _exit(ReplaceWholeFile(path, kNew).error);
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
}  // namespace
