// What only the Windows files layer has: the system's error codes, names Windows refuses, the
// read-only attribute, and the program's folder from the module's file name.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/windows/error_map.h"
#include "tests/support/fault_env.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::FolderEntries;
using kalvor::testing::ReadBytes;
using kalvor::testing::TempFolder;
using kalvor::testing::WriteBytes;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {1, 2, 3, 4};

// Windows' documented error codes (winerror.h) and the program's numbers for the failures they name.
TEST(WindowsFileErrors, SystemErrorCodesMapOntoTheProgramsNumbers) {
  const std::vector<std::pair<unsigned long, int>> cases = {
      {87, 5},  {8, 7},   {14, 7},   {1, 51},   {11, 51},   {12, 51}, {13, 51},  {22, 51},  {24, 51},
      {2, 53},  {18, 53}, {6, 57},   {112, 61}, {39, 61},   {38, 62}, {123, 64}, {161, 64}, {206, 64},
      {4, 67},  {15, 68}, {20, 68},  {55, 68},  {53, 68},   {5, 70},  {19, 70},  {32, 70},  {33, 70},
      {21, 71}, {23, 72}, {25, 72},  {27, 72},  {29, 72},   {30, 72}, {31, 72},  {34, 72},  {17, 74},
      {3, 76},  {80, 75}, {267, 75}, {0, 75},   {1450, 75},
  };
  for (const auto& [systemError, number] : cases) {
    EXPECT_EQ(platform::windows::FileErrorFromSystemError(systemError), number) << "error " << systemError;
  }
}

TEST(WindowsFiles, NamesWindowsRefusesFailBeforeAnythingIsCreated) {
  TempFolder folder;
  for (const char* name : {"a<b.bmp", "a>b.bmp", "what?.bmp", "star*.bmp", "pipe|.bmp", "quote\".bmp",
                           "colon:stream.bmp", "tab\t.bmp"}) {
    const platform::ReplaceResult result = platform::ReplaceWholeFile(folder.File(name), kNew);
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
  EXPECT_TRUE(platform::ReplaceWholeFile(path, kNew).ok());
  EXPECT_EQ(ReadBytes(path), kNew);
  EXPECT_EQ(std::filesystem::status(neighbour).permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
  EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"Mis Colores.log", "mark.log"}));
}

TEST(WindowsFiles, NamesBeyondTheCodePageAreKept) {
  TempFolder folder;
  const std::string name = "Año Août Ça \xE2\x82\xAC \xCE\xB1.log";  // accents, the euro sign, alpha
  EXPECT_TRUE(platform::ReplaceWholeFile(folder.File(name), kNew).ok());
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
  const std::string folder = platform::ExecutableFolder();
  ASSERT_GE(folder.size(), 3u);
  EXPECT_EQ(folder[1], ':') << folder;
  EXPECT_EQ(folder.back(), '\\') << folder;
}

}  // namespace
