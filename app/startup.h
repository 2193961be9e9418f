// The start of a run: the settings dialog on a first run, the calendar otherwise.
#pragma once

#include <optional>
#include <string>

namespace kalvor {

// The exit code of a start that could not learn where the program lies.
constexpr int kUnknownProgramFolderExitCode = 1;

// Runs the whole program with its data files in `programFolder` (ending in the path separator) and
// returns the exit code: 0, also when a copy already running in that folder was brought to the front
// instead. Without a program folder it says so and ends with kUnknownProgramFolderExitCode, having
// read and written nothing.
int RunKalvor(const std::optional<std::string>& programFolder);

}  // namespace kalvor
