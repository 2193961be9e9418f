// Fonts asked for by their Windows names, mapped onto what this machine has.
#pragma once

#include <QFont>

#include "platform/image.h"

namespace platform::qt {

// The font for `spec`: the named family where it is installed as an outline font, otherwise a
// stand-in; pixel size from the point size at 96 dpi, bold as asked, never antialiased.
QFont MakeQFont(const FontSpec& spec);

// Where the named font puts its baseline below the top of a line of text, and how far its descent
// reaches below it, in pixels. Texts drawn at a top-left corner are placed by these, whatever face
// stands in, so a stand-in sits where the named font would.
struct LineMetrics {
  int ascent = 0;
  int descent = 0;
};
LineMetrics NamedLineMetrics(const FontSpec& spec);

}  // namespace platform::qt
