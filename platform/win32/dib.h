// The header of a top-down device-independent bitmap: how pictures pass between the program and GDI.
#pragma once

#include <windows.h>

namespace platform::win32 {

inline BITMAPINFO TopDownBitmapInfo(int width, int height, WORD bitsPerPixel) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace platform::win32
