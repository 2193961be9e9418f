#include "platform/image.h"

#include <gtest/gtest.h>

#include <iostream>
#include <utility>
#include <vector>

#include "tests/support/test_system.h"

namespace platform {
namespace {

constexpr Colour kPen = 0x000000;
constexpr Colour kFill = 0x00FF00;
constexpr Colour kBack = 0xFFFFFF;

Image WhiteImage(int width, int height) {
  Image image(width, height);
  image.Fill(kBack);
  return image;
}

TEST(Image, StoresBlueGreenRedRowsPaddedToFourBytes) {
  Image image(1193, 693);
  EXPECT_EQ(image.Stride(), 3580);
  image.SetPixel(0, 0, MakeColour(1, 2, 3));
  EXPECT_EQ(image.Row(0)[0], 3);
  EXPECT_EQ(image.Row(0)[2], 1);
  EXPECT_EQ(image.Pixel(0, 0), MakeColour(1, 2, 3));
  EXPECT_EQ(image.Pixel(-1, 0), kBlack);
  EXPECT_EQ(image.Pixel(1193, 0), kBlack);
}

TEST(Image, PixelsOutsideAreIgnoredAndNeverWrapIntoTheNextRow) {
  Image image = WhiteImage(10, 3);
  const std::vector<std::uint8_t> before(image.Row(0), image.Row(0) + image.Stride() * 3);
  for (const auto& [x, y] : {std::pair{10, 0}, {-1, 1}, {0, 3}, {0, -1}, {5000, 5000}}) {
    image.SetPixel(x, y, kFill);
  }
  EXPECT_EQ(std::vector<std::uint8_t>(image.Row(0), image.Row(0) + image.Stride() * 3), before);
}

TEST(Image, RectangleLeavesItsRightAndBottomCoordinatesOutside) {
  Image image = WhiteImage(20, 20);
  image.Rectangle(2, 3, 12, 10, kPen, 1, kFill);
  EXPECT_EQ(image.Pixel(2, 3), kPen);
  EXPECT_EQ(image.Pixel(11, 9), kPen);
  EXPECT_EQ(image.Pixel(12, 9), kBack);
  EXPECT_EQ(image.Pixel(11, 10), kBack);
  EXPECT_EQ(image.Pixel(3, 4), kFill);
  EXPECT_EQ(image.Pixel(10, 8), kFill);
  image.Rectangle(2, 3, 12, 10, kPen, 2, kFill);
  EXPECT_EQ(image.Pixel(3, 4), kPen);
  EXPECT_EQ(image.Pixel(4, 5), kFill);
}

TEST(Image, CornersInEitherOrderAndFarCoordinatesDrawTheSameBox) {
  Image forward = WhiteImage(20, 20);
  Image backward = WhiteImage(20, 20);
  forward.Rectangle(0, 0, 3, 3, kPen, 1, kFill);
  backward.Rectangle(3, 3, 0, 0, kPen, 1, kFill);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(forward.Pixel(x, y), backward.Pixel(x, y));
  EXPECT_EQ(backward.Pixel(2, 2), kPen);  // a 3 x 3 outline, as an empty favourites cell shows
  Image far = WhiteImage(10, 10);
  far.Rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kPen, INT32_MAX, kFill);
  far.Ellipse(INT32_MIN, 0, INT32_MAX, 10, kPen, 2, kFill);
  EXPECT_EQ(far.Pixel(0, 0), kPen);   // the huge pen covers the rectangle
  EXPECT_EQ(far.Pixel(5, 5), kFill);  // inside the far-reaching ellipse
}

TEST(Image, EllipseStaysInsideItsBoxWithARingOfThePenWidth) {
  Image image = WhiteImage(40, 40);
  image.Ellipse(5, 5, 35, 35, kPen, 2, kFill);
  EXPECT_EQ(image.Pixel(5, 5), kBack);  // corners keep what they had
  EXPECT_EQ(image.Pixel(34, 34), kBack);
  EXPECT_EQ(image.Pixel(5, 20), kPen);  // leftmost column of the ring
  EXPECT_EQ(image.Pixel(6, 20), kPen);
  EXPECT_EQ(image.Pixel(7, 20), kFill);
  EXPECT_EQ(image.Pixel(34, 20), kPen);  // rightmost column, inside the box
  EXPECT_EQ(image.Pixel(35, 20), kBack);
  EXPECT_EQ(image.Pixel(20, 20), kFill);
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(image.Pixel(x, 4), kBack);
    EXPECT_EQ(image.Pixel(x, 35), kBack);
  }
}

TEST(Image, ShapesAndCopiesAreClippedToThePicture) {
  Image image = WhiteImage(10, 10);
  image.Rectangle(-5, -5, 30, 30, kPen, 1, kFill);
  image.Ellipse(-20, -20, 8, 8, kPen, 2, kFill);
  image.FillRect(8, 8, 100, 100, kPen);
  EXPECT_EQ(image.Pixel(9, 9), kPen);
  Image small = WhiteImage(4, 4);
  small.Fill(kFill);
  image.CopyFrom(small, 8, -2);
  EXPECT_EQ(image.Pixel(8, 0), kFill);
  EXPECT_EQ(image.Pixel(9, 1), kFill);
  Image target = WhiteImage(10, 10);
  target.CopyFrom(small, 20, 20);  // entirely outside: nothing happens
  EXPECT_EQ(target.Pixel(9, 9), kBack);
}

TEST(Image, TextIsDrawnWithATransparentBackgroundInOneColour) {
  const FontSpec font{"Tahoma", 10, true};
  Image image = WhiteImage(60, 30);
  image.FillRect(0, 0, 60, 30, kFill);
  image.Text(2, 2, "31", font, 0x0000FF);
  int red = 0, other = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      const Colour c = image.Pixel(x, y);
      if (c == 0x0000FF)
        ++red;
      else if (c != kFill)
        ++other;
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(other, 0);  // no antialiasing, no background box
  EXPECT_GT(TextWidth("31", font), 8);
  EXPECT_LT(TextWidth("31", font), 23);  // fits a day cell from its text inset
  EXPECT_EQ(TextWidth("", font), 0);
}

TEST(Image, BoldIsVisiblyHeavierThanRegular) {
  const auto ink = [](bool bold) {
    Image image = WhiteImage(200, 40);
    image.Text(0, 0, "Septiembre", FontSpec{"Tahoma", 18, bold}, kPen);
    int count = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x) count += image.Pixel(x, y) == kPen;
    return count;
  };
  if (kalvor::testing::UnderWine()) {
    // Wine's own Tahoma Bold draws no heavier than its regular face; Windows' Tahoma Bold does.
    std::cout << "skipped under Wine: Tahoma Bold against regular\n";
  } else {
    EXPECT_GT(ink(true), ink(false) * 5 / 4);
  }
  EXPECT_EQ(PointsToPixels(8), 11);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(12), 16);
  EXPECT_EQ(PointsToPixels(14), 19);
  EXPECT_EQ(PointsToPixels(18), 24);
}

}  // namespace
}  // namespace platform
