// Every test program starts the toolkit once (on the offscreen platform under CTest), then runs its tests.
#include <gtest/gtest.h>

#include "platform/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  platform::Application application(argc, argv);
  return RUN_ALL_TESTS();
}
