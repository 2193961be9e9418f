#include "platform/image.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/text_raster.h"

namespace platform {
namespace {

constexpr int kPointsPerInch = 72;
constexpr int kPixelsPerInch = 96;

// Far enough outside any picture that clamping changes no pixel, near enough that adding a pen width
// cannot overflow.
constexpr int kCoordinateLimit = 1 << 24;

struct Box {
  int left, top, right, bottom;  // right and bottom just outside
  bool Empty() const { return right <= left || bottom <= top; }
};

// Corners may come in either order, as the classic drawing rules allow.
Box NormalBox(int left, int top, int right, int bottom) {
  const auto clamp = [](int v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); };
  return {clamp(std::min(left, right)), clamp(std::min(top, bottom)), clamp(std::max(left, right)),
          clamp(std::max(top, bottom))};
}

struct Span {
  int left, right;  // right just outside
  bool Empty() const { return right <= left; }
};

// The pixels of row offset dy (from the centre, at pixel centres) inside the ellipse with half-axes
// ax and ay centred at cx.
Span RowSpan(double cx, double ax, double ay, double dy) {
  if (ax <= 0 || ay <= 0) return {0, 0};
  const double rest = 1.0 - (dy * dy) / (ay * ay);
  if (rest < 0) return {0, 0};
  const double halfWidth = ax * std::sqrt(rest);
  // x + 0.5 within [cx - halfWidth, cx + halfWidth]
  const int first = static_cast<int>(std::ceil(cx - halfWidth - 0.5));
  const int last = static_cast<int>(std::floor(cx + halfWidth - 0.5));
  return {first, last + 1};
}

}  // namespace

int PointsToPixels(int pointSize) {
  return (pointSize * kPixelsPerInch + kPointsPerInch / 2) / kPointsPerInch;
}

Image::Image(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      stride_((width_ * 3 + 3) & ~3),
      bytes_(static_cast<std::size_t>(stride_) * height_, 0) {}

void Image::Fill(Colour colour) {
  FillRect(0, 0, width_, height_, colour);
}

void Image::FillRect(int left, int top, int right, int bottom, Colour colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (right <= left || bottom <= top) return;
  const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(BlueOf(colour)),
                                 static_cast<std::uint8_t>(GreenOf(colour)),
                                 static_cast<std::uint8_t>(RedOf(colour))};
  // Build the first row, then copy it down: a fill is mostly memcpy.
  std::uint8_t* first = Row(top) + left * 3;
  for (int x = 0; x < right - left; ++x) std::memcpy(first + x * 3, pixel, 3);
  const std::size_t rowBytes = static_cast<std::size_t>(right - left) * 3;
  for (int y = top + 1; y < bottom; ++y) std::memcpy(Row(y) + left * 3, first, rowBytes);
}

void Image::Rectangle(int left, int top, int right, int bottom, Colour pen, int penWidth, Colour fill) {
  const Box box = NormalBox(left, top, right, bottom);
  if (box.Empty()) return;
  const int w = std::clamp(penWidth, 1, kCoordinateLimit);
  FillRect(box.left, box.top, box.right, box.bottom, pen);
  FillRect(box.left + w, box.top + w, box.right - w, box.bottom - w, fill);
}

void Image::Ellipse(int left, int top, int right, int bottom, Colour pen, int penWidth, Colour fill) {
  const Box box = NormalBox(left, top, right, bottom);
  if (box.Empty()) return;
  left = box.left;
  top = box.top;
  right = box.right;
  bottom = box.bottom;
  // A pixel belongs to the ellipse when its centre does; the inside is the ellipse shrunk by the pen
  // width. Worked out as one span per row, so the same box always gives the same pixels, quickly.
  const double cx = (left + right) / 2.0;
  const double cy = (top + bottom) / 2.0;
  const double ax = (right - left) / 2.0;
  const double ay = (bottom - top) / 2.0;
  const double w = std::max(1, penWidth);
  for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
    const double dy = y + 0.5 - cy;
    const Span outer = RowSpan(cx, ax, ay, dy);
    if (outer.Empty()) continue;
    FillRect(outer.left, y, outer.right, y + 1, pen);
    const Span inner = RowSpan(cx, ax - w, ay - w, dy);
    if (!inner.Empty()) FillRect(inner.left, y, inner.right, y + 1, fill);
  }
}

void Image::Text(int x, int y, const std::string& text, const FontSpec& font, Colour colour) {
  if (text.empty()) return;
  const TextMask& mask = RenderTextMask(text, font);
  const int originX = x - mask.offsetX;
  for (int my = 0; my < mask.height; ++my) {
    const int py = y - mask.offsetY + my;
    if (py < 0 || py >= height_) continue;
    const std::uint8_t* ink = mask.ink.data() + static_cast<std::size_t>(my) * mask.width;
    for (int mx = 0; mx < mask.width; ++mx) {
      if (ink[mx]) SetPixel(originX + mx, py, colour);
    }
  }
}

Colour Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  const std::uint8_t* p = Row(y) + x * 3;
  return MakeColour(p[2], p[1], p[0]);
}

void Image::SetPixel(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t* p = Row(y) + x * 3;
  p[0] = static_cast<std::uint8_t>(BlueOf(colour));
  p[1] = static_cast<std::uint8_t>(GreenOf(colour));
  p[2] = static_cast<std::uint8_t>(RedOf(colour));
}

void Image::CopyFrom(const Image& source, int x, int y) {
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(width_, x + source.width_);
  const int bottom = std::min(height_, y + source.height_);
  if (right <= left || bottom <= top) return;
  const std::size_t rowBytes = static_cast<std::size_t>(right - left) * 3;
  for (int row = top; row < bottom; ++row) {
    std::memcpy(Row(row) + left * 3, source.Row(row - y) + (left - x) * 3, rowBytes);
  }
}

int TextWidth(const std::string& text, const FontSpec& font) {
  return text.empty() ? 0 : RenderTextMask(text, font).advance;
}

int TextHeight(const FontSpec& font) {
  return RenderTextMask(" ", font).lineHeight;
}

}  // namespace platform
