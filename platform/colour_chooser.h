// The standard colour chooser, fully opened, with sixteen custom colours the caller keeps.
#pragma once

#include <array>

#include "platform/image.h"

namespace platform {

class Window;

// Opens the chooser over `owner` (which it blocks, and no other window) with its top-left corner at
// screen position (x, y) in the program's pixels (as Window::ScreenX gives them). Returns true and sets `chosen` when the user confirms a colour. The custom
// colours are shown and any change to them is written back.
bool ChooseColour(Window& owner, int x, int y, Colour initial, std::array<Colour, 16>& customColours,
                  Colour& chosen);

}  // namespace platform
