#include <benchmark/benchmark.h>

#include "runtime/gamelib/gamelib.h"

int main(int argc, char** argv) {
  gamelib_test::UseHeadlessDrivers();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
