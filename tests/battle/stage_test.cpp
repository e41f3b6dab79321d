// Whole battles built from the committed stage data and maps, drawn on the
// real renderer (offscreen).
#include "battle/stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/cursor.h"
#include "battle/stage_strategies.h"
#include "battle/status_window.h"
#include "combat/attack_area.h"
#include "core/random.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/unit.h"
#include "game/main_loop.h"
#include "real_battle_test.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

using StageTest = RealBattleTest;

TEST_F(StageTest, EveryStageBuildsWithEachUnitOnACellItMayEnter) {
  for (int stageNo = 0; stageNo < STAGE_COUNT; ++stageNo) {
    SCOPED_TRACE("stage " + std::to_string(stageNo));
    CStage stage(stageNo, Sortie(5));
    const CZoneInfo zone = GetStageData(stageNo);
    const size_t partySize = std::min<size_t>(5, zone.starts.size());
    EXPECT_EQ(stage.state.units.size(), partySize + zone.enemies.size())
        << "sortie units beyond the start list stay out";
    EXPECT_EQ(stage.state.CountTeam(0), static_cast<int>(partySize));
    EXPECT_EQ(stage.unitActors.size(), stage.state.units.size());
    for (const CUnit* unit : stage.state.units) {
      const EMapObjectType t = stage.GetMap()->GetTerrain(unit->grid);
      const bool enterable = t == EMapObjectType::PLAIN || t == EMapObjectType::ROUGH ||
                             (unit->flying && t == EMapObjectType::FLY_ONLY);
      EXPECT_TRUE(enterable) << unit->name << " at (" << unit->grid.x << "," << unit->grid.y << ")";
      EXPECT_EQ(stage.GetUnitsAt(unit->grid).size(), 1u) << "two units share a cell";
    }
    // The first turn has begun: the front unit is ready to act.
    EXPECT_EQ(stage.state.turnCount, 1);
    EXPECT_EQ(stage.state.units.front()->wtCount, 0);
    // The camera shows the active unit and never looks past the map.
    const SPointD cam = stage.GetCameraPosition();
    const CGeographicalFeatures& map = *stage.GetMap();
    EXPECT_GE(cam.x, map.scrollLimitLeft + 320);
    EXPECT_LE(cam.x, map.scrollLimitRight - 320);
    EXPECT_GE(cam.y, map.scrollLimitTop + 240);
    EXPECT_LE(cam.y, map.scrollLimitBottom - 240);
  }
}

TEST_F(StageTest, EveryEnemyThinksWithItsPlacementsSearchRange) {
  const CUnit::AIMaker before = CUnit::aiMaker;
  CUnit::aiMaker = [](CUnit& unit, CBattlefield& s, EUnitAIKind, ESearchType, int searchRange) {
    return std::make_unique<CUnitAIBase>(s, unit, searchRange);
  };
  {
    // Stage 1's fairy looks only 12 points far, not the kind's 15.
    CStage stage(1, Sortie(5));
    const std::vector<CUnit*> atFairy = stage.GetUnitsAt({3, 7});
    ASSERT_EQ(atFairy.size(), 1u);
    ASSERT_EQ(atFairy[0]->charactor, ECharactor::FAIRY);
    ASSERT_NE(atFairy[0]->ai, nullptr);
    EXPECT_EQ(atFairy[0]->ai->searchRange, 12);
  }
  for (int stageNo = 0; stageNo < STAGE_COUNT; ++stageNo) {
    CStage stage(stageNo, Sortie(5));
    for (const CEnemyInfo& e : GetStageData(stageNo).enemies) {
      const std::vector<CUnit*> here = stage.GetUnitsAt(e.grid);
      ASSERT_EQ(here.size(), 1u);
      ASSERT_NE(here[0]->ai, nullptr);
      EXPECT_EQ(here[0]->ai->searchRange, e.searchRange) << "stage " << stageNo << " " << here[0]->name;
    }
  }
  CUnit::aiMaker = before;
}

