// Qt's own texts (the colour chooser, a text box's menu, ...) in the program's language, from the
// translations Qt installs beside itself (Debian's qt6-translations-l10n).
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/application.h"

namespace platform {
namespace {

QTranslator*& Installed() {
  static QTranslator* translator = nullptr;
  return translator;
}

}  // namespace

bool SetToolkitLanguage(const std::string& code) {
  static std::string current;
  if (code == current && Installed() != nullptr) return true;
  if (Installed() != nullptr) {
    QCoreApplication::removeTranslator(Installed());
    delete Installed();
    Installed() = nullptr;
  }
  current = code;
  auto translator = std::make_unique<QTranslator>();
  // "pt" finds Qt's Portuguese (qtbase_pt_BR) through the locale's fallbacks; English is Qt's own.
  if (!translator->load(QLocale(QString::fromStdString(code)), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return code == "en";
  }
  QCoreApplication::installTranslator(translator.get());
  Installed() = translator.release();
  return true;
}

}  // namespace platform
