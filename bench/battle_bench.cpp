// Battle costs on stage 7, the busiest castle (and the start of stage 5, the
// largest map): the danger zone the player
// may display (every enemy's move and search ranges), one whole battle
// frame, update and draw, the heaviest frame of an attack, an enemy's
// thinking at its worst and a whole enemy phase.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/stage.h"
#include "battle/stage_strategies.h"
#include "battle/unit_action.h"
#include "combat/attack_area.h"
#include "combat/effect.h"
#include "combat/floating_text.h"
#include "combat/skill_table.h"
#include "core/map_grid.h"
#include "core/random.h"
#include "field/attack_types.h"
#include "field/stage_data.h"
#include "field/traverse.h"
#include "field/unit.h"
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
  gameRandom = std::make_unique<CRandom>(1);
  effectRandom = std::make_unique<CRandom>(1);
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

void BM_DangerZoneStage7(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  Battle battle(7);
  size_t cells = 0;
  for (auto _ : state) {
    // Exactly what browsing computes when the player shows the zone.
    const SDangerZone zone = GetDangerZone(*battle.stage);
    cells = zone.move.size() + zone.sight.size();
    benchmark::DoNotOptimize(cells);
  }
  state.counters["cells"] = static_cast<double>(cells);
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
}
BENCHMARK(BM_BattleFrameStage7)->Unit(benchmark::kMicrosecond);

// A battle's start, the heaviest frame of a campaign: the map read from its
// file and built, the units placed, the opening music started, and the
// battle left again.
void BM_BattleStartStage5(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  for (auto _ : state) {
    Battle battle(5);
    benchmark::DoNotOptimize(battle.stage.get());
  }
}
BENCHMARK(BM_BattleStartStage5)->Unit(benchmark::kMicrosecond);

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
}
BENCHMARK(BM_BattleFrameStage7GameWork)->Unit(benchmark::kMicrosecond);

// The act frame after the one that looses the arrows (13): every arrow is
// out, and the nearest needs some twenty frames more to reach its grid.
constexpr int kArrowsOutAfter = 14;
// Frames measured before the shower is played again: the shot-hit sparks
// live only 8 updates and must still be there.
constexpr int kFramesPerShower = 6;

// Plays the archer's arrow shower from the start again, as the battle would
// after the command: a fresh action, the act stepped until the arrows fly,
// then the numbers, words and sparkles of earlier hits over the fan.
void StartArrowShower(CStage& stage, CUnit& archer, const std::vector<SPoint>& fan) {
  stage.effects.clear();
  auto action = std::make_unique<CStageStrategy_UnitAction>(stage);
  action->AddActionInfo(std::make_unique<CUnitActionInfo_Attack>(*action, EAttackActType::ARROW_SHOWER, archer, fan,
                                                                 ESkill::ARROW_SHOWER));
  // The last shower's action retires here and takes its arrows with it.
  stage.SetStrategy(std::move(action));
  for (int i = 0; i < kArrowsOutAfter; ++i) stage.Update();

  constexpr int kDamage[] = {37, 128, 64, 9, 211};
  constexpr EEffectType kSparkles[] = {EEffectType::SHOT_HIT, EEffectType::HEAL, EEffectType::POISON,
                                       EEffectType::SPEED_BLUE, EEffectType::SPEED_RED};
  for (std::size_t i = 0; i < fan.size(); ++i) {
    const SPointD at = GridToPixel(fan[i]);
    for (auto& digit : ShowDamageNumber(kDamage[i % 5], stage, at, 0.0, 2.0)) stage.AddEffect(std::move(digit));
    stage.AddEffect(CEffectCreator::Create(stage, kSparkles[i % 5], at, 0.0, 0.0));
  }
  const SPointD over = GridToPixel(archer.grid);
  stage.AddEffect(ShowStatusText(stage, EExtState::CONCENTRATE, over));
  stage.AddEffect(ShowStatusText(stage, EExtState::MOVE_DOWN, GridToPixel(fan[fan.size() / 2])));
}

