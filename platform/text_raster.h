// The toolkit's part of drawing text: a one-bit mask of a text in a font. Masks are cached, so
// drawing the same text again costs a blit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/image.h"

namespace platform {

struct TextMask {
  int offsetX = 0;  // the mask starts this many pixels left of the text's x (overhanging glyphs)
  int width = 0;
  int height = 0;
  int advance = 0;                // the text's width: where the next text would start
  std::vector<std::uint8_t> ink;  // width × height, 1 where the text covers the pixel
};

// The mask of `text` as written at (0, 0) with its top-left corner there. The reference stays valid
// for the whole run.
const TextMask& RenderTextMask(const std::string& text, const FontSpec& font);

namespace native {
// The toolkit's rendering of one mask, uncached.
TextMask RasteriseText(const std::string& text, const FontSpec& font);
}  // namespace native

}  // namespace platform
