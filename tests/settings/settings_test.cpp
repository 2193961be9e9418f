#include "settings/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace kalvor {
namespace {

// March to August 2024, circle, English.
Settings Example() {
  return Settings{3, 8, 25, 25, 2, 6, 5, 111111};
}

struct Damage {
  const char* what;
  std::function<void(Settings&)> apply;
};

TEST(SettingsInRange, AcceptsEveryPeriodTheDialogCanProduce) {
  EXPECT_TRUE(SettingsInRange(Example()));
  EXPECT_TRUE(SettingsInRange(Settings{1, 1, 1, 1, 1, 1, 1, 0}));           // January 2000 alone
  EXPECT_TRUE(SettingsInRange(Settings{12, 12, 51, 51, 2, 1, 6, 999999}));  // December 2050 alone
  EXPECT_TRUE(SettingsInRange(Settings{5, 12, 50, 51, 1, 20, 4, 500000}));  // twenty months over a new year
}

TEST(SettingsInRange, RefusesEveryValueOutsideItsRange) {
  const std::vector<Damage> damages = {
      {"startMonth 0", [](Settings& s) { s.startMonth = 0; }},
      {"startMonth 13", [](Settings& s) { s.startMonth = 13; }},
      {"lastMonth 0", [](Settings& s) { s.lastMonth = 0; }},
      {"lastMonth 13", [](Settings& s) { s.lastMonth = 13; }},
      {"startYearIndex 0", [](Settings& s) { s.startYearIndex = 0; }},
      {"startYearIndex 52", [](Settings& s) { s.startYearIndex = s.lastYearIndex = 52; }},
      {"lastYearIndex 52", [](Settings& s) { s.lastYearIndex = 52; }},
      {"dayShape 0", [](Settings& s) { s.dayShape = 0; }},
      {"dayShape 3", [](Settings& s) { s.dayShape = 3; }},
      {"monthCount 0", [](Settings& s) { s.monthCount = 0; }},
      {"monthCount 21", [](Settings& s) { s.monthCount = 21; }},
      {"languageIndex 0", [](Settings& s) { s.languageIndex = 0; }},
      {"languageIndex 7", [](Settings& s) { s.languageIndex = 7; }},
      {"extremes",
       [](Settings& s) { s = Settings{INT_MIN, INT_MAX, INT_MAX, INT_MIN, -1, INT_MAX, INT_MIN, 0}; }},
  };
  for (const Damage& damage : damages) {
    Settings settings = Example();
    damage.apply(settings);
    EXPECT_FALSE(SettingsInRange(settings)) << damage.what;
  }
  EXPECT_FALSE(SettingsInRange(Settings{}));
}

TEST(SettingsInRange, RefusesAMonthCountThatDisagreesWithThePeriod) {
  Settings settings = Example();
  settings.monthCount = 5;
  EXPECT_FALSE(SettingsInRange(settings));
  settings = Example();
  settings.startMonth = 9;  // last before start
  settings.monthCount = 1;
  EXPECT_FALSE(SettingsInRange(settings));
  // Twenty-one months: each value in range, the period not.
  EXPECT_FALSE(SettingsInRange(Settings{1, 9, 1, 2, 1, 20, 1, 0}));
}

}  // namespace
}  // namespace kalvor