// The heaviest frame of the attack code, the game's own work as above: the
// archer's arrow shower on stage 7 with all five arrows in flight, while five
// damage numbers, five sparkles and two status words rise over the map.
void BM_BattleFrameStage7ArrowShower(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  Battle battle(7);
  CStage& stage = *battle.stage;
  CUnit& archer = *battle.party[2];
  // From the archer's start the fan aimed north lies wholly on open floor.
  archer.SetDirection(EDirection4::UP);
  const std::vector<SPoint> fan = GetAttackArea(true, GetSkillInfo(ESkill::ARROW_SHOWER).area,
                                                archer.grid + SPoint(0, -1), archer.grid, stage);
  if (!archer.actor || fan.size() != 5) {
    state.SkipWithError("the archer's arrow shower does not fit on stage 7");
    return;
  }
  gamelib_test::SetRasterising(false);
  std::size_t fewestBullets = std::numeric_limits<std::size_t>::max();
  std::size_t fewestEffects = fewestBullets;
  int frame = kFramesPerShower;
  for (auto _ : state) {
    if (frame == kFramesPerShower) {
      state.PauseTiming();
      StartArrowShower(stage, archer, fan);
      frame = 0;
      state.ResumeTiming();
    }
    stage.Update();
    stage.Draw();
    ++frame;
    fewestBullets = std::min(fewestBullets, stage.bullets.size());
    fewestEffects = std::min(fewestEffects, stage.effects.size());
  }
  gamelib_test::SetRasterising(true);
  state.counters["bullets"] = static_cast<double>(fewestBullets);
  state.counters["effects"] = static_cast<double>(fewestEffects);
}
BENCHMARK(BM_BattleFrameStage7ArrowShower)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The AI scores every target with the hit rate, which writes a trace line
// each time; the benchmarks send standard output away while they run.
class CQuietStdout {
 public:
  CQuietStdout() : saved(dup(STDOUT_FILENO)) {
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~CQuietStdout() {
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
  }
  CQuietStdout(const CQuietStdout&) = delete;
  CQuietStdout& operator=(const CQuietStdout&) = delete;

 private:
  int saved;
};

// The widest search range any placement gives.
int LargestSearchRange() {
  int largest = 0;
  for (int s = 0; s < STAGE_COUNT; ++s) {
    for (const CEnemyInfo& e : GetStageData(s).enemies) largest = std::max(largest, e.searchRange);
  }
  return largest;
}

}  // namespace

// One Think() at its worst: stage 7's widest-looking enemy given the
// widest search range of any placement, the whole party standing within
// its walk so that every member is a target with many attack cells.
void BM_ThinkWorstCase(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  Battle battle(7);
  CStage& stage = *battle.stage;
  CUnit* thinker = nullptr;
  for (CUnit* u : stage.state.units) {
    if (u->team == 1 && u->ai && (!thinker || u->ai->searchRange > thinker->ai->searchRange)) thinker = u;
  }
  if (!thinker) {
    state.SkipWithError("stage 7 has no thinking enemy");
    return;
  }
  thinker->ai->searchRange = LargestSearchRange();
  const CTraverseInfo near = GetTraverseInfo(stage, thinker->grid, thinker->GetMove() + 1, false, false, 0);
  std::size_t placed = 0;
  for (auto it = near.grids.rbegin(); it != near.grids.rend() && placed < battle.party.size(); ++it) {
    if (!stage.GetUnitsAt(it->grid).empty()) continue;
    CUnit& member = *battle.party[placed++];
    member.grid = it->grid;
    if (member.actor) member.actor->SetGridPosition(it->grid.x, it->grid.y);
  }
  CQuietStdout quiet;
  for (auto _ : state) {
    thinker->mp = thinker->maxMp;
    benchmark::DoNotOptimize(thinker->ai->Think());
    thinker->ai->FinishTurn();
  }
  state.counters["search_range"] = thinker->ai->searchRange;
}
BENCHMARK(BM_ThinkWorstCase)->Unit(benchmark::kMicrosecond);

// Enemy turns on stage 7: twenty turns from the start of the battle, the
// party standing by at once so that nearly every frame is an enemy's
// thinking, walking or striking; every frame played with the rasteriser off.
// Reports the frames and the game's work per frame.
void BM_EnemyTurnsStage7(benchmark::State& state) {
  if (!StartLibrary(state)) return;
  CQuietStdout quiet;
  gamelib_test::SetRasterising(false);
  long frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Battle battle(7);
    CStage& stage = *battle.stage;
    const int lastTurn = stage.state.turnCount + 20;
    state.ResumeTiming();
    for (long played = 0; stage.state.turnCount < lastTurn && played < 200000; ++played, ++frames) {
      stage.Update();
      stage.Draw();
      CUnit& front = *stage.state.units.front();
      auto* browsing = dynamic_cast<CStageStrategy_FreeScroll*>(stage.GetStrategy());
      if (front.team == 0 && browsing && browsing->IsPlayerInputEnabled()) {
        EndTurn(front, stage.state.units, stage.state.turnCount, stage);
      }
    }
  }
  gamelib_test::SetRasterising(true);
  // Frames per battle: frame_pct is the share of one of them.
  state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EnemyTurnsStage7)->Unit(benchmark::kMillisecond)->Iterations(3);
