// Battle costs on stage 7, the busiest castle: the danger zone the player
// may display (every enemy's move and search ranges) and one whole battle
// frame, update and draw.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/stage.h"
#include "battle/traverse.h"
#include "battle/unit.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

// The game library and the assets a battle needs, loaded once.
bool StartLibrary(benchmark::State& state) {
  static bool ready = false;
  if (ready) return true;
  SetGraphMode(640, 480, 32, 60);
  if (GameLib_Init() != 0) {
    state.SkipWithError(GameLib_GetLastError());
    return false;
  }
  SetTransColor(255, 0, 255);
  SetDrawMode(DX_DRAWMODE_BILINEAR);
  imageManager = std::make_unique<CImageManager>();
  LoadUnitSprites();
  soundManager = std::make_unique<CSoundManager>(false);
  ready = true;
  return true;
}

struct Battle {
  std::vector<std::unique_ptr<CUnit>> party;
  std::unique_ptr<CStage> stage;

  explicit Battle(int stageNo) {
    std::vector<CUnit*> sortie;
    for (ECharactor c : {ECharactor::KNIGHT, ECharactor::PRIESTESS, ECharactor::ARCHER, ECharactor::SORCERESS,
                         ECharactor::FIGHTER}) {
      party.push_back(std::make_unique<CUnit>(c, 0, SPoint(0, 0)));
      party.back()->InitByCharactor();
      sortie.push_back(party.back().get());
    }
    stage = std::make_unique<CStage>(stageNo, sortie);
  }
};

double FrameShare(const benchmark::State& state) { return static_cast<double>(state.iterations()) * 17e-3; }

void BM_DangerZoneStage7(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  Battle battle(7);
  size_t cells = 0;
  for (auto _ : state) {
    cells = 0;
    for (CUnit* unit : battle.stage->state.units) {
      if (unit->team != 1) continue;
      const CTraverseInfo moves = GetTraverseInfo(*battle.stage, unit->grid, unit->GetMove(), unit->flying, true, 1);
      const int search = unit->ai ? unit->ai->searchRange : 0;
      const CTraverseInfo sight = GetTraverseInfo(*battle.stage, unit->grid, search, unit->flying, false, 1);
      cells += moves.grids.size() + sight.grids.size();
    }
    benchmark::DoNotOptimize(cells);
  }
  state.counters["cells"] = static_cast<double>(cells);
  state.counters["frame_share"] =
      benchmark::Counter(FrameShare(state), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DangerZoneStage7)->Unit(benchmark::kMicrosecond);

void BM_BattleFrameStage7(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  Battle battle(7);
  for (auto _ : state) {
    battle.stage->Update();
    ClsDrawScreen();
    battle.stage->Draw();
    ScreenFlip();
  }
  state.counters["frame_share"] =
      benchmark::Counter(FrameShare(state), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BattleFrameStage7)->Unit(benchmark::kMicrosecond);

// The same frame with the pictures stopped before the renderer and no
// clear or flip: what the game itself spends (logic, draw records, queue,
// library calls) without the rasteriser, which has no GPU to run on here.
void BM_BattleFrameStage7GameWork(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  Battle battle(7);
  gamelib_test::SetRasterising(false);
  for (auto _ : state) {
    battle.stage->Update();
    battle.stage->Draw();
  }
  gamelib_test::SetRasterising(true);
  state.counters["frame_share"] =
      benchmark::Counter(FrameShare(state), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BattleFrameStage7GameWork)->Unit(benchmark::kMicrosecond);

}  // namespace
