// Every font the program writes in, rendered as it is drawn (one bit per pixel), checked for what a
// reader relies on: "i" and "j" dotted apart from their stems, "i", "l" and "1" told apart, bold
// visibly bold, and capitals about as tall as the named font's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/test_system.h"
#include "platform/image.h"
#include "platform/text_raster.h"

namespace platform {
namespace {

// The program's fonts: the settings dialog's (MS Sans Serif 8, 9 bold, 14 bold), the buttons' and
// labels' elsewhere (9 bold), the calendar's (Tahoma bold 8, 10, 18) and the colour caption's (Tahoma
// bold 12). Message boxes, menus and combo boxes use the dialog font, MS Sans Serif 8.
const std::vector<FontSpec> kProgramFonts = {
    {"MS Sans Serif", 8, false}, {"MS Sans Serif", 9, true}, {"MS Sans Serif", 14, true}, {"Tahoma", 8, true},
    {"Tahoma", 10, true},        {"Tahoma", 12, true},       {"Tahoma", 18, true},
};

std::string Name(const FontSpec& font) {
  return std::string(font.name) + " " + std::to_string(font.pointSize) + (font.bold ? " bold" : "");
}

}  // namespace

void PrintTo(const FontSpec& font, std::ostream* out) {
  *out << Name(font);
}

namespace {

// A glyph's ink, cropped to its bounding box.
struct Ink {
  int width = 0, height = 0;
  std::vector<bool> on;
  bool At(int x, int y) const { return on[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const Ink&) const = default;
};

Ink InkOf(const std::string& text, const FontSpec& font) {
  const TextMask& mask = RenderTextMask(text, font);
  int left = mask.width, right = -1, top = mask.height, bottom = -1;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (mask.ink[static_cast<std::size_t>(y) * mask.width + x]) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  Ink ink;
  if (right < 0) return ink;
  ink.width = right - left + 1;
  ink.height = bottom - top + 1;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      ink.on.push_back(mask.ink[static_cast<std::size_t>(y) * mask.width + x]);
  return ink;
}

// The rows [top, bottom] of each 8-connected piece of ink, top to bottom.
struct Piece {
  int top, bottom;
};
std::vector<Piece> Pieces(const Ink& ink) {
  std::vector<int> label(ink.on.size(), 0);
  std::vector<Piece> pieces;
  for (int start = 0; start < static_cast<int>(ink.on.size()); ++start) {
    if (!ink.on[start] || label[start]) continue;
    Piece piece{ink.height, -1};
    std::vector<int> stack{start};
    label[start] = 1;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      const int x = at % ink.width, y = at / ink.width;
      piece.top = std::min(piece.top, y), piece.bottom = std::max(piece.bottom, y);
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= ink.width || ny >= ink.height) continue;
          const int next = ny * ink.width + nx;
          if (ink.on[next] && !label[next]) label[next] = 1, stack.push_back(next);
        }
    }
    pieces.push_back(piece);
  }
  std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.top < b.top; });
  return pieces;
}

// The widest run of ink across the middle row of a glyph: a stem's width.
int StemWidth(const Ink& ink) {
  int widest = 0, run = 0;
  const int y = ink.height / 2;
  for (int x = 0; x < ink.width; ++x) {
    run = ink.At(x, y) ? run + 1 : 0;
    widest = std::max(widest, run);
  }
  return widest;
}

bool Named(const FontSpec& font, const char* name) {
  return std::strcmp(font.name, name) == 0;
}

class Legibility : public ::testing::TestWithParam<FontSpec> {};

TEST_P(Legibility, DotsStandApartFromTheirStems) {
  for (const char* letter : {"i", "j"}) {
    const std::vector<Piece> pieces = Pieces(InkOf(letter, GetParam()));
    ASSERT_EQ(pieces.size(), 2u) << letter << " in " << Name(GetParam());
    EXPECT_LT(pieces[0].bottom + 1, pieces[1].top) << letter << " in " << Name(GetParam());  // a clear row
  }
}

TEST_P(Legibility, SmallILAndOneDiffer) {
  const Ink i = InkOf("i", GetParam()), l = InkOf("l", GetParam()), one = InkOf("1", GetParam());
  EXPECT_FALSE(i == l) << Name(GetParam());
  EXPECT_FALSE(l == one) << Name(GetParam());
  EXPECT_FALSE(i == one) << Name(GetParam());
}

TEST_P(Legibility, BoldStemsAreTwoPixelsWide) {
  const FontSpec font = GetParam();
  if (kalvor::testing::UnderWine() && font.bold && Named(font, "Tahoma"))
    GTEST_SKIP() << "Wine's own Tahoma Bold draws no heavier than its regular face; Windows' does";
  const int stem = StemWidth(InkOf("l", font));
  if (font.bold) {
    EXPECT_GE(stem, 2) << Name(font);
    FontSpec regular = font;
    regular.bold = false;
    EXPECT_GT(stem, StemWidth(InkOf("l", regular))) << Name(font);
  } else {
    EXPECT_EQ(stem, 1) << Name(font);
  }
}

// Both named faces draw capitals 0.727 em tall (Tahoma: 1489 of 2048 units; MS Sans Serif 8: 8 of 11
// pixels); a stand-in may differ by a pixel and a tenth.
TEST_P(Legibility, CapitalsAreAsTallAsTheNamedFonts) {
  const FontSpec font = GetParam();
  if (kalvor::testing::UnderWine() && Named(font, "MS Sans Serif") && font.pointSize > 12)
    GTEST_SKIP() << "MS Sans Serif is a bitmap face of fixed sizes, up to 24 points on Windows but only up "
                    "to 12 under Wine, which draws 14 points as small as 12";
  const double named = 0.727 * PointsToPixels(font.pointSize);
  EXPECT_NEAR(InkOf("H", font).height, named, 1 + named / 10) << Name(font);
}

INSTANTIATE_TEST_SUITE_P(ProgramFonts, Legibility, ::testing::ValuesIn(kProgramFonts),
                         [](const ::testing::TestParamInfo<FontSpec>& info) {
                           std::string name = Name(info.param);
                           std::replace(name.begin(), name.end(), ' ', '_');
                           return name;
                         });

}  // namespace
}  // namespace platform
