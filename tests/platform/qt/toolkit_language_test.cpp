// The toolkit's own texts speak the program's language: the colour chooser of a Spanish Kalvor is
// Spanish, that of a French one French, and an English one goes back to Qt's English.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLibraryInfo>
#include <algorithm>
#include <string>

#include "app/text_tables.h"
#include "colours/colour_dialog.h"
#include "tests/e2e/main_window_steps.h"

namespace kalvor::testing {
namespace {

struct ChooserTexts {
  int languageIndex;
  const char* caption;  // as Qt's own translations (qtbase_xx.qm) give it
  const char* cancel;
};

bool QtSpeaks(const char* code) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  return QFileInfo::exists(folder + QStringLiteral("/qtbase_%1.qm").arg(QString::fromLatin1(code)));
}

// Opens the chooser from the colour dialog of a calendar in that language and reads it.
automation::SeenChooser ChooserOfAKalvorIn(int languageIndex) {
  TempFolder folder;
  WriteSettingsFile(folder, TallestRun(languageIndex));
  automation::SeenChooser seen;
  Menu(kCmdFavouriteColours);
  OnWindow(Text(text::ttlFavouriteColours, languageIndex), [](platform::Window& dialog) {
    automation::Mouse(dialog, kPaletteViewId, platform::MouseKind::kLeftDown, 15, 15);
  });
  automation::Then([&seen] {
    const auto chooser = automation::OpenColourChooser();
    if (chooser) seen = *chooser;
    EXPECT_TRUE(automation::AnswerColourChooser(std::nullopt));
  });
  OnWindow(Text(text::ttlFavouriteColours, languageIndex),
           [](platform::Window& dialog) { automation::Click(dialog, kGetOutButtonId); });
  GetOutAndCloseEverything();
  RunProgram(folder);
  return seen;
}

TEST(ToolkitLanguage, TheColourChooserSpeaksTheProgramsLanguage) {
  if (!QtSpeaks("es") || !QtSpeaks("fr"))
    GTEST_SKIP() << "Qt's translations are not installed (Debian's qt6-translations-l10n)";
  for (const ChooserTexts& expected : {ChooserTexts{1, "Selecciona color", "Cancelar"},
                                       ChooserTexts{3, "Sélectionner une couleur", "Annuler"},
                                       ChooserTexts{5, "Select Color", "Cancel"}}) {
    SCOPED_TRACE(LanguageCode(expected.languageIndex));
    const automation::SeenChooser seen = ChooserOfAKalvorIn(expected.languageIndex);
    EXPECT_EQ(seen.caption, expected.caption);
    EXPECT_NE(std::find(seen.buttons.begin(), seen.buttons.end(), expected.cancel), seen.buttons.end())
        << "no button " << expected.cancel;
  }
}

}  // namespace
}  // namespace kalvor::testing
