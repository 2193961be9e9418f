#include "tests/support/toolkit_environment.h"

#include <stdlib.h>

namespace kalvor::testing {

void PrepareToolkitEnvironment() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

bool UnderWine() {
  return false;
}

}  // namespace kalvor::testing
