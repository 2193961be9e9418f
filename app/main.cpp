#include "app/startup.h"
#include "platform/application.h"
#include "platform/files.h"

// Kalvor takes nothing from its command line.
int main() {
  platform::Application application;
  return kalvor::RunKalvor(platform::ExecutableFolder());
}
