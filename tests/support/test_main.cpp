// Every test program starts the toolkit once, then runs its tests. Test discovery runs this too, so it
// must not need a display.
#include <gtest/gtest.h>

#include "platform/application.h"
#include "tests/support/test_system.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  kalvor::testing::PrepareTestSession();
  platform::Application application;
  return RUN_ALL_TESTS();
}
