// Lengths and pictures taken to a display's scale: the rounding of lengths and the enlargement of a part
// of a picture (the whole, and the mouse's way back, are checked through the real views).
#include "platform/display_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::Image;
using platform::PicturePixelAt;
using platform::ToDisplayPixels;
using platform::ToProgramPixels;

constexpr int kScales[] = {120, 144, 168, 192, 240};

TEST(DisplayScale, LengthsAndPointsAreScaledToTheNearestPixel) {
  for (int n = -300; n <= 3000; ++n) {
    EXPECT_EQ(ToDisplayPixels(n, 96), n);
    EXPECT_EQ(ToProgramPixels(n, 96), n);
    EXPECT_EQ(PicturePixelAt(n, 96), n);
    for (const int dpi : kScales) {
      const double exact = n * dpi / 96.0;
      ASSERT_EQ(ToDisplayPixels(n, dpi), static_cast<int>(std::floor(exact + 0.5))) << n << " at " << dpi;
      ASSERT_EQ(ToProgramPixels(ToDisplayPixels(n, dpi), dpi), n) << n << " at " << dpi;
      // The mouse at display pixel n is over the picture pixel whose block holds n.
      const int p = PicturePixelAt(n, dpi);
      ASSERT_TRUE(ToDisplayPixels(p, dpi) <= n && n < ToDisplayPixels(p + 1, dpi)) << n << " at " << dpi;
    }
  }
  // The calendar window at 125, 150 and 200 %.
  EXPECT_EQ(ToDisplayPixels(1204, 120), 1505);
  EXPECT_EQ(ToDisplayPixels(1204, 144), 1806);
  EXPECT_EQ(ToDisplayPixels(752, 144), 1128);
  EXPECT_EQ(ToDisplayPixels(752, 192), 1504);
}

Image Numbered(int width, int height) {
  Image picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, platform::MakeColour(x, y, x ^ y));
  }
  return picture;
}

// A part enlarged again touches the display pixels of that part only: a click redraws one day.
TEST(DisplayScale, APartIsEnlargedIntoItsOwnBlocksOnly) {
  const Image picture = Numbered(40, 30);
  constexpr platform::Colour kUntouched = 0x123456;
  Image shown(ToDisplayPixels(40, 144), ToDisplayPixels(30, 144));
  shown.Fill(kUntouched);
  platform::ShowEnlarged(picture, shown, 3, 4, 8, 10, 144);
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      // Picture pixel (3, 4) starts at display (5, 6), pixel (8, 10) at (12, 15).
      const bool inside = x >= 5 && x < 12 && y >= 6 && y < 15;
      const platform::Colour expected =
          inside ? picture.Pixel(static_cast<int>(x / 1.5), static_cast<int>(y / 1.5)) : kUntouched;
      ASSERT_EQ(shown.Pixel(x, y), expected) << x << "," << y;
    }
  }
}

}  // namespace
