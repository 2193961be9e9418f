// The language flags are 4-bit bitmaps compiled into the program; Qt must read them as they are.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace {

constexpr int kFlagHeight = 12;
constexpr int kFlagWidth = 18;
constexpr int kPortugalWidth = 19;
constexpr QRgb kFrame = 0xFF000000;

QString FlagPath(int number) {
  return QString(":/resources/flags/%1.bmp").arg(number);
}

bool IsFramed(const QImage& flag) {
  for (int x = 0; x < flag.width(); ++x) {
    if (flag.pixel(x, 0) != kFrame || flag.pixel(x, flag.height() - 1) != kFrame) return false;
  }
  for (int y = 0; y < flag.height(); ++y) {
    if (flag.pixel(0, y) != kFrame || flag.pixel(flag.width() - 1, y) != kFrame) return false;
  }
  return true;
}

TEST(FlagResources, LoadAsFramedPicturesOfTheirSize) {
  for (int number = 300; number <= 305; ++number) {
    SCOPED_TRACE(number);
    EXPECT_FALSE(QPixmap(FlagPath(number)).isNull());
    const QImage flag(FlagPath(number));
    ASSERT_FALSE(flag.isNull());
    EXPECT_EQ(flag.width(), number == 301 ? kPortugalWidth : kFlagWidth);
    EXPECT_EQ(flag.height(), kFlagHeight);
    EXPECT_TRUE(IsFramed(flag));
  }
}

// Hue of a pixel, to tell the bands apart without pinning exact shades.
QColor At(int number, int x, int y) {
  return QImage(FlagPath(number)).pixelColor(x, y);
}

bool IsRed(const QColor& c) {
  return c.red() > 150 && c.green() < 80 && c.blue() < 80;
}
bool IsYellow(const QColor& c) {
  return c.red() > 200 && c.green() > 150 && c.blue() < 80;
}
bool IsGreen(const QColor& c) {
  return c.green() > 80 && c.red() < 80 && c.blue() < 120;
}
bool IsBlue(const QColor& c) {
  return c.blue() > 90 && c.red() < 80 && c.green() < 80;
}
bool IsWhite(const QColor& c) {
  return c.red() == 255 && c.green() == 255 && c.blue() == 255;
}

TEST(FlagResources, ShowTheirCountries) {
  EXPECT_TRUE(IsRed(At(300, 9, 1)));     // Spain: red above
  EXPECT_TRUE(IsYellow(At(300, 9, 6)));  // yellow in the middle
  EXPECT_TRUE(IsRed(At(300, 9, 10)));    // red below
  EXPECT_TRUE(IsGreen(At(301, 2, 6)));   // Portugal: green hoist
  EXPECT_TRUE(IsRed(At(301, 14, 6)));    // red fly
  EXPECT_TRUE(IsBlue(At(302, 2, 6)));    // France
  EXPECT_TRUE(IsWhite(At(302, 9, 6)));
  EXPECT_TRUE(IsRed(At(302, 15, 6)));
  EXPECT_EQ(At(303, 9, 2).rgb(), kFrame);  // Germany: black, red, gold
  EXPECT_TRUE(IsRed(At(303, 9, 6)));
  EXPECT_TRUE(IsYellow(At(303, 9, 9)));
  EXPECT_TRUE(IsBlue(At(304, 4, 1)));  // United Kingdom: blue field, red cross
  EXPECT_TRUE(IsRed(At(304, 9, 5)));
  EXPECT_TRUE(IsGreen(At(305, 2, 6)));  // Italy
  EXPECT_TRUE(IsWhite(At(305, 9, 6)));
  EXPECT_TRUE(IsRed(At(305, 15, 6)));
}

}  // namespace
