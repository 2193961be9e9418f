#include <windows.h>

#include "platform/automation.h"
#include "platform/win32/win32_window.h"

namespace platform::automation {

bool IsActive(const Window& window) {
  return GetActiveWindow() == win32::AsWin32(window).Handle();
}

}  // namespace platform::automation
