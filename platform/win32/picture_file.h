// A window's picture as a PNG file, for tests and the documentation's screenshots.
#pragma once

#include <windows.h>

#include <string>

#include "platform/image.h"

namespace platform::win32 {

// What the window shows of its client area, with the menu bar's strip above it (0 without a menu
// bar), every child control included.
bool SaveClientAreaAsPng(HWND window, int menuStrip, const std::string& path);
// What a control paints of its client area, in display pixels.
Image PrintedClientArea(HWND control);

}  // namespace platform::win32
