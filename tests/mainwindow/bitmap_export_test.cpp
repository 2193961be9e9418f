#include "mainwindow/bitmap_export.h"

#include <gtest/gtest.h>

#include "platform/file_faults.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// The calendar view's drawing area: the 1195 x 695 control less its border.
constexpr int kViewWidth = 1193;
constexpr int kViewHeight = 693;
constexpr std::size_t kViewFileSize = 2480994;

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(EncodeBitmapFile, TheViewGivesTheTabledHeaderAndSize) {
  const std::vector<std::uint8_t> bytes = EncodeBitmapFile(platform::Image(kViewWidth, kViewHeight));
  ASSERT_EQ(bytes.size(), kViewFileSize);
  EXPECT_EQ(bytes[0], 0x42);
  EXPECT_EQ(bytes[1], 0x4D);
  EXPECT_EQ(Read32(bytes, 2), kViewFileSize);
  EXPECT_EQ(Read32(bytes, 6), 0u);
  EXPECT_EQ(Read32(bytes, 10), 54u);
  EXPECT_EQ(Read32(bytes, 14), 40u);
  EXPECT_EQ(Read32(bytes, 18), static_cast<std::uint32_t>(kViewWidth));
  EXPECT_EQ(Read32(bytes, 22), static_cast<std::uint32_t>(kViewHeight));
  EXPECT_EQ(Read16(bytes, 26), 1);
  EXPECT_EQ(Read16(bytes, 28), 24);
  for (std::size_t at = 30; at < 54; at += 4) EXPECT_EQ(Read32(bytes, at), 0u) << "offset " << at;
}

TEST(EncodeBitmapFile, RowsGoBottomUpAsBlueGreenRedWithZeroPadding) {
  // 5 pixels a row: 15 bytes padded to 16.
  platform::Image picture(5, 3);
  picture.Fill(platform::kWhite);
  picture.SetPixel(0, 0, platform::MakeColour(0x11, 0x22, 0x33));  // top-left
  picture.SetPixel(4, 2, platform::MakeColour(0xAA, 0xBB, 0xCC));  // bottom-right
  const std::vector<std::uint8_t> bytes = EncodeBitmapFile(picture);
  constexpr std::size_t kStride = 16;
  ASSERT_EQ(bytes.size(), 54 + 3 * kStride);
  const std::size_t lastRow = 54 + 2 * kStride;
  EXPECT_EQ(bytes[lastRow], 0x33);  // blue first
  EXPECT_EQ(bytes[lastRow + 1], 0x22);
  EXPECT_EQ(bytes[lastRow + 2], 0x11);
  EXPECT_EQ(bytes[54 + 12], 0xCC);  // the first row in the file is the bottom line
  EXPECT_EQ(bytes[54 + 14], 0xAA);
  for (std::size_t row = 0; row < 3; ++row) EXPECT_EQ(bytes[54 + row * kStride + 15], 0) << "row " << row;
  EXPECT_EQ(bytes[54 + kStride], 0xFF);
}

TEST(SaveViewAsBitmap, ReplacesTheFileWholeOrNotAtAll) {
  TempFolder folder;
  const std::string path = BitmapPathFor(folder.File("calendario"));
  EXPECT_EQ(path, folder.File("calendario.bmp"));
  platform::Image view(kViewWidth, kViewHeight);
  view.Fill(platform::kWhite);
  ASSERT_TRUE(SaveViewAsBitmap(path, view).ok());
  ASSERT_TRUE(SaveViewAsBitmap(path, view).ok());
  EXPECT_EQ(ReadBytes(path).size(), kViewFileSize);

  const std::vector<std::uint8_t> previous = {'o', 'l', 'd'};
  WriteBytes(path, previous);
  platform::testing::InjectReplaceFailure(platform::kErrDiskFull, platform::ReplaceStage::kWrite);
  EXPECT_EQ(SaveViewAsBitmap(path, view).error, platform::kErrDiskFull);
  EXPECT_EQ(ReadBytes(path), previous);

  // A folder that does not exist is a numbered failure too, not silence.
  EXPECT_FALSE(SaveViewAsBitmap(folder.File("missing/plan.bmp"), view).ok());
}

TEST(CutBitmapFileName, KeepsAtMost259CharactersAndNeverSplitsOne) {
  EXPECT_EQ(CutBitmapFileName("plan"), "plan");
  EXPECT_EQ(BitmapPathFor("plan.bmp"), "plan.bmp.bmp");
  EXPECT_EQ(CutBitmapFileName(std::string(300, 'a')), std::string(259, 'a'));
  EXPECT_EQ(CutBitmapFileName(std::string(259, 'a')), std::string(259, 'a'));
  EXPECT_EQ(CutBitmapFileName(""), "");

  // Two-byte characters count as one each.
  std::string accents;
  for (int i = 0; i < 300; ++i) accents += "\xC3\xA9";  // é
  const std::string cut = CutBitmapFileName(accents);
  EXPECT_EQ(cut.size(), 259u * 2);
  EXPECT_EQ(cut, accents.substr(0, 518));

  // A four-byte character straddling the limit stays whole or goes whole.
  const std::string mixed = std::string(258, 'b') + "\xF0\x9F\x93\x85" + "zz";
  EXPECT_EQ(CutBitmapFileName(mixed), std::string(258, 'b') + "\xF0\x9F\x93\x85");
}

}  // namespace
}  // namespace kalvor
