#include "platform/window.h"

namespace platform {

void FocusMemory::OnActivate(Window& window, bool active) {
  if (!active) {
    focusedControl_ = window.FocusedControl();
  } else if (focusedControl_ != 0) {
    window.SetFocus(focusedControl_);
    focusedControl_ = 0;
  }
}

}  // namespace platform
