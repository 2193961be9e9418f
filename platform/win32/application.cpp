// The Win32 application: the common controls registered once, before any window, and the thread in a
// single-threaded COM apartment, so that screen readers in other processes can call the accessible
// objects of its views (their calls arrive as messages that every window loop dispatches).
#include "platform/application.h"

#include <windows.h>
// needs windows.h before it
#include <commctrl.h>
#include <objbase.h>

namespace platform {

struct Application::Impl {
  bool comReady = false;
};

Application::Application() : impl_(std::make_unique<Impl>()) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  impl_->comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Application::~Application() {
  if (impl_->comReady) CoUninitialize();
}

// The common dialogs and the system's menus speak the language of the user's Windows.
bool SetToolkitLanguage(const std::string& /*code*/) {
  return false;
}

}  // namespace platform
