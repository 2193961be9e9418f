// The icon a window gives the system, as the system draws it.
#include <windows.h>

#include <cstdint>

#include "platform/automation.h"
#include "platform/win32/dib.h"
#include "platform/win32/win32_window.h"

namespace platform::automation {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  // A monochrome icon keeps its AND and XOR masks one above the other.
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

}  // namespace

Image WindowIcon(const Window& window, bool large) {
  const auto icon = reinterpret_cast<HICON>(
      SendMessageW(win32::AsWin32(window).Handle(), WM_GETICON, large ? ICON_BIG : ICON_SMALL, 0));
  if (icon == nullptr) return {};
  const SIZE size = IconSize(icon);
  const BITMAPINFO info = win32::TopDownBitmapInfo(size.cx, size.cy, 32);
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (target == nullptr) {
    DeleteDC(dc);
    return {};
  }
  const HGDIOBJ previous = SelectObject(dc, target);
  const HBRUSH white = CreateSolidBrush(kWhite);
  const RECT all{0, 0, size.cx, size.cy};
  FillRect(dc, &all, white);
  DeleteObject(white);
  DrawIconEx(dc, 0, 0, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
  GdiFlush();
  Image picture(size.cx, size.cy);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      const std::uint32_t bgr = pixels[y * size.cx + x];  // 0x00RRGGBB in memory order B, G, R
      picture.SetPixel(x, y, RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
  }
  SelectObject(dc, previous);
  DeleteObject(target);
  DeleteDC(dc);
  return picture;
}

}  // namespace platform::automation
