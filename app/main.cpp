#include "app/startup.h"
#include "platform/application.h"
#include "platform/executable_folder.h"

// Kalvor takes nothing from its command line.
int main() {
  platform::Application application;
  return kalvor::RunKalvor(platform::ExecutableFolder());
}
