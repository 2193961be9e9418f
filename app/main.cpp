#include "app/startup.h"
#include "platform/application.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  platform::Application application(argc, argv);
  return kalvor::RunKalvor(platform::ExecutableFolder());
}
