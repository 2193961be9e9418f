// An open file on Windows.
#pragma once

#include <windows.h>

namespace platform::native {

struct File {
  HANDLE handle = INVALID_HANDLE_VALUE;
};

}  // namespace platform::native
