#include <cmath>

#include "platform/window.h"

namespace platform {

namespace {
// Dialog base units of the classic dialog font (MS Sans Serif 8 pt), fixed on every backend: a dialog
// unit is a quarter of the average character width across and an eighth of the character height down.
constexpr double kBaseUnitX = 6.0;
constexpr double kBaseUnitY = 13.0;
constexpr double kDialogUnitsPerBaseX = 4.0;
constexpr double kDialogUnitsPerBaseY = 8.0;
}  // namespace

int PixelsAcross(Units units, int value) {
  if (units == Units::kPixels) return value;
  return static_cast<int>(std::lround(value * kBaseUnitX / kDialogUnitsPerBaseX));
}

int PixelsDown(Units units, int value) {
  if (units == Units::kPixels) return value;
  return static_cast<int>(std::lround(value * kBaseUnitY / kDialogUnitsPerBaseY));
}

}  // namespace platform
