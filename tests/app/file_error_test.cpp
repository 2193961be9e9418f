// The numbered messages themselves are checked through the real windows, write by write, in the
// end-to-end fault matrix.
#include "app/file_error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

constexpr mode_t kReadOnlyFile = 0444;

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
