// The colour chooser while it is open, for automation.
#pragma once

#include <windows.h>

#include "platform/image.h"

namespace platform::win32 {

struct OpenChooser {
  HWND handle = nullptr;
  Colour initial = 0;  // the colour it was opened with
};

// The open colour chooser; nullptr when none.
const OpenChooser* OpenColourChooserDialog();

}  // namespace platform::win32
