// The program's texts in its six languages, looked up by languageIndex (1 Spanish, 2 Portuguese,
// 3 French, 4 German, 5 English, 6 Italian).
#pragma once

#include <array>
#include <string>

#include "calendar/calendar_math.h"

namespace kalvor {

constexpr int kLanguageCount = 6;
constexpr int MaxMonths = 20;  // the most months one calendar shows
constexpr int kFirstYear = 2000;
constexpr int kYearCount = 51;  // 2000 to 2050

using LanguageRow = std::array<const char*, kLanguageCount>;

namespace text {
extern const LanguageRow lblLanguages;
extern const LanguageRow lblStartMonth;
extern const LanguageRow lblStartYear;
extern const LanguageRow lblLastMonth;
extern const LanguageRow lblLastYear;
extern const LanguageRow lblDayShapes;
extern const LanguageRow lblSaveSettings;
extern const LanguageRow lblCancel;
extern const LanguageRow lblAccept;
extern const LanguageRow ttlMessageBox;
extern const LanguageRow msgBitmapSaved;
extern const LanguageRow msgFileDeleted;
extern const LanguageRow ttlFileOperation;
extern const LanguageRow lblNameWithoutExtension;
extern const LanguageRow msgFileNameRequired;
extern const LanguageRow ttlFavouriteColours;
extern const LanguageRow lblFile;
extern const LanguageRow lblGetOut;
extern const LanguageRow lblReset;
extern const LanguageRow lblSelectedColour;
extern const LanguageRow msgSaveBeforeExit;
extern const LanguageRow msgColoursFiled;
extern const std::array<LanguageRow, 2> msgSelectionError;
extern const std::array<LanguageRow, 2> shapeNames;
extern const std::array<LanguageRow, kMonthsPerYear> monthNames;
extern const std::array<LanguageRow, 7> weekdayNames;      // 1 = Monday
extern const std::array<LanguageRow, 7> weekdayFullNames;  // 1 = Monday
extern const std::array<LanguageRow, kMonthsPerYear> monthNamesInDates;
extern const std::array<LanguageRow, 8> menuOperations;  // row 5 is not assigned
extern const std::array<LanguageRow, 2> menuColours;
extern const std::array<LanguageRow, 2> msgAuthor;
extern const std::array<LanguageRow, 2> msgResetConfirm;

// The language chooser's items, the same in every language.
extern const LanguageRow languageNames;
}  // namespace text

// A language index outside 1..6 (only a damaged settings file could give one) reads as Spanish.
int SafeLanguage(int languageIndex);

// name(L)
const char* Text(const LanguageRow& row, int languageIndex);
// name(row, L), rows counted from 1; a row outside the table gives "".
template <std::size_t N>
const char* Text(const std::array<LanguageRow, N>& table, int row, int languageIndex) {
  if (row < 1 || row > static_cast<int>(N)) return "";
  return Text(table[row - 1], languageIndex);
}

// "The maximum number of months is 20", put together from its two halves and MaxMonths.
std::string lblMaxMonths(int languageIndex);

// The language's ISO 639-1 code ("es" for 1 Spanish ... "it" for 6 Italian).
const char* LanguageCode(int languageIndex);
// Has the toolkit speak the program's language in its own texts (the colour chooser, a text box's menu).
void SpeakLanguage(int languageIndex);
// The date as a screen reader reads it in the language: "Sunday 7 January 2001",
// "domingo 7 de enero de 2001". The month must be 1..12 and the day one it has.
std::string FullDate(int year, int month, int day, int languageIndex);

// yearTable(index): index 1 = 2000 up to 51 = 2050; 0 outside 1..51.
int yearTable(int yearIndex);

}  // namespace kalvor
