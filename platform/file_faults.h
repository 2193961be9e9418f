// Failures injected into the files layer, for the error numbers a test cannot make the machine
// produce, and for a process that dies in the middle of a replacement. The program itself never calls
// this.
#pragma once

#include <functional>

#include "platform/files.h"

namespace platform::testing {

// Makes the next `count` calls of ReplaceWholeFile fail with `errorNumber` at `stage`, leaving every
// file untouched. A count of 0 clears a pending injection.
void InjectReplaceFailure(int errorNumber, ReplaceStage stage, int count = 1);

// Calls `stop` in every replacement once the temporary file is complete and before it is moved into
// place: a test ends the process there, as a crash or a power cut would. An empty function removes it.
void InjectStopBeforeMove(std::function<void()> stop);

}  // namespace platform::testing
