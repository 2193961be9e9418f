// Replacing files where the machine really refuses: a full disk, a read-only medium, a folder the user
// may not write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/files.h"
#include "tests/support/fault_env.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::FolderEntries;
using kalvor::testing::ReadBytes;
using kalvor::testing::WriteBytes;
using platform::ReplaceWholeFile;
using platform::ReplaceStage;
constexpr platform::ReadOnlyTarget kReplace = platform::ReadOnlyTarget::kReplace;

constexpr std::size_t kSmallDiskBytes = 64 * 1024;
const std::vector<std::uint8_t> kOld(32, 0x11);
const std::vector<std::uint8_t> kNew(32, 0x22);
constexpr mode_t kReadOnlyFile = 0444;

TEST(FileFaults, AFullDiskReportsDiskFullAndKeepsTheOldFile) {
  kalvor::testing::SmallTmpfs disk(kSmallDiskBytes);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  const std::string path = disk.File("settings.log");
  WriteBytes(path, kOld);
  ASSERT_TRUE(disk.FillUp());

  const platform::ReplaceResult result = ReplaceWholeFile(path, kNew, kReplace);
  EXPECT_EQ(result.error, platform::kErrDiskFull);
  EXPECT_EQ(result.stage, ReplaceStage::kWrite);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(FolderEntries(disk.Path()), (std::vector<std::string>{"filler", "settings.log"}));
}

TEST(FileFaults, AReadOnlyMediumReportsPermissionDeniedBeforeWriting) {
  kalvor::testing::SmallTmpfs disk(kSmallDiskBytes);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  const std::string path = disk.File("settings.log");
  WriteBytes(path, kOld);
  ASSERT_TRUE(disk.MakeReadOnly());

  const platform::ReplaceResult result = ReplaceWholeFile(path, kNew, kReplace);
  EXPECT_EQ(result.error, platform::kErrPermissionDenied);
  EXPECT_EQ(result.stage, ReplaceStage::kCreate);
  EXPECT_EQ(ReadBytes(path), kOld);
}

TEST(FileFaults, AFolderTheUserMayNotWriteReportsPermissionDenied) {
  using namespace kalvor::testing;
  if (InTestChild()) {
    const platform::ReplaceResult result =
        ReplaceWholeFile(ChildValue("FOLDER") + "settings.log", kNew, kReplace);
    EXPECT_EQ(result.error, platform::kErrPermissionDenied);
    EXPECT_EQ(result.stage, ReplaceStage::kCreate);
    return;
  }
  TempFolder folder;
  WriteBytes(folder.File("settings.log"), kOld);
  LetOthersReadOnly(folder.Path());
  const ChildRun run = RunThisTestUnprivileged({{"FOLDER", folder.Path()}});
  if (!run.started) GTEST_SKIP() << run.reason;
  EXPECT_TRUE(run.passed) << run.output;
  EXPECT_EQ(ReadBytes(folder.File("settings.log")), kOld);
}

TEST(FileFaults, AReadOnlyFileInTheUsersOwnFolderIsReplaced) {
  using namespace kalvor::testing;
  if (InTestChild()) {
    const std::string path = ChildValue("FOLDER") + "settings.log";
    EXPECT_TRUE(ReplaceWholeFile(path, kNew, kReplace).ok());
    EXPECT_EQ(ReadBytes(path), kNew);
    return;
  }
  TempFolder folder;
  const std::string path = folder.File("settings.log");
  WriteBytes(path, std::vector<std::uint8_t>(100, 0x11));
  chmod(path.c_str(), kReadOnlyFile);
  GiveToUnprivilegedUser(folder.Path());
  GiveToUnprivilegedUser(path);
  const ChildRun run = RunThisTestUnprivileged({{"FOLDER", folder.Path()}});
  if (!run.started) GTEST_SKIP() << run.reason;
  EXPECT_TRUE(run.passed) << run.output;
  EXPECT_EQ(ReadBytes(path), kNew);
}

}  // namespace
