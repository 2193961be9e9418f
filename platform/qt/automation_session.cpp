#include "platform/automation.h"

#include <stdlib.h>

namespace platform::automation {

void PrepareTestSession() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

bool UnderWine() {
  return false;
}

}  // namespace platform::automation
