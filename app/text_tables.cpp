#include "app/text_tables.h"

#include "platform/application.h"

namespace kalvor {

namespace text {
const LanguageRow languageNames = {"Español", "Portugues", "FranÇais", "Deutsch", "English", "Italiano"};
}  // namespace text

namespace {
struct MaxMonthsHalves {
  const char* before;
  const char* after;
};
constexpr std::array<MaxMonthsHalves, kLanguageCount> kMaxMonthsHalves = {{
    {"El número máximo de meses posibles es ", ""},
    {"O número máximo de ", " meses é"},
    {"Le nombre maximum de ", " mois est"},
    {"Die maximale Anzahl von Monaten ", ""},
    {"The maximum number of months is ", ""},
    {"Il numero massimo di mesi ", ""},
}};

// How each language puts weekday, day, month and year together.
struct DateWords {
  const char* afterDay;    // between the day number and the month
  const char* afterMonth;  // between the month and the year
};
constexpr std::array<DateWords, kLanguageCount> kDateWords = {{
    {" de ", " de "},
    {" de ", " de "},
    {" ", " "},
    {". ", " "},
    {" ", " "},
    {" ", " "},
}};
}  // namespace

int SafeLanguage(int languageIndex) {
  return languageIndex >= 1 && languageIndex <= kLanguageCount ? languageIndex : 1;
}

const char* Text(const LanguageRow& row, int languageIndex) { return row[SafeLanguage(languageIndex) - 1]; }

std::string lblMaxMonths(int languageIndex) {
  const MaxMonthsHalves& halves = kMaxMonthsHalves[SafeLanguage(languageIndex) - 1];
  return std::string(halves.before) + std::to_string(MaxMonths) + halves.after;
}

const char* LanguageCode(int languageIndex) {
  static constexpr LanguageRow kCodes = {"es", "pt", "fr", "de", "en", "it"};
  return Text(kCodes, languageIndex);
}

void SpeakLanguage(int languageIndex) {
  platform::SetToolkitLanguage(LanguageCode(languageIndex));
}

std::string FullDate(int year, int month, int day, int languageIndex) {
  const DateWords& words = kDateWords[SafeLanguage(languageIndex) - 1];
  return std::string(Text(text::weekdayFullNames, WeekdayOf(year, month, day), languageIndex)) + " " +
         std::to_string(day) + words.afterDay + Text(text::monthNamesInDates, month, languageIndex) +
         words.afterMonth + std::to_string(year);
}

int yearTable(int yearIndex) {
  return yearIndex >= 1 && yearIndex <= kYearCount ? kFirstYear + yearIndex - 1 : 0;
}

}  // namespace kalvor
