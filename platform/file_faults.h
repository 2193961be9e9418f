// Failures injected into the steps of the files layer, for the error numbers a test cannot make the
// machine produce, and for a process that dies in the middle of a replacement. Only test programs
// link this (library kalvor_file_faults, in place of platform/native_steps.cpp); the program has none
// of it.
#pragma once

#include <functional>
#include <string>

#include "platform/files.h"

namespace platform::testing {

// The steps of reading and replacing a file that can be made to fail.
enum class FileStep {
  kOpenForReading,
  kRead,
  kCreate,  // the new temporary file of a replacement
  kWrite,
  kFinish,  // the flush and close of the new file
  kMove,    // the move of the new file over the old one
};

// Makes the next `count` calls of `step` fail with `errorNumber` before the system is asked, so the
// files stay as they were. A count of 0 clears a pending injection of that step.
void InjectFileFailure(FileStep step, int errorNumber, int count = 1);

// Makes the next `count` openings for reading of files named `fileName` (in any folder) fail with
// `errorNumber`, as a file held by another program or barred to the user does. A count of 0 clears it.
void InjectReadFailure(const std::string& fileName, int errorNumber, int count);

// Makes the next `count` replacements fail with `errorNumber` at `stage` (kCreate: the temporary file
// cannot be made; kWrite: its content cannot be written). kNone or a count of 0 clears every injected
// failure of every step.
void InjectReplaceFailure(int errorNumber, ReplaceStage stage, int count = 1);

// Calls `stop` in every replacement once the temporary file is complete and before it is moved into
// place: a test ends the process there, as a crash or a power cut would. An empty function removes it.
void InjectStopBeforeMove(std::function<void()> stop);

}  // namespace platform::testing
