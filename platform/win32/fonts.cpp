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
constexpr const wchar_t* kRegularStandIn = L"Tahoma";

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
HFONT MakeNamedFont(const std::string& name, int points, bool bold) {
  const HFONT named = MakeFont(windows::Widen(name), PointsToPixels(points), bold);
  const TEXTMETRICW metrics = MetricsOf(named);
  if (!bold || !EmboldenedBitmap(metrics)) return named;
  DeleteObject(named);
  LoadBoldStandIn();
  return MakeFont(kBoldStandIn, metrics.tmHeight - metrics.tmInternalLeading, true);
}

bool IsBitmapFace(const TEXTMETRICW& metrics) {
  return (metrics.tmPitchAndFamily & TMPF_VECTOR) == 0;
}

// The character height, at 96 dpi, of the bitmap that MS Sans Serif draws for a size: the largest of its
// sizes (8, 10, 12, 14, 18 and 24 points) that is not larger.
int BitmapEmAtBaseDpi(int emPixels) {
  constexpr int kSizes[] = {11, 13, 16, 19, 24, 32};
  int em = kSizes[0];
  for (const int size : kSizes) {
    if (size <= emPixels) em = size;
  }
  return em;
}

// On a display of another scale, the named face at its 96-dpi size enlarged. A bitmap face has only a
// few fixed sizes, none of them the enlarged one (MS Sans Serif's largest is 24 pixels under Wine), and
// which it has depends on the system's scale: an outline face stands in, as tall as the bitmap of 96 dpi
// enlarged, PT Sans Bold for a bold and Tahoma, MS Sans Serif's outline relative, for the rest.
HFONT MakeScaledFont(const std::string& name, int points, bool bold, int dpi) {
  const int emPixels = PointsToPixels(points);
  const HFONT font = MakeFont(windows::Widen(name), ToDisplayPixels(emPixels, dpi), bold);
  if (!IsBitmapFace(MetricsOf(font))) return font;
  DeleteObject(font);
  if (bold) LoadBoldStandIn();
  return MakeFont(bold ? kBoldStandIn : kRegularStandIn, ToDisplayPixels(BitmapEmAtBaseDpi(emPixels), dpi),
                  bold);
}

}  // namespace

HFONT FontFor(const FontSpec& font, int dpi) {
  static std::map<std::tuple<std::string, int, bool, int>, HFONT> fonts;
  const std::string name = font.name ? font.name : kDialogFontName;
  const int points = font.pointSize > 0 ? font.pointSize : kDialogFontPoints;
  const auto key = std::make_tuple(name, points, font.bold, dpi);
  const auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  const HFONT made =
      dpi == kBaseDpi ? MakeNamedFont(name, points, font.bold) : MakeScaledFont(name, points, font.bold, dpi);
  fonts.emplace(key, made);
  return made;
}

}  // namespace platform::win32
