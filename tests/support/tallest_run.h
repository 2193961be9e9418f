// The run the tests and benchmarks draw most: December 2000 to July 2002, 20 months in 23 rows (two
// year rows inside it), square days.
#pragma once

#include <cstdint>

#include "settings/settings.h"

namespace kalvor::testing {

constexpr std::int32_t kTallestRunId = 765432;

inline Settings TallestRun(int languageIndex = 5) {
  Settings settings;
  settings.startMonth = 12;
  settings.lastMonth = 7;
  settings.startYearIndex = 1;
  settings.lastYearIndex = 3;
  settings.dayShape = kSquareShape;
  settings.monthCount = 20;
  settings.languageIndex = languageIndex;
  settings.settingsId = kTallestRunId;
  return settings;
}

}  // namespace kalvor::testing
