#include "platform/automation.h"
#include "platform/qt/qt_window.h"

namespace platform::automation {

bool IsActive(const Window& window) {
  return qt::AsQt(window).Widget().isActiveWindow();
}

}  // namespace platform::automation
