// Where the running program lies: every data file is kept beside it.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The folder of the running executable, ending in the path separator; nullopt when the system cannot
// say (no /proc, a path longer than the system hands out). Never a guess: the working folder is no
// stand-in for the program's own.
std::optional<std::string> ExecutableFolder();

}  // namespace platform
