// The main loop running real battles: fast forward changes the pace of a
// battle and nothing else.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "battle/announce.h"
#include "battle/real_battle_test.h"
#include "battle/stage.h"
#include "battle/stage_strategies.h"
#include "battle/unit_ai.h"
#include "battle/unit_command.h"
#include "battle/unit_command_ai.h"
#include "field/unit.h"
#include "game/main_loop.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "runtime/fps_timer.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"

namespace {

constexpr long kMaxFrames = 60000;
// Long enough for hits, misses and fallen enemies; a whole battle would take
// minutes under the sanitizers.
constexpr int kTurns = 30;

// A battle fought by the enemies' weapon AI on both sides, frame by frame
// through the main loop, as the current scene.
class CAIBattle {
 public:
  CAIBattle(int stageNo, std::uint32_t seed) {
    gameRandom = std::make_unique<CRandom>(seed);
    effectRandom = std::make_unique<CRandom>(seed);
    // A new game's party, in party order.
    party = std::move(NewGameSaveData()->party);
    std::vector<CUnit*> sortie;
    for (auto& u : party) sortie.push_back(u.get());
    auto scene = std::make_unique<CStage>(stageNo, sortie);
    stage = scene.get();
    for (CUnit* u : sortie) {
      if (u->stage) u->ai = std::make_unique<CUnitAI_AttackByWeapon>(*stage, *u, 99, ESearchType::WEAKEST);
    }
    currentScene = std::move(scene);
  }
  // The battle goes before the party it changes.
  ~CAIBattle() { currentScene.reset(); }
  CAIBattle(const CAIBattle&) = delete;
  CAIBattle& operator=(const CAIBattle&) = delete;

  // A party member's turn is handed to its AI between frames, where a
  // player would press keys.
  void Dispatch(bool partyByAI = true) {
    const auto* browsing = dynamic_cast<const CStageStrategy_FreeScroll*>(stage->GetStrategy());
    if (partyByAI && browsing && browsing->IsPlayerInputEnabled()) {
      stage->SetStrategy(std::make_unique<CStageStrategy_UnitCommandAI>(*stage, Active()));
    }
  }
  // One frame of the main loop, Space held or not.
  void Frame(bool spaceHeld, bool partyByAI = true) {
    Dispatch(partyByAI);
    gamelib_test::SetKeyDown(KEY_INPUT_SPACE, spaceHeld);
    EXPECT_TRUE(RunFrame());
    ++frames;
  }
  // One frame at the plain pace with the drawing left out: drawing changes
  // nothing in a battle (the fast run draws, so a picture that did would show).
  void UndrawnFrame() {
    Dispatch();
    keyManager->Update();
    stage->ProcessInput();
    stage->Update();
    soundManager->Update();
    ++frames;
  }
  // Decided, or kTurns turns played.
  bool Over() const {
    if (stage->state.turnCount >= kTurns) return true;
    const auto* end = dynamic_cast<const CStageStrategy_Announce*>(stage->GetStrategy());
    return end && end->GetType() != CStageStrategy_Announce::STAGE_START;
  }
  CUnit& Active() const { return *stage->state.units.front(); }
  // Every unit still in the battle, in turn order, and the battle's counters.
  std::vector<std::string> State() const {
    std::vector<std::string> lines;
    for (const CUnit* u : stage->state.units) {
      lines.push_back(std::to_string(static_cast<int>(u->charactor)) + "/" + std::to_string(u->team) + " hp " +
                      std::to_string(u->hp) + " mp " + std::to_string(u->mp) + " at " + std::to_string(u->grid.x) +
                      "," + std::to_string(u->grid.y) + " facing " + std::to_string(static_cast<int>(u->direction)) +
                      " wt " + std::to_string(u->wt) + " wait " + std::to_string(u->wtCount) +
                      (u->IsDead() ? " dead" : ""));
    }
    lines.push_back("turns " + std::to_string(stage->state.turnCount) + " points " +
                    std::to_string(stage->state.battleSkillPoint) + " updates " + std::to_string(stage->frameCount));
    return lines;
  }

