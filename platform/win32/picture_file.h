// A window's picture as a PNG file, for tests and the documentation's screenshots.
#pragma once

#include <string>

namespace platform::win32 {

class Win32Window;

// What the window shows of its client area with the menu bar, every child control included.
bool SaveWindowAsPng(const Win32Window& window, const std::string& path);

}  // namespace platform::win32
