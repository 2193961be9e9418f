// One holder per folder however the folder is written: through a link or with "." in it, a folder is
// the one the link leads to.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/single_copy.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::TempFolder;

TEST(FolderClaim, AFolderIsHeldOnceWhateverWayItIsWritten) {
  TempFolder folder;
  TempFolder links;
  const std::string link = links.File("same");
  ASSERT_EQ(symlink(folder.Path().c_str(), link.c_str()), 0);
  const platform::FolderClaim first(folder.Path());
  ASSERT_TRUE(first.Held());
  for (const std::string& spelling : {folder.Path(), link + "/", folder.Path() + "./", link + "/./"}) {
    EXPECT_FALSE(platform::FolderClaim(spelling).Held()) << spelling;
  }
  // The folder holding the link is another folder.
  EXPECT_TRUE(platform::FolderClaim(links.Path()).Held());
}

}  // namespace
