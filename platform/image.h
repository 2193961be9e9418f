// Off-screen 24-bit pictures with pixel-exact drawing: no antialiasing anywhere, so every pixel is
// predictable. Rectangles and ellipses follow the classic rule that the right and bottom coordinates
// lie just outside the shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A colour reference 0x00BBGGRR: red in the lowest byte.
using Colour = std::uint32_t;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

constexpr Colour MakeColour(int red, int green, int blue) {
  return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return c & 0xFF; }
constexpr int GreenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(Colour c) { return (c >> 16) & 0xFF; }

// A font asked for by name, size in points at 96 dpi (8 pt = 11 px, 10 = 13, 12 = 16, 14 = 19, 18 = 24).
struct FontSpec {
  const char* name = nullptr;  // nullptr: the window's own font
  int pointSize = 0;
  bool bold = false;
};

// Pixel height of a point size at 96 dpi, rounded as the classic font mapper does.
int PointsToPixels(int pointSize);

class Image {
 public:
  Image() = default;
  // A new picture of the given size, black (all bytes zero).
  Image(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Bytes per row: width × 3 rounded up to a multiple of 4, as in a device-independent bitmap.
  int Stride() const { return stride_; }
  // Row y, pixels as blue, green, red bytes.
  const std::uint8_t* Row(int y) const { return bytes_.data() + static_cast<std::size_t>(y) * stride_; }
  std::uint8_t* Row(int y) { return bytes_.data() + static_cast<std::size_t>(y) * stride_; }

  void Fill(Colour colour);
  // Fills the pixels left <= x < right, top <= y < bottom (clipped to the picture).
  void FillRect(int left, int top, int right, int bottom, Colour colour);
  // Outlines the box (left, top)-(right, bottom) with a pen of `penWidth` drawn inside it and fills
  // the inside with `fill`; the right and bottom coordinates lie just outside the shape.
  void Rectangle(int left, int top, int right, int bottom, Colour pen, int penWidth, Colour fill);
  // The ellipse inscribed in the same box, outlined and filled the same way; pixels of the box outside
  // the ellipse keep what they had.
  void Ellipse(int left, int top, int right, int bottom, Colour pen, int penWidth, Colour fill);
  // Writes UTF-8 text with its top-left corner at (x, y), transparent background.
  void Text(int x, int y, const std::string& text, const FontSpec& font, Colour colour);

  Colour Pixel(int x, int y) const;  // black outside the picture
  void SetPixel(int x, int y, Colour colour);
  // Copies `source` with its origin at (x, y) of this picture, clipped.
  void CopyFrom(const Image& source, int x = 0, int y = 0);

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Width in pixels of UTF-8 text in the font.
int TextWidth(const std::string& text, const FontSpec& font);
// Height in pixels of a line of text in the font.
int TextHeight(const FontSpec& font);

}  // namespace platform
