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

// What stands in for both named faces, in order of preference. PT Sans (fonts-paratype) is hinted for
// the screen: unantialiased from 11 to 24 pixels its "i" and "j" keep their dots apart from the stem,
// "i", "l" and "1" differ, and its bold has stems two pixels wide. It is about a seventh narrower than
// MS Sans Serif bold and Tahoma bold, which lets the longest button texts ("Restabelecer" on a 72-pixel
// button) stand clear of their frames; the metric-compatible faces reproduce the named fonts' overflow.
constexpr const char* kStandIns[] = {"PT Sans", "DejaVu Sans Condensed", "DejaVu Sans"};

// A named face's ascent and descent in ems, from its font header: they place its baseline.
struct NamedFace {
  const char* name;
  double ascent;
  double descent;
};

constexpr NamedFace kNamedFaces[] = {
    {"Tahoma", 2049.0 / 2048.0, 423.0 / 2048.0},  // the calendar's and the colour caption's texts
    {"MS Sans Serif", 1.0, 2.0 / 11.0},           // 11-pixel ascent, 2-pixel descent at 8 points
};

const NamedFace& FaceNamed(const char* name) {
  for (const NamedFace& face : kNamedFaces) {
    if (std::strcmp(face.name, name) == 0) return face;
  }
  return kNamedFaces[1];  // an unknown face reads like the dialog font
}

bool Installed(const QString& family) {
  static const QStringList installed = QFontDatabase::families();
  return installed.contains(family, Qt::CaseInsensitive);
}

QString FamilyFor(const char* name) {
  const QString wanted = QString::fromUtf8(name);
  // Bitmap faces of the same name render with wrong widths here: only an outline font will do.
  if (Installed(wanted) && QFontDatabase::isSmoothlyScalable(wanted)) return wanted;
  for (const char* family : kStandIns) {
    if (Installed(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return wanted;  // let the toolkit choose
}

const char* NameOf(const FontSpec& spec) {
  return spec.name ? spec.name : kDefaultName;
}

int PointsOf(const FontSpec& spec) {
  return spec.pointSize > 0 ? spec.pointSize : kDefaultPoints;
}

}  // namespace

QFont MakeQFont(const FontSpec& spec) {
  QFont font(FamilyFor(NameOf(spec)));
  font.setPixelSize(PointsToPixels(PointsOf(spec)));
  font.setBold(spec.bold);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferOutline));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

LineMetrics NamedLineMetrics(const FontSpec& spec) {
  const NamedFace& face = FaceNamed(NameOf(spec));
  const double pixels = PointsToPixels(PointsOf(spec));
  return {static_cast<int>(std::lround(face.ascent * pixels)),
          static_cast<int>(std::lround(face.descent * pixels))};
}

}  // namespace platform::qt
