// The cache of glyph masks, the same for every toolkit: a text is rasterised once per font.
#include "platform/text_raster.h"

#include <unordered_map>

namespace platform {
namespace {

std::string CacheKey(const std::string& text, const FontSpec& font) {
  std::string key = font.name ? font.name : "";
  key += '\x1f' + std::to_string(font.pointSize) + (font.bold ? 'b' : 'r') + '\x1f' + text;
  return key;
}

}  // namespace

const TextMask& RenderTextMask(const std::string& text, const FontSpec& font) {
  // Element references survive rehashing, so callers may keep them.
  static std::unordered_map<std::string, TextMask> cache;
  const std::string key = CacheKey(text, font);
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.emplace(key, native::RasteriseText(text, font)).first;
  return found->second;
}

}  // namespace platform
