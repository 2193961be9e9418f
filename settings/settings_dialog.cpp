// Placeholder until the settings dialog lands.
#include "settings/settings_dialog.h"

namespace kalvor {
void ShowSettingsDialog(Program&) {}
bool ValidateMonthRange(int, int, int, int, int&) { return true; }
}  // namespace kalvor
