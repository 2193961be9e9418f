// What only the Windows files layer has: names Windows refuses, names beyond the code page, the
// read-only attribute, and the program's folder from the module's file name.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <vector>

#include "platform/executable_folder.h"
#include "platform/files.h"
#include "platform/windows/unicode.h"
#include "tests/support/fault_env.h"
#include "tests/support/file_states.h"
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

// The system's own listing of the folder is the judge, not the program's conversion back.
std::vector<std::wstring> SystemListing(const std::string& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((kalvor::testing::Utf8Path(folder) / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

TEST(WindowsFiles, NamesBeyondTheCodePageAreKept) {
  TempFolder folder;
  const std::string name = "Año Août Ça \xE2\x82\xAC \xCE\xB1.log";  // accents, the euro sign, alpha
  EXPECT_TRUE(platform::ReplaceWholeFile(folder.File(name), kNew, platform::ReadOnlyTarget::kReplace).ok());
  EXPECT_EQ(SystemListing(folder.Path()),
            std::vector<std::wstring>{L"A\u00F1o Ao\u00FBt \u00C7a \u20AC \u03B1.log"});
  {
    const platform::RecordReader reader(folder.File(name));
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.Length(), 4);
  }
  EXPECT_TRUE(platform::RemoveFile(folder.File(name)));
  EXPECT_TRUE(SystemListing(folder.Path()).empty());
}

// A move that fails (the old file held by another program) gives back the read-only attribute it took.
TEST(WindowsFiles, AFailedMoveLeavesAReadOnlyFileReadOnly) {
  TempFolder folder;
  const std::string path = folder.File("mark.log");
  WriteBytes(path, kOld);
  ASSERT_TRUE(SetFileAttributesW(kalvor::testing::Utf8Path(path).c_str(), FILE_ATTRIBUTE_READONLY));
  {
    const kalvor::testing::HeldFile held(path, std::nullopt);
    ASSERT_TRUE(held.Held()) << held.Reason();
    const platform::ReplaceResult result =
        platform::ReplaceWholeFile(path, kNew, platform::ReadOnlyTarget::kReplace);
    EXPECT_EQ(result.error, platform::kErrPermissionDenied);
    EXPECT_EQ(result.stage, platform::ReplaceStage::kWrite);
    EXPECT_EQ(GetFileAttributesW(kalvor::testing::Utf8Path(path).c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"mark.log"});
  SetFileAttributesW(kalvor::testing::Utf8Path(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Windows itself refuses such paths without the prefix (Wine does not, so the saves in a deep folder
// cannot tell): the prefixed path must name the same file, absolute, with backslashes only.
TEST(WindowsFiles, PathsPastTheClassicLimitGetTheLongPathPrefix) {
  const std::string deep(300, 'x');
  const std::wstring wideDeep(300, L'x');
  EXPECT_EQ(platform::windows::SystemPath("C:\\a\\b.log"), L"C:\\a\\b.log");
  EXPECT_EQ(platform::windows::SystemPath("C:/" + deep + "/z.log"), L"\\\\?\\C:\\" + wideDeep + L"\\z.log");
  EXPECT_EQ(platform::windows::SystemPath("C:\\" + deep + "\\..\\y.log"), L"\\\\?\\C:\\y.log");
  EXPECT_EQ(platform::windows::SystemPath("\\\\server\\share\\" + deep),
            L"\\\\?\\UNC\\server\\share\\" + wideDeep);
  EXPECT_EQ(platform::windows::SystemPath("C:\\" + std::string(200, 'x'), 100),
            L"\\\\?\\C:\\" + std::wstring(200, L'x'));
}

// The folder that holds this very test program, and not a root.
TEST(WindowsFiles, TheProgramFolderEndsInABackslash) {
  const std::optional<std::string> found = platform::ExecutableFolder();
  ASSERT_TRUE(found.has_value());
  const std::string folder = *found;
  ASSERT_GT(folder.size(), 3u) << folder;
  EXPECT_EQ(folder[1], ':') << folder;
  EXPECT_EQ(folder.back(), '\\') << folder;
  const std::filesystem::path program = ::testing::internal::GetArgvs().front();
  EXPECT_TRUE(std::filesystem::is_regular_file(kalvor::testing::Utf8Path(folder) / program.filename()))
      << folder;
}

}  // namespace
