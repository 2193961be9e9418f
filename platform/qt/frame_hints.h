// What a window asks the window manager for: the frame buttons the program names, and nothing more.
#pragma once

#include <QWidget>

namespace platform::qt {

struct FrameButtons {
  bool minimise = false;
  bool close = false;  // with the window menu that holds it
};

// Asks for a title bar and border with exactly these buttons and no resizing. Call before the window is
// first shown; where the windowing system knows no such request (off screen), it does nothing.
void AskForFrame(QWidget& window, FrameButtons buttons);

}  // namespace platform::qt
