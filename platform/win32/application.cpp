// The Win32 application: the common controls registered once, before any window.
#include "platform/application.h"

#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

namespace platform {

struct Application::Impl {};

Application::Application() : impl_(std::make_unique<Impl>()) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
}

Application::~Application() = default;

// The common dialogs and the system's menus speak the language of the user's Windows.
bool SetToolkitLanguage(const std::string& /*code*/) {
  return false;
}

}  // namespace platform
