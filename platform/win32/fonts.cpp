#include "platform/win32/fonts.h"

#include <map>
#include <string>
#include <tuple>

#include "platform/windows/unicode.h"

namespace platform::win32 {

namespace {
constexpr const char* kDialogFontName = "MS Sans Serif";
constexpr int kDialogFontPoints = 8;
}  // namespace

HFONT FontFor(const FontSpec& font) {
  static std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
  const std::string name = font.name ? font.name : kDialogFontName;
  const int points = font.pointSize > 0 ? font.pointSize : kDialogFontPoints;
  const auto key = std::make_tuple(name, points, font.bold);
  const auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  // A negative height asks for the character height (the em), as a point size does.
  const HFONT made =
      CreateFontW(-PointsToPixels(points), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, windows::Widen(name).c_str());
  fonts.emplace(key, made);
  return made;
}

}  // namespace platform::win32