  std::vector<std::unique_ptr<CUnit>> party;
  CStage* stage = nullptr;
  long frames = 0;
};

class MainLoopBattleTest : public RealBattleTest {
 protected:
  void SetUp() override {
    RealBattleTest::SetUp();
    gamelib_test::UseVirtualClock(true, 0);
    gamelib_test::SetRasterising(false);
    quitRequested = false;
    keyManager = std::make_unique<CKeyManager>(options.joypadAssign);
    fpsTimer = std::make_unique<CFpsTimer>(true);
  }
  void TearDown() override {
    nextScene.reset();
    currentScene.reset();
    gamelib_test::ClearInjectedInput();
    gamelib_test::SetRasterising(true);
    gamelib_test::UseVirtualClock(false);
    keyManager.reset();
    fpsTimer.reset();
  }
  COptionInfo options;
};

TEST_F(MainLoopBattleTest, ASeededBattleEndsTheSameWithSpaceHeldThroughout) {
  std::vector<std::string> fastEnd;
  long fastFrames = 0;
  int fastUpdates = 0;
  {
    CAIBattle fast(0, 1);
    while (!fast.Over() && fast.frames < kMaxFrames) fast.Frame(true);
    ASSERT_TRUE(fast.Over());
    fastEnd = fast.State();
    fastFrames = fast.frames;
    fastUpdates = fast.stage->frameCount;
  }
  CAIBattle plain(0, 1);
  while (!plain.Over() && plain.frames < kMaxFrames) plain.UndrawnFrame();
  ASSERT_TRUE(plain.Over());
  // The fast run is seen over after its drawn frame, up to three updates
  // later: the plain one catches up.
  ASSERT_LE(plain.stage->frameCount, fastUpdates);
  ASSERT_GT(plain.stage->frameCount + 4, fastUpdates);
  while (plain.stage->frameCount < fastUpdates) plain.UndrawnFrame();
  EXPECT_EQ(plain.State(), fastEnd);
  EXPECT_GT(plain.stage->state.battleSkillPoint, 0) << "long enough for enemies to fall";
  EXPECT_LT(fastFrames * 2, plain.frames) << "most of an AI battle plays out by itself";
}

TEST_F(MainLoopBattleTest, SpaceSpeedsUpTelopsAndAITurnsButNeverWhatWaitsForThePlayer) {
  CAIBattle battle(0, 1);
  battle.Frame(true);
  EXPECT_EQ(battle.stage->frameCount, 4) << "the opening telop";
  const auto* browsing = dynamic_cast<const CStageStrategy_FreeScroll*>(battle.stage->GetStrategy());
  while (!(browsing && browsing->IsPlayerInputEnabled()) && battle.frames < kMaxFrames) {
    battle.Frame(true, false);
    browsing = dynamic_cast<const CStageStrategy_FreeScroll*>(battle.stage->GetStrategy());
  }
  ASSERT_TRUE(browsing) << "no party member's turn came";

  using Maker = std::function<std::unique_ptr<CStageStrategy>(CStage&, CUnit&)>;
  const struct {
    const char* what;
    Maker make;
    int updates;
  } cases[] = {
      {"browsing, the player to choose", nullptr, 1},
      {"the command menu",
       [](CStage& s, CUnit& u) { return std::make_unique<CStageStrategy_UnitCommand>(s, u, EUnitCommandType::MENU); },
       1},
      {"the system menu", [](CStage& s, CUnit&) { return std::make_unique<CStageStrategy_SystemMenu>(s); }, 1},
      {"the unit's turn thought out by its AI",
       [](CStage& s, CUnit& u) { return std::make_unique<CStageStrategy_UnitCommandAI>(s, u); }, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.make) battle.stage->SetStrategy(c.make(*battle.stage, battle.Active()));
    const int before = battle.stage->frameCount;
    battle.Frame(true, false);
    EXPECT_EQ(battle.stage->frameCount - before, c.updates);
  }
}

}  // namespace
