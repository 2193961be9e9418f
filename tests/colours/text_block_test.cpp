#include "colours/text_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvor {
namespace {

// Every character 10 pixels wide, so positions can be worked out by hand.
constexpr int kCharWidth = 10;
int FakeWidth(const std::string& text) {
  return static_cast<int>(text.size()) * kCharWidth;
}

std::vector<std::string> NonEmpty(const TextBlockLines& lines) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (!line.empty()) kept.push_back(line);
  }
  return kept;
}

TEST(BreakTextBlock, FirstLineFitsFiveLessThanTheWidthAndCutsBeforeASpace) {
  // "aaa bbb" is 70 px: it fits 75 (W 80) but not 65 (W 70).
  EXPECT_EQ(BreakTextBlock("aaa bbb", 80, FakeWidth)[0], "aaa bbb");
  const TextBlockLines lines = BreakTextBlock("aaa bbb", 70, FakeWidth);
  EXPECT_EQ(lines[0], "aaa");
  // Line 2 has more characters than line 1, so it is cut again and loses its space.
  EXPECT_EQ(lines[1], "bbb");
  EXPECT_EQ(NonEmpty(lines).size(), 2u);
  // Not more characters than line 1: left as it is, space and all.
  EXPECT_EQ(BreakTextBlock("aaaa bb", 70, FakeWidth)[1], " bb");
}

TEST(BreakTextBlock, LongerLinesAreCutAgainAtTheFullWidthWithoutLeadingSpaces) {
  // W = 100: line 1 within 95 px; a later line is measured with its leading space (" three four"
  // is 110 px), and "six seven" is not cut, having no more characters than "four five".
  const TextBlockLines lines = BreakTextBlock("one two three four five six seven", 100, FakeWidth);
  EXPECT_EQ(NonEmpty(lines), (std::vector<std::string>{"one two", "three", "four five", "six seven"}));
  EXPECT_EQ(lines[3], "six seven");
}

TEST(BreakTextBlock, AWordTooWideForTheFirstLineMovesDown) {
  // "abcdefghij" is 100 px: too wide for 95, fits 100 on line 2.
  const TextBlockLines lines = BreakTextBlock("abcdefghij k", 100, FakeWidth);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "abcdefghij");
  EXPECT_EQ(lines[2], "k");
}

TEST(BreakTextBlock, EndsAfterAHundredLinesAndNeverLosesTheLastOnes) {
  std::string text;
  for (int word = 0; word < 150; ++word) text += "word ";
  // One word per line at W = 60: 100 lines, the last holding all that is left.
  const TextBlockLines lines = BreakTextBlock(text, 60, FakeWidth);
  EXPECT_EQ(lines[0], "word");
  EXPECT_EQ(lines[98], "word");
  EXPECT_EQ(lines[99].substr(0, 10), "word word ");
  EXPECT_EQ(BreakTextBlock("", 60, FakeWidth), TextBlockLines{});
}

TEST(LayOutTextBlock, PlacesLinesByAlignment) {
  TextBlockLines lines;
  lines[0] = "abcd";  // 40 px
  lines[2] = "ab";    // 20 px, two lines further down
  constexpr int kWidth = 100, kMargin = 1, kTop = 12, kLineHeight = 16;
  EXPECT_EQ(LayOutTextBlock(lines, kWidth, alignLeft, kMargin, kTop, kLineHeight, FakeWidth),
            (std::vector<TextPiece>{{1, 12, "abcd"}, {1, 44, "ab"}}));
  EXPECT_EQ(LayOutTextBlock(lines, kWidth, alignRight, kMargin, kTop, kLineHeight, FakeWidth),
            (std::vector<TextPiece>{{58, 12, "abcd"}, {78, 44, "ab"}}));
  EXPECT_EQ(LayOutTextBlock(lines, kWidth, alignCentre, kMargin, kTop, kLineHeight, FakeWidth),
            (std::vector<TextPiece>{{31, 12, "abcd"}, {41, 44, "ab"}}));
  EXPECT_TRUE(LayOutTextBlock(lines, kWidth, 130, kMargin, kTop, kLineHeight, FakeWidth).empty());
  EXPECT_TRUE(LayOutTextBlock(lines, kWidth, 135, kMargin, kTop, kLineHeight, FakeWidth).empty());
}

TEST(LayOutTextBlock, JustifySpreadsTheExtraOverTheSpacesOfNearlyFullLines) {
  TextBlockLines lines;
  lines[0] = "aaaa bbbb cccc";  // 140 px: the widest
  lines[1] = "aa bb cc dd e";   // 130 px: stretched by 10 over 4 spaces, 3 + 3 + 2 + 2
  lines[2] = "aaaaaaaaaaaa";    // 120 px, no space: printed as it is
  lines[3] = "aa bb";           // 50 px, under 0.8 of the widest: left alone
  const std::vector<TextPiece> pieces = LayOutTextBlock(lines, 200, alignJustify, 2, 0, 20, FakeWidth);
  const std::vector<TextPiece> expected = {
      {2, 0, "aaaa bbbb cccc"}, {2, 20, "aa"},           {2 + 30 + 3, 20, "bb"},  {2 + 60 + 6, 20, "cc"},
      {2 + 90 + 8, 20, "dd"},   {2 + 120 + 10, 20, "e"}, {2, 40, "aaaaaaaaaaaa"}, {2, 60, "aa bb"}};
  EXPECT_EQ(pieces, expected);
}

}  // namespace
}  // namespace kalvor
