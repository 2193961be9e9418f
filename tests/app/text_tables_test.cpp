#include "app/text_tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/automation.h"
#include "tests/support/test_system.h"

namespace kalvor {
namespace {

using kalvor::testing::ToWindows1252;

constexpr std::size_t kMaxEntryCharacters = 99;  // a 100-byte field with its terminating zero

struct NamedText {
  std::string name;
  std::string text;
};

void AddRow(std::vector<NamedText>& all, const std::string& name, const LanguageRow& row) {
  for (int language = 1; language <= kLanguageCount; ++language) {
    all.push_back({name + "(" + std::to_string(language) + ")", Text(row, language)});
  }
}

template <std::size_t N>
void AddTable(std::vector<NamedText>& all, const std::string& name, const std::array<LanguageRow, N>& table) {
  for (std::size_t row = 0; row < N; ++row) AddRow(all, name + " " + std::to_string(row + 1), table[row]);
}

std::vector<NamedText> EveryText() {
  std::vector<NamedText> all;
  using namespace text;
  for (const auto& [name, row] : std::vector<std::pair<std::string, const LanguageRow*>>{
           {"lblLanguages", &lblLanguages},
           {"lblStartMonth", &lblStartMonth},
           {"lblStartYear", &lblStartYear},
           {"lblLastMonth", &lblLastMonth},
           {"lblLastYear", &lblLastYear},
           {"lblDayShapes", &lblDayShapes},
           {"lblSaveSettings", &lblSaveSettings},
           {"lblCancel", &lblCancel},
           {"lblAccept", &lblAccept},
           {"ttlMessageBox", &ttlMessageBox},
           {"msgBitmapSaved", &msgBitmapSaved},
           {"msgFileDeleted", &msgFileDeleted},
           {"ttlFileOperation", &ttlFileOperation},
           {"lblNameWithoutExtension", &lblNameWithoutExtension},
           {"msgFileNameRequired", &msgFileNameRequired},
           {"ttlFavouriteColours", &ttlFavouriteColours},
           {"lblFile", &lblFile},
           {"lblGetOut", &lblGetOut},
           {"lblReset", &lblReset},
           {"lblSelectedColour", &lblSelectedColour},
           {"msgSaveBeforeExit", &msgSaveBeforeExit},
           {"msgColoursFiled", &msgColoursFiled},
           {"languageNames", &languageNames},
       }) {
    AddRow(all, name, *row);
  }
  AddTable(all, "msgSelectionError", msgSelectionError);
  AddTable(all, "shapeNames", shapeNames);
  AddTable(all, "monthNames", monthNames);
  AddTable(all, "weekdayNames", weekdayNames);
  AddTable(all, "weekdayFullNames", weekdayFullNames);
  AddTable(all, "monthNamesInDates", monthNamesInDates);
  AddTable(all, "menuOperations", menuOperations);
  AddTable(all, "menuColours", menuColours);
  AddTable(all, "msgAuthor", msgAuthor);
  AddTable(all, "msgResetConfirm", msgResetConfirm);
  for (int language = 1; language <= kLanguageCount; ++language) {
    all.push_back({"lblMaxMonths(" + std::to_string(language) + ")", lblMaxMonths(language)});
  }
  return all;
}

TEST(TextTables, EveryEntryFitsAWindows1252FieldOf100Bytes) {
  const std::vector<NamedText> all = EveryText();
  EXPECT_GT(all.size(), 300u);
  for (const NamedText& entry : all) {
    const std::optional<std::string> converted = ToWindows1252(entry.text);
    ASSERT_TRUE(converted.has_value()) << entry.name << " is not Windows-1252 text";
    EXPECT_LE(converted->size(), kMaxEntryCharacters) << entry.name;
  }
}

// The odd ones, exactly as the program must show them: capitals inside words, rare accents, spaces
// before punctuation, the unassigned menu row. Texts that the end-to-end suites see are checked there.
TEST(TextTables, OddTextsReadExactlyAsPrinted) {
  using namespace text;
  EXPECT_STREQ(Text(monthNames, 8, 3), "Août");
  EXPECT_STREQ(Text(menuOperations, 1, 2), "OperaÇões");
  EXPECT_STREQ(Text(ttlFileOperation, 2), "OperaÇão de arquivo");
  EXPECT_STREQ(Text(lblStartYear, 6), "Inizío anno");
  EXPECT_STREQ(Text(lblLastYear, 3), "L'année dernière");
  EXPECT_STREQ(Text(msgSelectionError, 1, 6), "È necessario selezionare tutti i controlli");
  EXPECT_STREQ(Text(msgAuthor, 1, 3), "Programme exécuté par :");
  EXPECT_STREQ(Text(msgResetConfirm, 1, 1), "Realmente desea RESETEAR ?");
  EXPECT_STREQ(Text(menuOperations, 5, 5), "");  // not assigned
}

TEST(TextTables, MaxMonthsIsPutTogetherAroundTheNumber) {
  EXPECT_EQ(lblMaxMonths(1), "El número máximo de meses posibles es 20");
  EXPECT_EQ(lblMaxMonths(2), "O número máximo de 20 meses é");
  EXPECT_EQ(lblMaxMonths(3), "Le nombre maximum de 20 mois est");
  EXPECT_EQ(lblMaxMonths(5), "The maximum number of months is 20");
}

TEST(TextTables, ALanguageOrRowOutsideTheTablesNeverIndexesThem) {
  using namespace text;
  for (const int language : {0, -1, 7, 1000}) {
    EXPECT_EQ(SafeLanguage(language), 1);
    EXPECT_STREQ(Text(lblAccept, language), "Aceptar");
    EXPECT_EQ(lblMaxMonths(language), lblMaxMonths(1));
  }
  EXPECT_EQ(SafeLanguage(6), 6);
  EXPECT_STREQ(Text(monthNames, 0, 5), "");
  EXPECT_STREQ(Text(monthNames, 13, 5), "");
  EXPECT_EQ(yearTable(1), 2000);
  EXPECT_EQ(yearTable(25), 2024);
  EXPECT_EQ(yearTable(51), 2050);
  EXPECT_EQ(yearTable(0), 0);
  EXPECT_EQ(yearTable(52), 0);
}

}  // namespace
}  // namespace kalvor

