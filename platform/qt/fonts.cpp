#include "platform/qt/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace platform::qt {
namespace {

// Where the classic Windows fonts are not installed, a condensed sans keeps the texts about as wide
// as they were designed for and has a real bold face (Debian: fonts-dejavu-extra, fonts-dejavu-core).
constexpr const char* kSubstitutes[] = {"DejaVu Sans Condensed", "DejaVu Sans"};

QString FamilyFor(const char* name) {
  static const QStringList installed = QFontDatabase::families();
  const QString wanted = QString::fromUtf8(name ? name : "MS Sans Serif");
  if (installed.contains(wanted, Qt::CaseInsensitive)) return wanted;
  for (const char* substitute : kSubstitutes) {
    if (installed.contains(QString::fromLatin1(substitute), Qt::CaseInsensitive))
      return QString::fromLatin1(substitute);
  }
  return wanted;  // let the toolkit choose
}

}  // namespace

QFont MakeQFont(const FontSpec& spec) {
  QFont font(FamilyFor(spec.name));
  font.setPixelSize(PointsToPixels(spec.pointSize > 0 ? spec.pointSize : 8));
  font.setBold(spec.bold);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferOutline));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

}  // namespace platform::qt
