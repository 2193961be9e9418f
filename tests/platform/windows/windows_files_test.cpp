// What only the Windows files layer has: names Windows refuses, names beyond the code page, the
// read-only attribute, and the program's folder from the module's file name.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/executable_folder.h"
#include "platform/files.h"
#include "tests/support/fault_env.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::FolderEntries;
using kalvor::testing::ReadBytes;
using kalvor::testing::TempFolder;
using kalvor::testing::WriteBytes;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {1, 2, 3, 4};

TEST(WindowsFiles, NamesWindowsRefusesFailBeforeAnythingIsCreated) {
  TempFolder folder;
  for (const char* name : {"a<b.bmp", "a>b.bmp", "what?.bmp", "star*.bmp", "pipe|.bmp", "quote\".bmp",
                           "colon:stream.bmp", "tab\t.bmp"}) {
    const platform::ReplaceResult result =
        platform::ReplaceWholeFile(folder.File(name), kNew, platform::ReadOnlyTarget::kReplace);
    EXPECT_EQ(result.error, platform::kErrBadFileName) << name;
    EXPECT_EQ(result.stage, platform::ReplaceStage::kCreate) << name;
  }
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST(WindowsFiles, AReadOnlyFileIsReplacedAndOtherNamesKeepTheirAttribute) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  const std::string neighbour = folder.File("mark.log");
  WriteBytes(path, kOld);
  WriteBytes(neighbour, kOld);
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  std::filesystem::permissions(neighbour, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_TRUE(platform::ReplaceWholeFile(path, kNew, platform::ReadOnlyTarget::kReplace).ok());
  EXPECT_EQ(ReadBytes(path), kNew);
  EXPECT_EQ(std::filesystem::status(neighbour).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
  EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"Mis Colores.log", "mark.log"}));
}

TEST(WindowsFiles, NamesBeyondTheCodePageAreKept) {
  TempFolder folder;
  const std::string name = "Año Août Ça \xE2\x82\xAC \xCE\xB1.log";  // accents, the euro sign, alpha
  EXPECT_TRUE(platform::ReplaceWholeFile(folder.File(name), kNew, platform::ReadOnlyTarget::kReplace).ok());
  EXPECT_TRUE(platform::FileExists(folder.File(name)));
  {
    const platform::RecordReader reader(folder.File(name));
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.Length(), 4);
  }
  EXPECT_TRUE(platform::RemoveFile(folder.File(name)));
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST(WindowsFiles, TheProgramFolderEndsInABackslash) {
  const std::optional<std::string> found = platform::ExecutableFolder();
  ASSERT_TRUE(found.has_value());
  const std::string folder = *found;
  ASSERT_GE(folder.size(), 3u);
  EXPECT_EQ(folder[1], ':') << folder;
  EXPECT_EQ(folder.back(), '\\') << folder;
}

}  // namespace
