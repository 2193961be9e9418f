// Fonts asked for by their Windows names, mapped onto what this machine has.
#pragma once

#include <QFont>

#include "platform/image.h"

namespace platform::qt {

// The font for `spec`: the named family where it is installed, a condensed sans with a real bold
// face otherwise; pixel size from the point size at 96 dpi, bold as asked, never antialiased.
QFont MakeQFont(const FontSpec& spec);

}  // namespace platform::qt
