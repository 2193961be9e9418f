// How an operating-system error becomes one of the program's numbered file errors.
#pragma once

namespace platform {

// The FileError number for an errno value; anything unforeseen is 75, "Path/file access error".
int FileErrorFromErrno(int errnoValue);

}  // namespace platform
