#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string_view>

#include "battle/stage.h"
#include "frame_share.h"
#include "runtime/gamelib/gamelib.h"

int main(int argc, char** argv) {
  gamelib_test::UseHeadlessDrivers();
  // Asked for JSON or CSV, the library's own reporter writes it unchanged.
  // The table has colours on a terminal only and its counters in columns
  // only when asked, as the library's own table would.
  bool console = true;
  int options = isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color : benchmark::ConsoleReporter::OO_None;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--benchmark_format=") && arg != "--benchmark_format=console") console = false;
    if (arg == "--benchmark_counters_tabular" || arg == "--benchmark_counters_tabular=true") {
      options |= benchmark::ConsoleReporter::OO_Tabular;
    }
    if (arg == "--benchmark_color=false") options &= ~benchmark::ConsoleReporter::OO_Color;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // The stages the battle benchmarks stand on, once before the table.
  PrintStageSummaries();
  if (console) {
    CFrameShareReporter reporter(static_cast<benchmark::ConsoleReporter::OutputOptions>(options));
    benchmark::RunSpecifiedBenchmarks(&reporter);
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  return 0;
}
