// The benchmarks draw text, so the toolkit is started first (offscreen: no display needed).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "platform/application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  platform::Application application;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
