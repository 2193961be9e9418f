#include "platform/win32/fonts.h"

#include <map>
#include <string>
#include <tuple>

#include "platform/windows/unicode.h"

namespace platform::win32 {

namespace {
constexpr const char* kDialogFontName = "MS Sans Serif";
constexpr int kDialogFontPoints = 8;
// PT Sans Bold, which the program carries as a resource: hinted for the screen, with stems two pixels
// wide and every "i" dotted apart from its stem, and narrower than a bitmap face emboldened.
constexpr const wchar_t* kBoldStandIn = L"PT Sans";
constexpr const wchar_t* kBoldStandInResource = L"PTSANS_BOLD";

// A negative height asks for the character height (the em), as a point size does.
HFONT MakeFont(const std::wstring& face, int emPixels, bool bold) {
  return CreateFontW(-emPixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

TEXTMETRICW MetricsOf(HFONT font) {
  TEXTMETRICW metrics{};
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return metrics;
}

// Whether the system draws this bold by widening a bitmap face's letters itself: it reports the pixel
// it adds to each (MS Sans Serif has no bold of its own, on Windows as under Wine).
bool EmboldenedBitmap(const TEXTMETRICW& metrics) {
  return (metrics.tmPitchAndFamily & TMPF_VECTOR) == 0 && metrics.tmOverhang > 0;
}

// The program's copy of the stand-in, known to this process only, loaded once.
void LoadBoldStandIn() {
  static const bool loaded = [] {
    const HRSRC found = FindResourceW(nullptr, kBoldStandInResource, MAKEINTRESOURCEW(10));  // RT_RCDATA
    const HGLOBAL resource = found ? LoadResource(nullptr, found) : nullptr;
    if (resource == nullptr) return false;
    DWORD fonts = 0;
    return AddFontMemResourceEx(LockResource(resource), SizeofResource(nullptr, found), nullptr, &fonts) !=
           nullptr;
  }();
  (void)loaded;  // a program built without it gets whatever the system has under that name
}

// The named face; a bold the system would make by widening a bitmap face's letters (a pixel each, so
// "Restabelecer" in MS Sans Serif 9 bold outgrows its 72-pixel button) is PT Sans Bold instead, as
// tall as the bitmap the system picked for that size.
HFONT MakeNamedFont(const std::string& name, int points, bool bold, int dpi) {
  const HFONT named = MakeFont(windows::Widen(name), ToDisplayPixels(PointsToPixels(points), dpi), bold);
  const TEXTMETRICW metrics = MetricsOf(named);
  if (!bold || !EmboldenedBitmap(metrics)) return named;
  DeleteObject(named);
  LoadBoldStandIn();
  return MakeFont(kBoldStandIn, metrics.tmHeight - metrics.tmInternalLeading, true);
}

}  // namespace

HFONT FontFor(const FontSpec& font, int dpi) {
  static std::map<std::tuple<std::string, int, bool, int>, HFONT> fonts;
  const std::string name = font.name ? font.name : kDialogFontName;
  const int points = font.pointSize > 0 ? font.pointSize : kDialogFontPoints;
  const auto key = std::make_tuple(name, points, font.bold, dpi);
  const auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  const HFONT made = MakeNamedFont(name, points, font.bold, dpi);
  fonts.emplace(key, made);
  return made;
}

}  // namespace platform::win32
