#include "platform/display_scale.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr int kBytesPerPixel = 3;

// Rounds down for negative numbers too: screen positions left of or above the primary display.
int FloorDivide(long long numerator, long long denominator) {
  long long quotient = numerator / denominator;
  if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
  return static_cast<int>(quotient);
}

}  // namespace

int ToDisplayPixels(int pixels, int dpi) {
  return FloorDivide(static_cast<long long>(pixels) * dpi + kBaseDpi / 2, kBaseDpi);
}

int ToProgramPixels(int displayPixels, int dpi) {
  return FloorDivide(2LL * displayPixels * kBaseDpi + dpi, 2LL * dpi);
}

// The largest p with ToDisplayPixels(p) <= d: p * dpi + 48 < 96 * (d + 1).
int PicturePixelAt(int displayPixel, int dpi) {
  return FloorDivide(static_cast<long long>(kBaseDpi) * displayPixel + kBaseDpi / 2 - 1, dpi);
}

void ShowEnlarged(const Image& picture, Image& shown, int left, int top, int right, int bottom, int dpi) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, picture.Width());
  bottom = std::min(bottom, picture.Height());
  if (left >= right || top >= bottom) return;
  const int shownLeft = ToDisplayPixels(left, dpi);
  const int shownRight = std::min(ToDisplayPixels(right, dpi), shown.Width());
  const int shownBottom = std::min(ToDisplayPixels(bottom, dpi), shown.Height());
  // Where each display column takes its pixel from, worked out once for the whole region.
  std::vector<int> sourceOffset(static_cast<std::size_t>(std::max(shownRight - shownLeft, 0)));
  for (int x = shownLeft; x < shownRight; ++x)
    sourceOffset[static_cast<std::size_t>(x - shownLeft)] = PicturePixelAt(x, dpi) * kBytesPerPixel;
  const std::size_t rowBytes = sourceOffset.size() * kBytesPerPixel;
  for (int y = top; y < bottom; ++y) {
    const int first = ToDisplayPixels(y, dpi);
    const int end = std::min(ToDisplayPixels(y + 1, dpi), shownBottom);
    if (first >= end) continue;
    const std::uint8_t* source = picture.Row(y);
    std::uint8_t* target = shown.Row(first) + static_cast<std::size_t>(shownLeft) * kBytesPerPixel;
    for (const int offset : sourceOffset) {
      std::memcpy(target, source + offset, kBytesPerPixel);
      target += kBytesPerPixel;
    }
    // A picture row covering several display rows is copied whole.
    const std::uint8_t* done = shown.Row(first) + static_cast<std::size_t>(shownLeft) * kBytesPerPixel;
    for (int again = first + 1; again < end; ++again)
      std::memcpy(shown.Row(again) + static_cast<std::size_t>(shownLeft) * kBytesPerPixel, done, rowBytes);
  }
}

}  // namespace platform
