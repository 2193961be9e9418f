// Every test program starts the toolkit once, on the offscreen platform unless told otherwise, then
// runs its tests. Test discovery runs this too, so it must not need a display.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  platform::Application application;
  return RUN_ALL_TESTS();
}
