#include "platform/qt/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstring>

namespace platform::qt {
namespace {

constexpr const char* kDefaultName = "MS Sans Serif";
constexpr int kDefaultPoints = 8;

// The stand-ins for each named face, in order of preference, and the named face's own ascent and descent
// in ems (from its font header), which place its baseline.
struct Substitute {
  const char* name;
  const char* families[2];
  double ascent;
  double descent;
};

constexpr Substitute kSubstitutes[] = {
    // DejaVu Sans Condensed Bold is within 2 % of Tahoma Bold's widths, and its "i" keeps its dot at every
    // size the calendar uses (fonts-dejavu-extra). Tahoma: ascent 2049 and descent 423 of 2048 units.
    {"Tahoma", {"DejaVu Sans Condensed", "DejaVu Sans"}, 2049.0 / 2048.0, 423.0 / 2048.0},
    // PT Sans (fonts-paratype) is hinted for the screen: unantialiased at 11 to 19 pixels its "i" keeps
    // a dot apart from the stem and its bold has two-pixel stems. It is about a seventh narrower than MS
    // Sans Serif bold, which is what lets the longest button texts ("Restabelecer" on a 72-pixel button)
    // stand clear of their frames. MS Sans Serif: 11-pixel ascent and 2-pixel descent at 8 points.
    {"MS Sans Serif", {"PT Sans", "DejaVu Sans Condensed"}, 1.0, 2.0 / 11.0},
};

const Substitute& SubstituteFor(const char* name) {
  for (const Substitute& substitute : kSubstitutes) {
    if (std::strcmp(substitute.name, name) == 0) return substitute;
  }
  return kSubstitutes[1];  // an unknown face reads like the dialog font
}

bool Installed(const QString& family) {
  static const QStringList installed = QFontDatabase::families();
  return installed.contains(family, Qt::CaseInsensitive);
}

QString FamilyFor(const char* name) {
  const QString wanted = QString::fromUtf8(name);
  // Bitmap faces of the same name render with wrong widths here: only an outline font will do.
  if (Installed(wanted) && QFontDatabase::isSmoothlyScalable(wanted)) return wanted;
  for (const char* family : SubstituteFor(name).families) {
    if (Installed(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return wanted;  // let the toolkit choose
}

const char* NameOf(const FontSpec& spec) {
  return spec.name ? spec.name : kDefaultName;
}

int PixelsOf(const FontSpec& spec) {
  return PointsToPixels(spec.pointSize > 0 ? spec.pointSize : kDefaultPoints);
}

}  // namespace

QFont MakeQFont(const FontSpec& spec) {
  QFont font(FamilyFor(NameOf(spec)));
  font.setPixelSize(PixelsOf(spec));
  font.setBold(spec.bold);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferOutline));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

LineMetrics NamedLineMetrics(const FontSpec& spec) {
  const Substitute& named = SubstituteFor(NameOf(spec));
  const double pixels = PixelsOf(spec);
  return {static_cast<int>(std::lround(named.ascent * pixels)),
          static_cast<int>(std::lround(named.descent * pixels))};
}

}  // namespace platform::qt
