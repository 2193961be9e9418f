// The first-run dialog: language, period, day shape and whether to keep them.
#pragma once

#include "app/program.h"

namespace kalvor {

// The dialog's controls, in creation order.
constexpr int kLanguagesLabel = 1001;
constexpr int kLanguageChooser = 1003;
constexpr int kStartMonthLabel = 1005;
constexpr int kStartMonthList = 1006;
constexpr int kStartYearList = 1007;
constexpr int kStartYearLabel = 1008;
constexpr int kLastMonthList = 1009;
constexpr int kLastMonthLabel = 1010;
constexpr int kLastYearList = 1011;
constexpr int kLastYearLabel = 1012;
constexpr int kMaxMonthsLabel = 1013;
constexpr int kDayShapeList = 1014;
constexpr int kDayShapesLabel = 1015;
constexpr int kSaveSettingsBox = 1016;
constexpr int kCancelButton = 1017;
constexpr int kAcceptButton = 1018;

// Runs the dialog; on a valid Accept it ends itself and runs the main window before returning.
void ShowSettingsDialog(Program& program);

// False when the period is acceptable (sets monthCount), true when it is refused.
bool ValidateMonthRange(int startMonth, int startYearIndex, int lastMonth, int lastYearIndex,
                        int& monthCount);

}  // namespace kalvor
