// What a window shows, printed into off-screen pictures (its client area, its menu bar, then each control,
// since printing a window does not draw its children everywhere, nor frames and borders under Wine) and
// written as an uncompressed PNG.
#include "platform/win32/picture_file.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/image.h"
#include "platform/win32/dib.h"
#include "platform/windows/unicode.h"

namespace platform::win32 {
namespace {

constexpr std::size_t kStoredBlock = 65535;
constexpr std::uint32_t kAdlerModulus = 65521;

using Bytes = std::vector<std::uint8_t>;

void PutBig32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> made{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      made[n] = c;
    }
    return made;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, Crc32(body.data(), body.size()));
}

// A zlib stream of stored (uncompressed) blocks.
Bytes StoredZlib(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t size = std::min(kStoredBlock, raw.size() - at);
    const bool last = at + size == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(size & 0xFF));
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(~size & 0xFF));
    out.push_back(static_cast<std::uint8_t>((~size >> 8) & 0xFF));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % kAdlerModulus;
    b = (b + a) % kAdlerModulus;
  }
  PutBig32(out, (b << 16) | a);
  return out;
}

Bytes Png(const Image& image) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig32(header, static_cast<std::uint32_t>(image.Width()));
  PutBig32(header, static_cast<std::uint32_t>(image.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(out, "IHDR", header);
  Bytes raw;
  for (int y = 0; y < image.Height(); ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < image.Width(); ++x) {
      const Colour pixel = image.Pixel(x, y);
      raw.insert(raw.end(),
                 {static_cast<std::uint8_t>(RedOf(pixel)), static_cast<std::uint8_t>(GreenOf(pixel)),
                  static_cast<std::uint8_t>(BlueOf(pixel))});
    }
  }
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

constexpr DWORD kPrintClient = PRF_CLIENT | PRF_ERASEBKGND;

// A bitmap the size of a window's part, printed by `print` on a memory device context and read back.
template <typename Print>
Image Printed(int width, int height, Print print) {
  Image picture(width, height);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  print(dc);
  SelectObject(dc, old);
  BITMAPINFO info = TopDownBitmapInfo(width, height, 24);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), picture.Row(0), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return picture;
}

struct PrintTarget {
  Image* picture;
  POINT origin;  // screen position of the picture's top-left corner
};

// Each control prints its client area into a picture of its own, copied to its place; a plain border
// is the one-pixel line of the window-frame colour around it.
BOOL CALLBACK PrintChild(HWND child, LPARAM lParam) {
  auto* target = reinterpret_cast<PrintTarget*>(lParam);
  if (!IsWindowVisible(child)) return TRUE;
  if (GetWindowLongPtrW(child, GWL_STYLE) & WS_BORDER) {
    RECT frame{};
    GetWindowRect(child, &frame);
    OffsetRect(&frame, -target->origin.x, -target->origin.y);
    target->picture->FillRect(frame.left, frame.top, frame.right, frame.bottom,
                              GetSysColor(COLOR_WINDOWFRAME));
  }
  RECT client{};
  GetClientRect(child, &client);
  POINT at{0, 0};
  ClientToScreen(child, &at);
  const Image inside = Printed(client.right, client.bottom, [child](HDC dc) {
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintClient);
  });
  target->picture->CopyFrom(inside, at.x - target->origin.x, at.y - target->origin.y);
  return TRUE;
}

// The menu bar, drawn as the window draws it where it stands in the window, copied to the top of the
// picture (the client area is copied below it afterwards).
void DrawMenuStrip(HWND window, Image& shown) {
  using DrawMenuBar = DWORD(WINAPI*)(HWND, HDC, LPRECT, HMENU, HFONT);
  const auto draw = reinterpret_cast<DrawMenuBar>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "DrawMenuBarTemp")));
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (draw == nullptr || !GetMenuBarInfo(window, OBJID_MENU, 0, &bar)) return;
  RECT frame{};
  GetWindowRect(window, &frame);
  RECT inWindow = bar.rcBar;
  OffsetRect(&inWindow, -frame.left, -frame.top);
  const Image whole = Printed(frame.right - frame.left, frame.bottom - frame.top, [&](HDC dc) {
    FillRect(dc, &inWindow, GetSysColorBrush(COLOR_MENU));
    draw(window, dc, &inWindow, GetMenu(window), nullptr);
  });
  shown.CopyFrom(whole, -inWindow.left, -inWindow.top);
}

}  // namespace

Image PrintedClientArea(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  return Printed(client.right, client.bottom, [control](HDC dc) {
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintClient);
  });
}

bool SaveClientAreaAsPng(HWND window, int menuStrip, const std::string& path) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  Image shown(client.right, client.bottom + menuStrip);
  const Image inside = Printed(client.right, client.bottom, [window](HDC dc) {
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintClient);
  });
  if (menuStrip > 0) DrawMenuStrip(window, shown);
  shown.CopyFrom(inside, 0, menuStrip);
  PrintTarget target{&shown, {origin.x, origin.y - menuStrip}};
  EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(&target));
  const Bytes png = Png(shown);
  std::ofstream out(std::filesystem::path(windows::Widen(path)), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

}  // namespace platform::win32
