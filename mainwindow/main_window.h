// The calendar window with its menus.
#pragma once

#include "app/program.h"

namespace kalvor {

// Creates, shows and runs the main window until Get out; returns its end value.
int OpenMainWindow(Program& program);

}  // namespace kalvor
