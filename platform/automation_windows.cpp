// Which of the program's windows are open, read from the list every backend keeps alike.
#include "platform/automation.h"
#include "platform/window_base.h"

namespace platform::automation {

Window* ActiveWindow() {
  const auto& windows = OpenWindows();
  return windows.empty() ? nullptr : windows.back();
}

Window* WindowWithCaption(const std::string& caption) {
  const auto& windows = OpenWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (Caption(**it) == caption) return *it;
  }
  return nullptr;
}

std::vector<std::string> OpenWindowCaptions() {
  std::vector<std::string> captions;
  for (const WindowBase* window : OpenWindows()) captions.push_back(Caption(*window));
  return captions;
}

int FocusedControl(const Window& window) {
  return AsBase(window).FocusedControl();
}

void Focus(Window& window, int id) {
  AsBase(window).Focus(id);
}

}  // namespace platform::automation
