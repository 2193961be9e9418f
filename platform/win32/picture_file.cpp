// The window is printed into an off-screen bitmap (itself, then each control, since printing a window
// does not draw its children everywhere) and written as an uncompressed PNG.
#include "platform/win32/picture_file.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/image.h"
#include "platform/win32/dib.h"
#include "platform/win32/win32_window.h"
#include "platform/windows/unicode.h"

namespace platform::win32 {
namespace {

constexpr DWORD kPrintEverything = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND;
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

struct PrintTarget {
  HDC dc;
  HWND top;
};

// Each control prints itself at its place in the window.
BOOL CALLBACK PrintChild(HWND child, LPARAM lParam) {
  const auto* target = reinterpret_cast<const PrintTarget*>(lParam);
  if (!IsWindowVisible(child)) return TRUE;
  RECT rect{};
  GetWindowRect(child, &rect);
  RECT frame{};
  GetWindowRect(target->top, &frame);
  POINT previous{};
  SetViewportOrgEx(target->dc, rect.left - frame.left, rect.top - frame.top, &previous);
  SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(target->dc), kPrintEverything);
  SetViewportOrgEx(target->dc, previous.x, previous.y, nullptr);
  return TRUE;
}

// The whole window, frame included, as shown.
Image PrintWindowPicture(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  Image picture(width, height);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintEverything);
  PrintTarget target{dc, window};
  EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(&target));
  BITMAPINFO info = TopDownBitmapInfo(width, height, 24);
  SelectObject(dc, old);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), picture.Row(0), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return picture;
}

}  // namespace

bool SaveWindowAsPng(const Win32Window& window, const std::string& path) {
  const Image whole = PrintWindowPicture(window.Handle());
  RECT frame{};
  GetWindowRect(window.Handle(), &frame);
  RECT client{};
  GetClientRect(window.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(window.Handle(), &origin);
  const int left = origin.x - frame.left;
  const int top = origin.y - frame.top - window.MenuStrip();
  Image shown(client.right, client.bottom + window.MenuStrip());
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) shown.SetPixel(x, y, whole.Pixel(left + x, top + y));
  }
  const Bytes png = Png(shown);
  std::ofstream out(std::filesystem::path(windows::Widen(path)), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

}  // namespace platform::win32
