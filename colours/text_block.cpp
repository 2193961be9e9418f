#include "colours/text_block.h"

#include <algorithm>

namespace kalvor {

namespace {

// Line 1 keeps a small margin from the view's right edge; the later lines may use the full width.
constexpr int kFirstLineMargin = 5;
// Right-aligned text stands this far in from the right edge.
constexpr int kRightAlignMargin = 3;

struct Cut {
  std::string head;
  std::string rest;
};

// The longest beginning of `line` that fits into `limit` pixels and ends just before a space (the
// whole line when it fits), and what is left, beginning with that space.
Cut CutLine(const std::string& line, int limit, const TextWidthFunction& width) {
  if (width(line) <= limit) return {line, ""};
  std::size_t cutAt = 0;
  for (std::size_t k = line.find(' '); k != std::string::npos; k = line.find(' ', k + 1)) {
    if (width(line.substr(0, k)) <= limit) cutAt = k;
  }
  return {line.substr(0, cutAt), line.substr(cutAt)};
}

std::string WithoutLeadingSpaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

// Characters, not bytes: the texts are UTF-8.
std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A justified line: each word at its place once the extra pixels are spread over the spaces, the first
// spaces taking one pixel more when they do not divide evenly.
void AddJustifiedLine(const std::string& line, int extra, int x, int y, const TextWidthFunction& width,
                      std::vector<TextPiece>& pieces) {
  const int spaces = static_cast<int>(std::count(line.begin(), line.end(), ' '));
  if (spaces == 0) {
    pieces.push_back({x, y, line});
    return;
  }
  int spacesBefore = 0;
  std::size_t position = 0;
  while (position < line.size()) {
    if (line[position] == ' ') {
      ++spacesBefore;
      ++position;
      continue;
    }
    const std::size_t end = std::min(line.find(' ', position), line.size());
    const int spread = extra / spaces * spacesBefore + std::min(spacesBefore, extra % spaces);
    pieces.push_back(
        {x + width(line.substr(0, position)) + spread, y, line.substr(position, end - position)});
    position = end;
  }
}

}  // namespace

TextBlockLines BreakTextBlock(const std::string& text, int viewWidth, const TextWidthFunction& width) {
  TextBlockLines lines;
  Cut first = CutLine(text, viewWidth - kFirstLineMargin, width);
  lines[0] = first.head;
  lines[1] = first.rest;
  for (int i = 1; i < kTextBlockLines - 1; ++i) {
    if (CharacterCount(lines[i]) <= CharacterCount(lines[i - 1])) continue;
    Cut cut = CutLine(lines[i], viewWidth, width);
    lines[i] = WithoutLeadingSpaces(cut.head);
    lines[i + 1] = WithoutLeadingSpaces(cut.rest);
  }
  return lines;
}

std::vector<TextPiece> LayOutTextBlock(const TextBlockLines& lines, int viewWidth, int alignment,
                                       int leftMargin, int top, int lineHeight,
                                       const TextWidthFunction& width) {
  std::vector<TextPiece> pieces;
  if (alignment < alignLeft || alignment > alignJustify) return pieces;
  std::array<int, kTextBlockLines> widths{};
  std::transform(lines.begin(), lines.end(), widths.begin(), width);
  const int widest = *std::max_element(widths.begin(), widths.end());
  for (int i = 0; i < kTextBlockLines; ++i) {
    if (lines[i].empty()) continue;
    const int y = top + i * lineHeight;
    const int lineWidth = widths[i];
    switch (alignment) {
      case alignLeft:
        pieces.push_back({leftMargin, y, lines[i]});
        break;
      case alignRight:
        pieces.push_back({viewWidth - lineWidth - kRightAlignMargin + leftMargin, y, lines[i]});
        break;
      case alignCentre:
        pieces.push_back({(viewWidth - lineWidth) / 2 + leftMargin, y, lines[i]});
        break;
      case alignJustify:
        // Only lines nearly as wide as the widest are stretched; short ones (a paragraph's last) stay.
        if (lineWidth < widest && 5 * lineWidth >= 4 * widest) {
          AddJustifiedLine(lines[i], widest - lineWidth, leftMargin, y, width, pieces);
        } else {
          pieces.push_back({leftMargin, y, lines[i]});
        }
        break;
    }
  }
  return pieces;
}

void DrawTextBlock(platform::Window& window, int controlId, const std::string& text, int alignment,
                   int leftMargin, int top, const platform::FontSpec& font, platform::Colour textColour) {
  platform::Image& surface = window.ViewSurface(controlId);
  const TextWidthFunction width = [&font](const std::string& line) {
    return platform::TextWidth(line, font);
  };
  const TextBlockLines lines = BreakTextBlock(text, surface.Width(), width);
  const int lineHeight = platform::TextHeight(font);
  for (const TextPiece& piece :
       LayOutTextBlock(lines, surface.Width(), alignment, leftMargin, top, lineHeight, width)) {
    if (piece.y >= surface.Height()) break;
    surface.Text(piece.x, piece.y, piece.text, font, textColour);
  }
  window.RepaintView(controlId);
}

}  // namespace kalvor
