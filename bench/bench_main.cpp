// The benchmarks draw text, so the toolkit is started first (offscreen: no display needed).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "platform/application.h"

int main(int argc, char** argv) {
  // putenv, not setenv: the Windows build's C library has only putenv.
  static char offscreen[] = "QT_QPA_PLATFORM=offscreen";
  if (getenv("QT_QPA_PLATFORM") == nullptr) putenv(offscreen);
  platform::Application application;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
