// The start of a run: the settings dialog on a first run, the calendar otherwise.
#pragma once

#include <string>

namespace kalvor {

// Runs the whole program with its data files in `programFolder` (ending in the path separator) and
// returns the exit code, 0 in every case.
int RunKalvor(const std::string& programFolder);

}  // namespace kalvor
