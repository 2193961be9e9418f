// The cache of glyph masks, the same for every toolkit: a text is rasterised once per font.
#include "platform/text_raster.h"

#include <unordered_map>

namespace platform {
namespace {

// The calendar writes its 18-point labels one pixel above a 30-pixel round box: Tahoma's own 5-pixel
// descenders would reach the ellipse's outline at the bottom, a pixel higher keeps them clear of it.
constexpr int kLargePoints = 18;
constexpr int kLargeRaise = 1;
constexpr int kDefaultPoints = 8;  // a font without a size is the dialog font's

std::string CacheKey(const std::string& text, const FontSpec& font) {
  std::string key = font.name ? font.name : "";
  key += '\x1f' + std::to_string(font.pointSize) + (font.bold ? 'b' : 'r') + '\x1f' + text;
  return key;
}

}  // namespace

int BaselineRaise(const FontSpec& font) {
  const int points = font.pointSize > 0 ? font.pointSize : kDefaultPoints;
  return points >= kLargePoints ? kLargeRaise : 0;
}

const TextMask& RenderTextMask(const std::string& text, const FontSpec& font) {
  // Element references survive rehashing, so callers may keep them.
  static std::unordered_map<std::string, TextMask> cache;
  const std::string key = CacheKey(text, font);
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.emplace(key, native::RasteriseText(text, font)).first;
  return found->second;
}

}  // namespace platform
