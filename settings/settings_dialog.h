// The first-run dialog: language, period, day shape and whether to keep them.
#pragma once

#include "app/program.h"

namespace kalvor {

// Runs the dialog; on a valid Accept it ends itself and runs the main window before returning.
void ShowSettingsDialog(Program& program);

// False when the period is acceptable (sets monthCount), true when it is refused.
bool ValidateMonthRange(int startMonth, int startYearIndex, int lastMonth, int lastYearIndex, int& monthCount);

}  // namespace kalvor
