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
  int offsetY = 0;  // and this many above its y (glyphs taller than the named font's ascent)
  int width = 0;
  int height = 0;
  int advance = 0;                // the text's width: where the next text would start
  int lineHeight = 0;             // the named font's ascent and descent: where the next line would start
  std::vector<std::uint8_t> ink;  // width × height, 1 where the text covers the pixel
};

// The mask of `text` as written with its top-left corner at (0, 0): the baseline lies the named font's
// ascent below that corner, whatever face stands in for it, and from 18 points up one pixel higher (the
// calendar's 18-point labels then keep their descenders clear of a round label box). Every backend draws
// so. The reference stays valid for the whole run.
const TextMask& RenderTextMask(const std::string& text, const FontSpec& font);

// Pixels by which a text's baseline stands above the named font's: 1 from 18 points up, else 0.
int BaselineRaise(const FontSpec& font);

namespace native {
// The toolkit's rendering of one mask, uncached.
TextMask RasteriseText(const std::string& text, const FontSpec& font);
}  // namespace native

}  // namespace platform
