// One holder per folder however the folder is written: Windows compares folders without regard to case
// and takes either slash.
#include <gtest/gtest.h>

#include <string>

#include "platform/single_copy.h"
#include "tests/support/temp_folder.h"

namespace {

using kalvor::testing::TempFolder;

std::string Respelled(std::string path, bool upper, char separator) {
  for (char& c : path) {
    if (c == '/' || c == '\\') c = separator;
    if (c >= 'a' && c <= 'z' && upper) c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z' && !upper) c = static_cast<char>(c - 'A' + 'a');
  }
  return path;
}

TEST(FolderClaim, AFolderIsHeldOnceWhateverWayItIsWritten) {
  TempFolder folder;
  TempFolder other;
  const platform::FolderClaim first(folder.Path());
  ASSERT_TRUE(first.Held());
  for (const std::string& spelling :
       {Respelled(folder.Path(), true, '\\'), Respelled(folder.Path(), false, '/'),
        Respelled(folder.Path(), false, '\\') + ".\\"}) {
    EXPECT_FALSE(platform::FolderClaim(spelling).Held()) << spelling;
  }
  EXPECT_TRUE(platform::FolderClaim(other.Path()).Held());
}

}  // namespace
