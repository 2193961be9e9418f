// Failures injected into the files layer, for the error numbers a test cannot make the machine
// produce. The program itself never calls this.
#pragma once

#include "platform/files.h"

namespace platform::testing {

// Makes the next `count` calls of ReplaceWholeFile fail with `errorNumber` at `stage`, leaving every
// file untouched. A count of 0 clears a pending injection.
void InjectReplaceFailure(int errorNumber, ReplaceStage stage, int count = 1);

}  // namespace platform::testing
