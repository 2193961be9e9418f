#include <QLocale>

#include "platform/automation.h"

namespace platform::automation {

namespace {
// The toolkit's copy of the Unicode locale data; C when it has none for the name.
std::optional<QLocale> LocaleNamed(const std::string& name) {
  const QLocale locale(QString::fromStdString(name));
  if (locale.language() == QLocale::C) return std::nullopt;
  return locale;
}
}  // namespace

std::optional<std::string> SystemWeekdayName(const std::string& locale, int weekday) {
  const std::optional<QLocale> data = LocaleNamed(locale);
  if (!data || weekday < 1 || weekday > 7) return std::nullopt;
  return data->dayName(weekday, QLocale::LongFormat).toStdString();  // 1 is Monday there too
}

std::optional<std::string> SystemMonthName(const std::string& locale, int month) {
  const std::optional<QLocale> data = LocaleNamed(locale);
  if (!data || month < 1 || month > 12) return std::nullopt;
  return data->monthName(month, QLocale::LongFormat).toStdString();
}

}  // namespace platform::automation
