// Lengths and pictures taken to a display's scale: the rounding of lengths, the blocks of display pixels
// that show each picture pixel, and the enlargement of a picture or of a part of it.
#include "platform/display_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::Image;
using platform::PicturePixelAt;
using platform::ToDisplayPixels;
using platform::ToProgramPixels;

constexpr int kScales[] = {120, 144, 168, 192, 240};

TEST(DisplayScale, LengthsAreScaledAndRoundedToTheNearestPixel) {
  for (int n = -300; n <= 3000; ++n) {
    EXPECT_EQ(ToDisplayPixels(n, 96), n);
    EXPECT_EQ(ToProgramPixels(n, 96), n);
    EXPECT_EQ(PicturePixelAt(n, 96), n);
    for (const int dpi : kScales) {
      const double exact = n * dpi / 96.0;
      ASSERT_EQ(ToDisplayPixels(n, dpi), static_cast<int>(std::floor(exact + 0.5))) << n << " at " << dpi;
      ASSERT_EQ(ToProgramPixels(ToDisplayPixels(n, dpi), dpi), n) << n << " at " << dpi;
    }
  }
  // The calendar window at 125, 150 and 200 %.
  EXPECT_EQ(ToDisplayPixels(1204, 120), 1505);
  EXPECT_EQ(ToDisplayPixels(1204, 144), 1806);
  EXPECT_EQ(ToDisplayPixels(752, 144), 1128);
  EXPECT_EQ(ToDisplayPixels(752, 192), 1504);
}

// Walking along the display, each picture pixel takes a run of one block, in order, none skipped, each
// as long as the scale allows (1 or 2 pixels at 150 %, exactly 2 at 200 %).
TEST(DisplayScale, EveryPicturePixelIsShownAsOneBlockOfWholePixels) {
  for (const int dpi : kScales) {
    const int shortest = dpi / 96, longest = (dpi + 95) / 96;
    int expected = 0, run = 0;
    for (int d = 0; d < ToDisplayPixels(1193, dpi); ++d) {
      const int p = PicturePixelAt(d, dpi);
      if (p != expected) {
        ASSERT_EQ(p, expected + 1) << "display pixel " << d << " at " << dpi;
        ASSERT_GE(run, shortest);
        ASSERT_LE(run, longest);
        expected = p;
        run = 0;
      }
      ++run;
      ASSERT_EQ(ToDisplayPixels(p, dpi) <= d && d < ToDisplayPixels(p + 1, dpi), true);
    }
    EXPECT_EQ(expected, 1192) << "the last pixel shown at " << dpi;
  }
}

Image Numbered(int width, int height) {
  Image picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, platform::MakeColour(x, y, x ^ y));
  }
  return picture;
}

TEST(DisplayScale, AtTwiceTheScaleEachPixelBecomesATwoByTwoSquare) {
  const Image picture = Numbered(37, 23);
  Image shown(74, 46);
  platform::ShowEnlarged(picture, shown, 0, 0, 37, 23, 192);
  for (int y = 0; y < 46; ++y) {
    for (int x = 0; x < 74; ++x) ASSERT_EQ(shown.Pixel(x, y), picture.Pixel(x / 2, y / 2)) << x << "," << y;
  }
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
