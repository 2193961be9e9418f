// GDI fonts asked for by name, point size and weight; made once and kept for the run.
#pragma once

#include <windows.h>

#include "platform/display_scale.h"
#include "platform/image.h"

namespace platform::win32 {

// The named face, never antialiased, so every pixel of a text is predictable; where the system would
// make a bold by widening a bitmap face, PT Sans Bold, which the program carries. Owned by the cache: do
// not delete. At a display scale other than 96 dpi the font is enlarged with the windows; the pictures the
// program draws always take theirs at 96 dpi.
HFONT FontFor(const FontSpec& font, int dpi = kBaseDpi);

}  // namespace platform::win32
