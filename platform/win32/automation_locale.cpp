#include <windows.h>

#include "platform/automation.h"
#include "platform/windows/unicode.h"

namespace platform::automation {

namespace {
// The system's locale data for the name, one item of it; nullopt when it has none.
std::optional<std::string> LocaleText(const std::string& locale, LCTYPE item) {
  const std::wstring name = windows::Widen(locale);
  wchar_t text[128];
  const int length = GetLocaleInfoEx(name.c_str(), item, text, static_cast<int>(std::size(text)));
  if (length <= 1) return std::nullopt;
  return windows::Narrow(text, length - 1);
}
}  // namespace

// LOCALE_SDAYNAME1 is Monday; the month names are those that stand in a date.
std::optional<std::string> SystemWeekdayName(const std::string& locale, int weekday) {
  if (weekday < 1 || weekday > 7) return std::nullopt;
  return LocaleText(locale, static_cast<LCTYPE>(LOCALE_SDAYNAME1 + weekday - 1));
}

std::optional<std::string> SystemMonthName(const std::string& locale, int month) {
  if (month < 1 || month > 12) return std::nullopt;
  return LocaleText(locale, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month - 1));
}

}  // namespace platform::automation
