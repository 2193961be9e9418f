// What the Windows program carries, as Windows loads it: the six language flags by their resource names,
// the manifest that asks for version 6 of the common controls, and the version information.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kFlagHeight = 12;
constexpr int kFlagWidth = 18;
constexpr int kPortugalWidth = 19;
constexpr int kFlagBits = 4;
constexpr COLORREF kFrame = RGB(0, 0, 0);

struct Flag {
  int width = 0, height = 0, bits = 0;
  std::vector<COLORREF> pixels;  // top row first
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Flag LoadFlag(const wchar_t* name) {
  Flag flag;
  const auto bitmap = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return flag;
  DIBSECTION section{};
  GetObjectW(bitmap, sizeof section, &section);
  flag.width = section.dsBm.bmWidth;
  flag.height = section.dsBm.bmHeight;
  flag.bits = section.dsBmih.biBitCount;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), flag.width, -flag.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> raw(static_cast<std::size_t>(flag.width * flag.height));
  const HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(flag.height), raw.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  for (const std::uint32_t bgr : raw)
    flag.pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
  return flag;
}

bool IsFramed(const Flag& flag) {
  for (int x = 0; x < flag.width; ++x) {
    if (flag.At(x, 0) != kFrame || flag.At(x, flag.height - 1) != kFrame) return false;
  }
  for (int y = 0; y < flag.height; ++y) {
    if (flag.At(0, y) != kFrame || flag.At(flag.width - 1, y) != kFrame) return false;
  }
  return true;
}

// The bitmap as stored in the program (a device-independent bitmap: header, 16 colours, rows bottom-up),
// read here byte by byte to compare what Windows loads with an independent reader.
COLORREF StoredPixel(int number, int x, int y) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(number), MAKEINTRESOURCEW(2));  // RT_BITMAP
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
  const auto u32 = [&](std::size_t at) {
    return static_cast<int>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
  };
  const int headerSize = u32(0), width = u32(4), height = u32(8);
  const int stride = (width * kFlagBits + 31) / 32 * 4;
  const std::size_t table = static_cast<std::size_t>(headerSize);
  const std::size_t row = table + 16 * 4 + static_cast<std::size_t>((height - 1 - y) * stride);
  const int index = (bytes[row + static_cast<std::size_t>(x / 2)] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
  const std::size_t entry = table + static_cast<std::size_t>(index) * 4;
  return RGB(bytes[entry + 2], bytes[entry + 1], bytes[entry]);
}

TEST(Win32Resources, TheSixFlagsLoadByNameAsTheirFramedSixteenColourPictures) {
  for (int number = 300; number <= 305; ++number) {
    SCOPED_TRACE(number);
    const Flag flag = LoadFlag((L"#" + std::to_wstring(number)).c_str());
    ASSERT_EQ(flag.width, number == 301 ? kPortugalWidth : kFlagWidth);
    EXPECT_EQ(flag.height, kFlagHeight);
    EXPECT_EQ(flag.bits, kFlagBits);
    EXPECT_TRUE(IsFramed(flag));
    for (int y = 0; y < flag.height; ++y) {
      for (int x = 0; x < flag.width; ++x)
        ASSERT_EQ(flag.At(x, y), StoredPixel(number, x, y)) << x << ", " << y;
    }
  }
  EXPECT_EQ(LoadFlag(L"#306").width, 0);
}

std::string ResourceText(const wchar_t* type, const wchar_t* name) {
  const HRSRC found = FindResourceW(nullptr, name, type);
  if (found == nullptr) return {};
  const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return std::string(data, SizeofResource(nullptr, found));
}

TEST(Win32Resources, TheManifestAsksForCommonControlsSixAndNothingAboutDpi) {
  const std::string manifest = ResourceText(RT_MANIFEST, MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);
  // The process's activation context, made from it, takes comctl32 from the version 6 assembly.
  ACTCTX_SECTION_KEYED_DATA redirection{};
  redirection.cbSize = sizeof redirection;
  EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                       &redirection));
}

TEST(Win32Resources, TheVersionNamesTheProgramAndItsMaker) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(path, &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
  const auto value = [&](const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    return VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) && text
               ? std::wstring(text)
               : std::wstring();
  };
  EXPECT_EQ(value(L"ProductName"), L"Kalvor");
  EXPECT_EQ(value(L"CompanyName"), L"Dremil");
  EXPECT_EQ(value(L"OriginalFilename"), L"kalvor.exe");
}

}  // namespace
