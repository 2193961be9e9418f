#include "platform/qt/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace platform::qt {
namespace {

// Free look-alikes of the classic Windows fonts (Debian package fonts-wine).
constexpr const char* kWineFontFolder = "/usr/share/wine/fonts/";
constexpr const char* kWineFontFiles[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};
constexpr const char* kFallbackFamily = "DejaVu Sans";

void LoadWineFontsOnce() {
  static const bool loaded = [] {
    for (const char* file : kWineFontFiles) QFontDatabase::addApplicationFont(QString(kWineFontFolder) + file);
    return true;
  }();
  (void)loaded;
}

QString FamilyFor(const char* name) {
  LoadWineFontsOnce();
  const QString wanted = name ? QString::fromUtf8(name) : QStringLiteral("MS Sans Serif");
  if (QFontDatabase::families().contains(wanted, Qt::CaseInsensitive)) return wanted;
  return QString::fromLatin1(kFallbackFamily);
}

}  // namespace

QFont MakeQFont(const FontSpec& spec) {
  QFont font(FamilyFor(spec.name));
  font.setPixelSize(PointsToPixels(spec.pointSize > 0 ? spec.pointSize : 8));
  font.setBold(spec.bold);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

}  // namespace platform::qt
