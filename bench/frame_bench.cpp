// The cost of one whole frame of the title scene: input, update, sound,
// clearing, drawing and presenting. The frame wait itself is excluded by
// running on the virtual clock.
#include <benchmark/benchmark.h>

#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "game/main_loop.h"

namespace {

void BM_TitleFrame(benchmark::State& state) {
  SetGraphMode(640, 480, 32, 60);
  if (GameLib_Init() != 0) {
    state.SkipWithError(GameLib_GetLastError());
    return;
  }
  SetTransColor(255, 0, 255);
  SetDrawMode(DX_DRAWMODE_BILINEAR);
  gamelib_test::UseVirtualClock(true, 0);
  InitGlobals();
  for (auto _ : state) {
    RunFrame();
  }
  ReleaseGlobals();
  gamelib_test::UseVirtualClock(false);
  GameLib_End();
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