TEST_F(StageTest, AttackAreasOnTheMapDropCellsOffItAndBlocked) {
  CStage stage(0, Sortie(1));
  // The first map row reads "FFFFFFFFFF.~~....": at (10, 0) a plus-shaped
  // area loses the forest at (9, 0) and the row above the map; the water at
  // (11, 0) is no wall.
  const SPoint plus[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  EXPECT_EQ(GetAttackArea(false, plus, {10, 0}, {10, 2}, stage), (std::vector<SPoint>{{10, 0}, {11, 0}, {10, 1}}));
  EXPECT_TRUE(GetAttackArea(false, plus, {-5, -5}, {0, 0}, CStage()).empty()) << "a battle without a map";
}

TEST_F(StageTest, PartyUnitsLeaveTheBattleWithoutTheirActors) {
  {
    CStage stage(0, Sortie(5));
    EXPECT_NE(party[0]->actor, nullptr);
  }
  for (const auto& unit : party) {
    EXPECT_EQ(unit->actor, nullptr);
    EXPECT_EQ(unit->stage, nullptr);
  }
}

TEST_F(StageTest, CameraFollowsTheCursorWithinTheScrollLimits) {
  CStage stage(4, Sortie(5));  // 42 x 70 chips: scrolls both ways
  CGeographicalFeatures& map = *stage.GetMap();
  stage.cursor->SetGrid(SPoint(0, 0));
  stage.FollowCursor();
  EXPECT_EQ(stage.GetCameraPosition(), SPointD(320.0, 240.0));
  stage.cursor->SetGrid(SPoint(map.width - 1, map.height - 1));
  stage.FollowCursor();
  EXPECT_EQ(stage.GetCameraPosition(), SPointD(map.scrollLimitRight - 320, map.scrollLimitBottom - 240));
  // Inside the margins the camera stays where it is.
  const SPointD before = stage.GetCameraPosition();
  stage.cursor->SetGrid(PixelToGrid(before));
  stage.FollowCursor();
  EXPECT_EQ(stage.GetCameraPosition(), before);
}

TEST_F(StageTest, SmallStatusWindowShowsTheUnitUnderTheCursorAwayFromIt) {
  CStage stage(0, Sortie(5));
  CUnit& first = *stage.state.units.front();
  EXPECT_EQ(stage.cheapStatusWindow, nullptr) << "the cursor is hidden during the opening announcement";
  for (int frame = 0; frame <= CStrategy_Telop::kHandOverFrame; ++frame) stage.Update();  // the opening telop
  ASSERT_NE(stage.cheapStatusWindow, nullptr) << "browsing opens on the active unit";
  EXPECT_EQ(&stage.cheapStatusWindow->GetUnit(), &first);

  const auto placedAt = [&] { return stage.cheapStatusWindow->GetDialog()->position; };
  for (const CUnit* unit : stage.state.units) {
    stage.cursor->SetGrid(unit->grid);
    for (bool overlay : {true, false}) {
      stage.overlay = overlay;
      stage.UpdateCheapStatusWindow();
      ASSERT_NE(stage.cheapStatusWindow, nullptr);
      EXPECT_EQ(&stage.cheapStatusWindow->GetUnit(), unit);
      const bool cursorLeft = stage.cursor->GetScreenPosition().x < 320;
      EXPECT_EQ(placedAt(), SPoint(cursorLeft ? 390 : 0, overlay ? 304 : 340)) << unit->name;
    }
  }

  // Two units on one cell (one passing through): the box keeps what it shows.
  CUnit& second = *stage.state.units[1];
  const SPoint secondHome = second.grid;
  stage.cursor->SetGrid(first.grid);
  stage.UpdateCheapStatusWindow();
  second.grid = first.grid;
  stage.cursor->SetGrid(first.grid);
  const CCheapStatusWindow* before = stage.cheapStatusWindow.get();
  stage.UpdateCheapStatusWindow();
  EXPECT_EQ(stage.cheapStatusWindow.get(), before);
  second.grid = secondHome;

  stage.cursor->visible = false;
  stage.UpdateCheapStatusWindow();
  EXPECT_EQ(stage.cheapStatusWindow, nullptr) << "a hidden cursor shows nothing";
  stage.cursor->visible = true;
  stage.cursor->SetGrid({-5, -5});
  stage.UpdateCheapStatusWindow();
  EXPECT_EQ(stage.cheapStatusWindow, nullptr) << "an empty cell shows nothing";
}

TEST_F(StageTest, DispatchAnnouncesDefeatBeforeVictory) {
  CStage stage(0, Sortie(3));
  stage.SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(stage));
  for (CUnit* u : stage.state.units) u->hp = 0;
  stage.Update();
  auto* announce = dynamic_cast<CStageStrategy_Announce*>(stage.GetStrategy());
  ASSERT_NE(announce, nullptr);
  EXPECT_EQ(announce->GetType(), CStageStrategy_Announce::GAME_OVER);

  for (auto& u : party) u->hp = u->maxHp;  // the battle changed the party in place
  CStage won(0, Sortie(3));
  won.SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(won));
  for (CUnit* u : won.state.units) {
    if (u->team == 1) u->hp = 0;
  }
  won.Update();
  announce = dynamic_cast<CStageStrategy_Announce*>(won.GetStrategy());
  ASSERT_NE(announce, nullptr);
  EXPECT_EQ(announce->GetType(), CStageStrategy_Announce::STAGE_CLEARED);
}

