// Linux only: any command as another process beside the test.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/processes.h"

namespace kalvor::testing {

// Starts `command` (looked up on the PATH) in `workingFolder` ("" for this one's) with this process's
// environment and, with `childValues`, what marks a run of this test program as a child of the test
// (InTestChild, ChildValue).
Process StartCommand(const std::vector<std::string>& command,
                     const std::optional<std::map<std::string, std::string>>& childValues,
                     const std::string& workingFolder);

// This test program's own file and the argument that runs the current test only.
std::string ThisTestProgram();
std::string CurrentTestOnly();

}  // namespace kalvor::testing
