// The favourite-colours palette, from which the mark colour is picked.
#pragma once

#include "app/program.h"

namespace kalvor {

// The dialog's controls.
constexpr int kPaletteViewId = 31001;
constexpr int kFileButtonId = 31002;
constexpr int kGetOutButtonId = 31003;
constexpr int kResetButtonId = 31004;
constexpr int kSelectedColourViewId = 31005;

// Runs the dialog until Get out; clears program.colourDialogOpen when it ends.
void ShowColourDialog(Program& program);

}  // namespace kalvor
