// The favourite-colours palette, from which the mark colour is picked.
#pragma once

#include "app/program.h"

namespace kalvor {

// Runs the dialog until Get out; clears program.colourDialogOpen when it ends.
void ShowColourDialog(Program& program);

}  // namespace kalvor
