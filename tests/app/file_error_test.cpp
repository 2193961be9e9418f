#include "app/file_error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "platform/automation.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

constexpr mode_t kReadOnlyFile = 0444;

TEST(FileErrorMessage, PutsTwoSpacesBeforeTheNumberAndOneBeforeTheDescription) {
  EXPECT_EQ(FileErrorMessage(61), "Err:  61 Disk full");
  EXPECT_EQ(FileErrorMessage(5), "Err:  5 Illegal function call");
  EXPECT_EQ(FileErrorMessage(52), "Err:  52 Bad file name or number");
  EXPECT_EQ(FileErrorMessage(7), "Err:  7 Out of memory");
  EXPECT_EQ(FileErrorMessage(51), "Err:  51 Internal error");
  EXPECT_EQ(FileErrorMessage(53), "Err:  53 File not found");
  EXPECT_EQ(FileErrorMessage(57), "Err:  57 Device I/O error");
  EXPECT_EQ(FileErrorMessage(62), "Err:  62 Input past end");
  EXPECT_EQ(FileErrorMessage(64), "Err:  64 Bad file name");
  EXPECT_EQ(FileErrorMessage(67), "Err:  67 Too many files");
  EXPECT_EQ(FileErrorMessage(68), "Err:  68 Device unavailable");
  EXPECT_EQ(FileErrorMessage(70), "Err:  70 Permission denied");
  EXPECT_EQ(FileErrorMessage(71), "Err:  71 Disk not ready");
  EXPECT_EQ(FileErrorMessage(72), "Err:  72 Disk media error");
  EXPECT_EQ(FileErrorMessage(74), "Err:  74 Rename across disks");
  EXPECT_EQ(FileErrorMessage(75), "Err:  75 Path/file access error");
  EXPECT_EQ(FileErrorMessage(76), "Err:  76 Path not found");
}

TEST(ShowFileError, ShowsOneBoxCaptionedInTheCurrentLanguage) {
  for (const auto& [language, caption] : std::vector<std::pair<int, std::string>>{{1, "Programador"},
                                                                                  {3, "Programmeur"},
                                                                                  {4, "Programmierer"},
                                                                                  {5, "Programmer"},
                                                                                  {0, "Programador"}}) {
    std::optional<platform::automation::SeenMessageBox> seen;
    platform::automation::Then(
        [&] { seen = platform::automation::AnswerMessageBox(platform::MessageAnswer::kOk); });
    ShowFileError(61, language);
    ASSERT_TRUE(seen.has_value()) << "language " << language;
    EXPECT_EQ(seen->text, "Err:  61 Disk full");
    EXPECT_EQ(seen->caption, caption);
    EXPECT_EQ(seen->buttons.size(), 1u);
    EXPECT_FALSE(seen->hasIcon);
  }
}

TEST(DeleteDataFile, RemovesEvenAReadOnlyFileAndToleratesWhatCannotGo) {
  testing::TempFolder folder;
  const std::string path = folder.File("mark.log");
  testing::WriteBytes(path, {1, 2, 3});
  chmod(path.c_str(), kReadOnlyFile);
  EXPECT_TRUE(DeleteDataFile(path));
  EXPECT_FALSE(testing::Exists(path));
  EXPECT_TRUE(DeleteDataFile(path));  // already gone

  const std::string notAFile = folder.File("settings.log");
  std::filesystem::create_directory(notAFile);
  EXPECT_FALSE(DeleteDataFile(notAFile));
  EXPECT_TRUE(testing::Exists(notAFile));
}

}  // namespace
}  // namespace kalvor
