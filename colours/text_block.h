// Word-wrapped text in a graphic view, left, right, centred or justified.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/window.h"

namespace kalvor {

constexpr int alignLeft = 131;
constexpr int alignRight = 132;
constexpr int alignCentre = 133;
constexpr int alignJustify = 134;

constexpr int kTextBlockLines = 100;
using TextBlockLines = std::array<std::string, kTextBlockLines>;
// Pixel width of a text in the block's font.
using TextWidthFunction = std::function<int(const std::string&)>;

// Line 1 is the longest beginning that fits into viewWidth - 5, cut before a space; each later line
// with more characters than the one before is cut again at viewWidth, its leading spaces dropped.
TextBlockLines BreakTextBlock(const std::string& text, int viewWidth, const TextWidthFunction& width);

// A piece of text to print with its top-left corner at (x, y).
struct TextPiece {
  int x = 0;
  int y = 0;
  std::string text;

  bool operator==(const TextPiece&) const = default;
};

// Where each line (or, for justified lines, each word) goes. An unknown alignment places nothing.
std::vector<TextPiece> LayOutTextBlock(const TextBlockLines& lines, int viewWidth, int alignment,
                                       int leftMargin, int top, int lineHeight,
                                       const TextWidthFunction& width);

// Prints the text word-wrapped onto the view's surface in `textColour`, transparent, and shows it.
void DrawTextBlock(platform::Window& window, int controlId, const std::string& text, int alignment,
                   int leftMargin, int top, const platform::FontSpec& font, platform::Colour textColour);

}  // namespace kalvor
