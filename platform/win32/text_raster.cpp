// Glyph masks from GDI: the text written black on white into a 32-bit device-independent bitmap with an
// unantialiased font, every dark pixel taken as ink.
#include "platform/text_raster.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/dib.h"
#include "platform/win32/fonts.h"
#include "platform/windows/unicode.h"

namespace platform {
namespace {

// Room for glyphs that reach left of their origin, past their advance, above or below the line.
constexpr int kOverhang = 4;
constexpr int kInkThreshold = 128;
constexpr int kBytesPerPixel = 4;

// A white top-down 32-bit picture selected into `dc`; its pixels are at `bits`.
HBITMAP WhiteCanvas(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info = win32::TopDownBitmapInfo(width, height, 32);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
  if (bitmap) std::memset(*bits, 0xFF, static_cast<std::size_t>(width) * height * kBytesPerPixel);
  return bitmap;
}

}  // namespace

namespace native {

TextMask RasteriseText(const std::string& text, const FontSpec& font) {
  const std::wstring wide = windows::Widen(text);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ oldFont = SelectObject(dc, win32::FontFor(font));
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);

  // The real font's baseline lies its ascent below the text's top, as asked; the mask keeps room
  // above and below for glyphs that reach further, and for the raise of the large sizes.
  TextMask mask;
  mask.offsetX = kOverhang;
  mask.offsetY = kOverhang;
  mask.advance = extent.cx;
  mask.lineHeight = metrics.tmHeight;
  mask.width = mask.advance + 2 * kOverhang;
  mask.height = metrics.tmHeight + 2 * kOverhang;
  mask.ink.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  void* bits = nullptr;
  const HBITMAP canvas = WhiteCanvas(dc, mask.width, mask.height, &bits);
  if (canvas) {
    const HGDIOBJ oldBitmap = SelectObject(dc, canvas);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    TextOutW(dc, kOverhang, kOverhang - BaselineRaise(font), wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < mask.ink.size(); ++i)
      mask.ink[i] = pixels[i * kBytesPerPixel + 1] < kInkThreshold;
    SelectObject(dc, oldBitmap);
    DeleteObject(canvas);
  }
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  return mask;
}

}  // namespace native
}  // namespace platform
