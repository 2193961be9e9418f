// What the Windows program carries, as Windows loads it: the six language flags by their resource names,
// the manifest (the systems it was made for, no elevation, its own scaling on every monitor, long paths,
// version 6 of the common controls), the version information and the bold font that stands in for
// bitmap faces.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/support/test_system.h"

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

// The text of an element of the manifest (<name ...>text</name>) or the value of an attribute of its
// first such element (<name attribute="value"/>); empty when absent.
std::string ElementText(const std::string& xml, const std::string& name) {
  const std::size_t open = xml.find("<" + name);
  if (open == std::string::npos) return {};
  const std::size_t start = xml.find('>', open) + 1;
  const std::size_t end = xml.find("</" + name + ">", start);
  return end == std::string::npos ? std::string() : xml.substr(start, end - start);
}
std::string AttributeOf(const std::string& xml, const std::string& name, const std::string& attribute) {
  const std::size_t open = xml.find("<" + name + " ");
  if (open == std::string::npos) return {};
  const std::size_t close = xml.find('>', open);
  const std::size_t at = xml.find(" " + attribute + "=\"", open);
  if (at == std::string::npos || at > close) return {};
  const std::size_t start = at + attribute.size() + 3;
  return xml.substr(start, xml.find('"', start) - start);
}
std::set<std::string> SupportedSystems(const std::string& xml) {
  std::set<std::string> ids;
  for (std::size_t at = xml.find("<supportedOS "); at != std::string::npos; at = xml.find("<supportedOS ", at + 1))
    ids.insert(AttributeOf(xml.substr(at), "supportedOS", "Id"));
  return ids;
}

// kalvor.exe itself, beside the folder of the test programs, opened as data: its manifest as stored.
std::string ProgramManifest() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  path = path.substr(0, path.find_last_of(L"\\/"));       // the tests' folder
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"kalvor.exe";  // the build folder
  const HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (program == nullptr) {
    ADD_FAILURE() << "kalvor.exe cannot be opened beside the tests";
    return {};
  }
  const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), RT_MANIFEST);
  std::string manifest;
  if (found != nullptr) {
    const auto* data = static_cast<const char*>(LockResource(LoadResource(program, found)));
    manifest.assign(data, SizeofResource(program, found));
  }
  FreeLibrary(program);
  return manifest;
}

// The identifiers Windows gives its versions in manifests (Microsoft's "Application manifests").
const std::set<std::string> kWindows7To11 = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
};

TEST(Win32Resources, TheProgramsManifestNamesItsSystemsRightsScalingAndControls) {
  const std::string manifest = ProgramManifest();
  ASSERT_FALSE(manifest.empty());
  EXPECT_EQ(SupportedSystems(manifest), kWindows7To11);
  EXPECT_EQ(AttributeOf(manifest, "requestedExecutionLevel", "level"), "asInvoker");
  EXPECT_EQ(AttributeOf(manifest, "requestedExecutionLevel", "uiAccess"), "false");
  // Per-monitor v2, then v1 (Windows 8.1); "true/pm" is system-aware where dpiAwareness is unknown.
  EXPECT_EQ(ElementText(manifest, "dpiAwareness"), "PerMonitorV2, PerMonitor");
  EXPECT_EQ(ElementText(manifest, "dpiAware"), "true/pm");
  EXPECT_EQ(ElementText(manifest, "longPathAware"), "true");
  const std::size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(controls, std::string::npos);
  EXPECT_EQ(AttributeOf(manifest.substr(manifest.rfind('<', controls)), "assemblyIdentity", "version"), "6.0.0.0");
  // The test programs carry the same resources.
  EXPECT_EQ(ResourceText(RT_MANIFEST, MAKEINTRESOURCEW(1)), manifest);
}

// What the system made of the manifest for this process: version 6 of the common controls, and a
// process that scales itself on every monitor.
TEST(Win32Resources, TheSystemTakesTheManifestsControlsAndScaling) {
  ACTCTX_SECTION_KEYED_DATA redirection{};
  redirection.cbSize = sizeof redirection;
  EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                       L"comctl32.dll", &redirection));
  // Windows 10's calls, looked up by name: the program itself imports nothing newer than Windows 7.
  using GetContext = HANDLE(WINAPI*)();
  using AwarenessOf = int(WINAPI*)(HANDLE);
  const HMODULE user = GetModuleHandleW(L"user32.dll");
  const auto getContext = reinterpret_cast<GetContext>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
  const auto awarenessOf = reinterpret_cast<AwarenessOf>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
  if (getContext == nullptr || awarenessOf == nullptr) GTEST_SKIP() << "a system older than Windows 10";
  if (kalvor::testing::UnderWine())
    GTEST_SKIP() << "Wine 8 treats every process alike whatever its manifest asks for (the shell's "
                    "GetProcessDpiAwareness says per-monitor aware with or without the manifest's entries)";
  constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
  EXPECT_EQ(awarenessOf(getContext()), kPerMonitorAware);
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

// The bold that stands in where a bitmap face has none: PT Sans Bold, whole, as a TrueType file that
// Windows takes for this process.
TEST(Win32Resources, CarriesPtSansBoldForTheBoldOfBitmapFaces) {
  const std::string font = ResourceText(RT_RCDATA, L"PTSANS_BOLD");
  ASSERT_GT(font.size(), 12u);
  EXPECT_EQ(font.substr(0, 4), std::string("\0\1\0\0", 4));  // a TrueType outline font
  // Its naming table holds the family and the style, in UTF-16 big-endian.
  const auto utf16 = [](const std::string& text) {
    std::string wide;
    for (const char c : text) wide += std::string{'\0', c};
    return wide;
  };
  EXPECT_NE(font.find(utf16("PT Sans")), std::string::npos);
  EXPECT_NE(font.find(utf16("Bold")), std::string::npos);
  DWORD fonts = 0;
  const HANDLE added =
      AddFontMemResourceEx(const_cast<char*>(font.data()), static_cast<DWORD>(font.size()), nullptr, &fonts);
  EXPECT_NE(added, nullptr);
  EXPECT_EQ(fonts, 1u);
  if (added) RemoveFontMemResourceEx(added);
}

}  // namespace
