// How a Windows error (GetLastError) becomes one of the program's numbered file errors.
#pragma once

namespace platform::windows {

// The FileError number for a system error code; anything unforeseen is 75, "Path/file access error".
int FileErrorFromSystemError(unsigned long systemError);

}  // namespace platform::windows