TEST_F(StageTest, TurnsPassAroundTheTable) {
  CStage stage(0, Sortie(3));
  // Browse, let the enemies think and the party members wait, for a while.
  for (int frame = 0; frame < 3000; ++frame) {
    stage.Update();
    if (auto* browse = dynamic_cast<CStageStrategy_FreeScroll*>(stage.GetStrategy());
        browse && browse->IsPlayerInputEnabled()) {
      EndTurn(*stage.state.units.front(), stage.state.units, stage.state.turnCount, stage);
    }
  }
  EXPECT_GT(stage.state.turnCount, 10);
}

TEST_F(StageTest, HitStopFreezesUnitsButNotEffects) {
  CStage stage(0, Sortie(3));
  CEnemy* actor = stage.unitActors.front();
  const int unitFrames = actor->GetFrameCount();
  stage.hitStop.SetCount(8);
  stage.Update();
  EXPECT_EQ(actor->GetFrameCount(), unitFrames);
  for (int i = 0; i < 8; ++i) stage.Update();
  EXPECT_GT(actor->GetFrameCount(), unitFrames);
}

TEST_F(StageTest, ScreenshotShowsTheMapUnitsAndHpBars) {
  CStage stage(0, Sortie(3));
  for (int i = 0; i < 3; ++i) stage.Update();
  ClsDrawScreen();
  stage.Draw();
  const auto dir = std::filesystem::temp_directory_path() / "quorvane_stage0.png";
  ASSERT_EQ(SaveScreenshot(dir.string().c_str()), 0);
  // The full HP bar of the first knight, just under its feet.
  const CUnit& knight = *party[0];
  const SPointD screen = stage.GridToScreen(knight.grid);
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(static_cast<int>(screen.x), static_cast<int>(screen.y) + 16),
            0x00ff00u);
  // The map is drawn: the screen is not a single colour.
  const unsigned a = gamelib_test::GetBackBufferPixel(5, 5);
  bool varied = false;
  for (int x = 0; x < 640 && !varied; x += 7) varied = gamelib_test::GetBackBufferPixel(x, 300) != a;
  EXPECT_TRUE(varied);

  // The first battle of the cave and of the castle, for a look by eye.
  for (int stageNo : {3, 6}) {
    CStage other(stageNo, Sortie(5));
    other.Update();
    ClsDrawScreen();
    other.Draw();
    const auto shot = std::filesystem::temp_directory_path() / ("quorvane_stage" + std::to_string(stageNo) + ".png");
    EXPECT_EQ(SaveScreenshot(shot.string().c_str()), 0);
  }
}

}  // namespace