namespace kalvor {
namespace {

// The program's languages as the locale data names them.
constexpr const char* kLocales[kLanguageCount] = {"es-ES", "pt-BR", "fr-FR", "de-DE", "en-GB", "it-IT"};

TEST(FullDates, WeekdayAndMonthNamesAreThoseOfTheLocaleData) {
  int compared = 0;
  for (int language = 1; language <= kLanguageCount; ++language) {
    const std::string locale = kLocales[language - 1];
    for (int weekday = 1; weekday <= 7; ++weekday) {
      const auto expected = platform::automation::SystemWeekdayName(locale, weekday);
      if (!expected) continue;
      EXPECT_EQ(Text(text::weekdayFullNames, weekday, language), *expected) << locale << " " << weekday;
      ++compared;
    }
    for (int month = 1; month <= kMonthsPerYear; ++month) {
      const auto expected = platform::automation::SystemMonthName(locale, month);
      if (!expected) continue;
      EXPECT_EQ(Text(text::monthNamesInDates, month, language), *expected) << locale << " " << month;
      ++compared;
    }
  }
  if (compared == 0) GTEST_SKIP() << "the system has no locale data for the program's languages";
  EXPECT_EQ(compared, kLanguageCount * 19) << "some languages had no locale data";
}

// January 7, 2001 was a Sunday, March 1, 2000 a Wednesday (2000 being a leap year).
TEST(FullDates, ReadAsEachLanguageWritesADate) {
  EXPECT_EQ(FullDate(2001, 1, 7, 1), "domingo 7 de enero de 2001");
  EXPECT_EQ(FullDate(2001, 1, 7, 2), "domingo 7 de janeiro de 2001");
  EXPECT_EQ(FullDate(2001, 1, 7, 3), "dimanche 7 janvier 2001");
  EXPECT_EQ(FullDate(2001, 1, 7, 4), "Sonntag 7. Januar 2001");
  EXPECT_EQ(FullDate(2001, 1, 7, 5), "Sunday 7 January 2001");
  EXPECT_EQ(FullDate(2001, 1, 7, 6), "domenica 7 gennaio 2001");
  EXPECT_EQ(FullDate(2000, 3, 1, 5), "Wednesday 1 March 2000");
  EXPECT_EQ(FullDate(2050, 12, 31, 4), "Samstag 31. Dezember 2050");
  EXPECT_EQ(FullDate(2001, 1, 7, 0), FullDate(2001, 1, 7, 1));  // a damaged language reads as Spanish
}

}  // namespace
}  // namespace kalvor
