// GDI fonts asked for by name, point size and weight; made once and kept for the run.
#pragma once

#include <windows.h>

#include "platform/image.h"

namespace platform::win32 {

// Never antialiased, so every pixel of a text is predictable. Owned by the cache: do not delete.
HFONT FontFor(const FontSpec& font);

}  // namespace platform::win32
