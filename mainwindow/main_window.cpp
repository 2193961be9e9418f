// Placeholder until the main window lands.
#include "mainwindow/main_window.h"

namespace kalvor {
int OpenMainWindow(Program&) { return 0; }
}  // namespace kalvor
