#include "app/text_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace kalvor {
namespace {

constexpr std::size_t kMaxEntryCharacters = 99;  // a 100-byte field with its terminating zero
constexpr char32_t kLastAscii = 0x7F;
constexpr char32_t kFirstLatin1Printable = 0xA0;
constexpr char32_t kLastLatin1 = 0xFF;

// The code points Windows-1252 puts in 0x80..0x9F (five slots there are unassigned).
constexpr std::array<char32_t, 27> kCp1252Extras = {
    0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
    0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178,
};

bool InCp1252(char32_t codePoint) {
  return codePoint <= kLastAscii || (codePoint >= kFirstLatin1Printable && codePoint <= kLastLatin1) ||
         std::find(kCp1252Extras.begin(), kCp1252Extras.end(), codePoint) != kCp1252Extras.end();
}

// Strict UTF-8 decoding; nullopt for any malformed, overlong or surrogate sequence.
std::optional<std::u32string> DecodeUtf8(const std::string& text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
    if (length == 0 || i + length > text.size()) return std::nullopt;
    char32_t codePoint = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return std::nullopt;
    out.push_back(codePoint);
    i += length;
  }
  return out;
}

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
    const std::optional<std::u32string> codePoints = DecodeUtf8(entry.text);
    ASSERT_TRUE(codePoints.has_value()) << entry.name << " is not valid UTF-8";
    EXPECT_LE(codePoints->size(), kMaxEntryCharacters) << entry.name;
    for (const char32_t codePoint : *codePoints) {
      EXPECT_TRUE(InCp1252(codePoint)) << entry.name << " has U+" << std::hex << static_cast<int>(codePoint);
    }
  }
}

TEST(TextTables, TheCheckerRefusesWhatWindows1252CannotHold) {
  EXPECT_TRUE(InCp1252(U'€'));
  EXPECT_FALSE(InCp1252(0x81));  // unassigned in Windows-1252
  EXPECT_FALSE(InCp1252(U'ő'));  // Hungarian, not Western
  EXPECT_FALSE(DecodeUtf8("\xC3").has_value());
  EXPECT_FALSE(DecodeUtf8("\xC0\xAF").has_value());  // overlong '/'
  EXPECT_EQ(DecodeUtf8("Août"), std::u32string(U"Août"));
}

TEST(TextTables, TextsReadAsPrintedInEveryLanguage) {
  using namespace text;
  EXPECT_STREQ(Text(monthNames, 8, 3), "Août");
  EXPECT_STREQ(Text(weekdayNames, 6, 1), "Sá");
  EXPECT_STREQ(Text(menuOperations, 1, 2), "OperaÇões");
  EXPECT_STREQ(Text(languageNames, 3), "FranÇais");
  EXPECT_STREQ(Text(languageNames, 1), "Español");
  EXPECT_STREQ(Text(lblStartMonth, 2), "Mês de início");
  EXPECT_STREQ(Text(lblLastYear, 3), "L'année dernière");
  EXPECT_STREQ(Text(lblLastMonth, 4), "Im vergangenen Monat");
  EXPECT_STREQ(Text(lblSaveSettings, 5), "Save Settings");
  EXPECT_STREQ(Text(lblStartYear, 6), "Inizío anno");
  EXPECT_STREQ(Text(ttlMessageBox, 1), "Programador");
  EXPECT_STREQ(Text(ttlMessageBox, 5), "Programmer");
  EXPECT_STREQ(Text(msgFileDeleted, 2), "Arquivo excluído");
  EXPECT_STREQ(Text(msgBitmapSaved, 1), "Fichero grabado a bitmap");
  EXPECT_STREQ(Text(ttlFileOperation, 2), "OperaÇão de arquivo");
  EXPECT_STREQ(Text(msgFileNameRequired, 4), "Müssen Sie einen Dateinamen schreiben");
  EXPECT_STREQ(Text(ttlFavouriteColours, 3), "Vos couleurs préférées les charger et de les enregistrer");
  EXPECT_STREQ(Text(lblReset, 4), "Rücksetzen");
  EXPECT_STREQ(Text(lblSelectedColour, 6), "Colore selezionato");
  EXPECT_STREQ(Text(msgSaveBeforeExit, 4), "Um Änderungen nicht zuvor speichern ?");
  EXPECT_STREQ(Text(msgColoursFiled, 2), "Minhas cores preferidas são arquivados");
  EXPECT_STREQ(Text(msgSelectionError, 1, 6), "È necessario selezionare tutti i controlli");
  EXPECT_STREQ(Text(msgSelectionError, 2, 4), "Oder Monate nicht überschreiten");
  EXPECT_STREQ(Text(shapeNames, 1, 3), "carré");
  EXPECT_STREQ(Text(shapeNames, 2, 1), "círculo");
  EXPECT_STREQ(Text(monthNames, 3, 2), "MarÇo");
  EXPECT_STREQ(Text(monthNames, 12, 3), "Décembre");
  EXPECT_STREQ(Text(weekdayNames, 4, 6), "Gi");
  EXPECT_STREQ(Text(weekdayNames, 7, 5), "Su");
  EXPECT_STREQ(Text(menuOperations, 1, 4), "Geschäftstätigkeit");
  EXPECT_STREQ(Text(menuOperations, 6, 2), "Eliminar as definiÇões");
  EXPECT_STREQ(Text(menuOperations, 5, 5), "");  // not assigned
  EXPECT_STREQ(Text(menuColours, 2, 3), "Mes couleurs préférées");
  EXPECT_STREQ(Text(msgAuthor, 1, 3), "Programme exécuté par :");
  EXPECT_STREQ(Text(msgAuthor, 2, 1), "Visitame en :");
  EXPECT_STREQ(Text(msgResetConfirm, 1, 1), "Realmente desea RESETEAR ?");
  EXPECT_STREQ(Text(msgResetConfirm, 2, 2), "Todas as suas cores favoritas serão perdidos");
  // The menu item and the colour dialog's button are separate entries that read the same.
  EXPECT_STREQ(Text(menuOperations, 8, 5), "Get out");
  EXPECT_STREQ(Text(lblGetOut, 5), "Get out");
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
