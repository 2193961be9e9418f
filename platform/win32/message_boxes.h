// The program's message boxes while they are open, for automation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace platform::win32 {

struct OpenBox {
  HWND handle = nullptr;
  std::string text;  // as the program gave it, line breaks included
};

// The message box shown most recently that is still open; nullptr when none.
const OpenBox* NewestOpenBox();

}  // namespace platform::win32
