// Whole player turns on real stages, driven by keys pressed frame by frame.
#include "battle/unit_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/action_predict_window.h"
#include "battle/leave_question.h"
#include "battle/small_battle.h"
#include "battle/stage_strategies.h"
#include "battle/status_window.h"
#include "battle/unit_action.h"
#include "battle/unit_order_window.h"
#include "core/random.h"
#include "field/geographical_features.h"
#include "field/unit.h"
#include "game/main_loop.h"
#include "gfx/call_recording.h"
#include "persist/option_info.h"
#include "real_battle_test.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "ui/dialog.h"
#include "ui/key_help.h"
#include "ui/panes.h"

namespace {

using D = EDirection4;

class PlayerTurnTest : public RealBattleTest {
 protected:
  static void TearDownTestSuite() {
    keyManager.reset();
    RealBattleTest::TearDownTestSuite();
  }
  void SetUp() override {
    RealBattleTest::SetUp();
    keyManager = std::make_unique<CKeyManager>(options.joypadAssign);
    gamelib_test::ClearInjectedInput();
  }
  void TearDown() override { gamelib_test::ClearInjectedInput(); }

  // One frame with `keys` held (a key held over several frames is pushed once).
  static void Frame(CStage& stage, std::initializer_list<int> keys = {}) {
    gamelib_test::ClearInjectedInput();
    for (int k : keys) gamelib_test::SetKeyDown(k, true);
    keyManager->Update();
    stage.ProcessInput();
    stage.Update();
  }
  // A tap: down for one frame, up for the next.
  static void Press(CStage& stage, int key) {
    Frame(stage, {key});
    Frame(stage);
  }
  static CStageStrategy_FreeScroll* Browsing(CStage& stage) {
    return dynamic_cast<CStageStrategy_FreeScroll*>(stage.GetStrategy());
  }
  static CStageStrategy_UnitCommand* Command(CStage& stage) {
    return dynamic_cast<CStageStrategy_UnitCommand*>(stage.GetStrategy());
  }
  // Frames until browsing takes the player's keys again, and one more in
  // which it sees them released (a push counts only after that).
  static void UntilPlayerInput(CStage& stage) {
    for (int i = 0; i < 400; ++i) {
      Frame(stage);
      if (auto* b = Browsing(stage); b && b->IsPlayerInputEnabled()) {
        Frame(stage);
        return;
      }
    }
    FAIL() << "browsing never came back";
  }
  static std::vector<std::string> MenuLines(CStageStrategy_UnitCommand& command) {
    std::vector<std::string> names;
    for (const auto& pane : command.GetRootDialog()->GetPanes()) names.push_back(pane->name);
    return names;
  }
  static EColorName LabelColour(CStageStrategy_UnitCommand& command, const std::string& line) {
    auto* container = dynamic_cast<CPaneContainer*>(command.GetRootDialog()->FindPane(line));
    return dynamic_cast<CPaneTextLabel*>(container->FindChild(line + "_label"))->textColor;
  }

  COptionInfo options;
};

TEST_F(PlayerTurnTest, MoveAttackAndStandByMakeOneTurn) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit& knight = *stage.state.units.front();
  ASSERT_EQ(knight.charactor, ECharactor::KNIGHT);
  const SPoint start = knight.grid;

  Press(stage, KEY_INPUT_Z);
  CStageStrategy_UnitCommand* command = Command(stage);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(MenuLines(*command), (std::vector<std::string>{"move", "attack", "skill", "standby", "status"}));
  EXPECT_EQ(command->GetRootDialog()->GetFocusedPane()->name, "move");
  EXPECT_EQ(LabelColour(*command, "skill"), kUnavailableTextColor) << "the knight has no skill yet";

  Press(stage, KEY_INPUT_Z);
  ASSERT_NE(dynamic_cast<CStrategy_Move*>(command->GetStep()), nullptr);
  Press(stage, KEY_INPUT_RIGHT);
  Press(stage, KEY_INPUT_RIGHT);
  Press(stage, KEY_INPUT_Z);
  EXPECT_TRUE(knight.moved) << "set when the command is accepted, before the walk";
  EXPECT_NE(dynamic_cast<CStageStrategy_UnitAction*>(stage.GetStrategy()), nullptr);
  UntilPlayerInput(stage);
  EXPECT_EQ(knight.grid, start + SPoint(2, 0));

  // The menu again: the move is used up, the focus is on the attack.
  Press(stage, KEY_INPUT_Z);
  command = Command(stage);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(LabelColour(*command, "move"), kUnavailableTextColor);
  EXPECT_EQ(command->GetRootDialog()->GetFocusedPane()->name, "attack");
  Press(stage, KEY_INPUT_Z);
  ASSERT_NE(dynamic_cast<CStrategy_Attack*>(command->GetStep()), nullptr);
  // The grid to the knight's right is the path, empty: a valid target.
  Press(stage, KEY_INPUT_RIGHT);
  Press(stage, KEY_INPUT_Z);
  EXPECT_TRUE(knight.acted);
  EXPECT_TRUE(knight.moveHistory.empty()) << "the move can no longer be undone";
  EXPECT_EQ(knight.direction, D::RIGHT);
  UntilPlayerInput(stage);

  Press(stage, KEY_INPUT_Z);
  command = Command(stage);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->GetRootDialog()->GetFocusedPane()->name, "standby");
  Press(stage, KEY_INPUT_Z);
  EXPECT_TRUE(stage.orderWindow->showPreview);
  Press(stage, KEY_INPUT_UP);
  EXPECT_EQ(knight.direction, D::UP);
  const int turn = stage.state.turnCount;
  Press(stage, KEY_INPUT_Z);
  EXPECT_FALSE(stage.orderWindow->showPreview);
  EXPECT_EQ(stage.state.turnCount, turn + 1);
  EXPECT_NE(stage.state.units.front(), &knight);
  EXPECT_FALSE(knight.moved);
  EXPECT_FALSE(knight.acted);
}

TEST_F(PlayerTurnTest, UndoRestoresCellPixelAndFacingInOneFrame) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit& knight = *stage.state.units.front();
  const SPoint start = knight.grid;
  const D facing = knight.direction;
  // X with nothing to undo leaves everything where it is.
  Press(stage, KEY_INPUT_X);
  EXPECT_EQ(stage.cursor->GetGrid(), start);

  Press(stage, KEY_INPUT_Z);
  Press(stage, KEY_INPUT_Z);
  Press(stage, KEY_INPUT_DOWN);
  Press(stage, KEY_INPUT_Z);
  UntilPlayerInput(stage);
  ASSERT_EQ(knight.grid, start + SPoint(0, 1));
  ASSERT_EQ(knight.moveHistory.size(), 1u);

  Frame(stage, {KEY_INPUT_X});
  EXPECT_EQ(knight.grid, start);
  EXPECT_EQ(knight.actor->position, GridToPixel(start));
  EXPECT_EQ(knight.direction, facing);
  EXPECT_FALSE(knight.moved);
  EXPECT_TRUE(knight.moveHistory.empty());
}

TEST_F(PlayerTurnTest, RefusedChoicesChangeNothing) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit& knight = *stage.state.units.front();
  // Skill without skills: nothing.
  Press(stage, KEY_INPUT_Z);
  CStageStrategy_UnitCommand* command = Command(stage);
  ASSERT_NE(command, nullptr);
  Press(stage, KEY_INPUT_DOWN);
  Press(stage, KEY_INPUT_DOWN);
  ASSERT_EQ(command->GetRootDialog()->GetFocusedPane()->name, "skill") << "grey lines can be focused";
  Press(stage, KEY_INPUT_Z);
  EXPECT_NE(dynamic_cast<CStrategy_RootMenu*>(command->GetStep()), nullptr);

  // A destination on an ally is refused; the step stays.
  Press(stage, KEY_INPUT_UP);
  Press(stage, KEY_INPUT_UP);
  Press(stage, KEY_INPUT_Z);
  const std::vector<CUnit*> allies = stage.state.units;
  CUnit* neighbour = nullptr;
  for (CUnit* u : allies) {
    if (u != &knight && u->team == 0 && std::abs(u->grid.x - knight.grid.x) + std::abs(u->grid.y - knight.grid.y) == 1)
      neighbour = u;
  }
  ASSERT_NE(neighbour, nullptr) << "the party starts side by side";
  stage.cursor->SetGrid(neighbour->grid);
  Press(stage, KEY_INPUT_Z);
  EXPECT_EQ(Command(stage), command);
  EXPECT_FALSE(knight.moved);
  // Cancel goes back to the menu, still unmoved.
  Press(stage, KEY_INPUT_X);
  EXPECT_NE(dynamic_cast<CStrategy_RootMenu*>(command->GetStep()), nullptr);
  EXPECT_FALSE(knight.moved);
}

// The skill list names each skill by its place; a skill that costs more MP
// than the unit has is refused and the list stays; a heal (range 0 to 1)
// aimed at the unit's own cell is cast on itself, and it keeps its facing.
TEST_F(PlayerTurnTest, TheSkillCommandListsRefusesAndCastsOnItself) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit& knight = *stage.state.units.front();
  knight.skills = {ESkill::FIRE_BOLT, ESkill::HEAL};  // 4 MP and 3 MP
  knight.mp = 3;
  knight.hp = knight.maxHp - 1;
  knight.SetDirection(D::LEFT);
  Press(stage, KEY_INPUT_Z);
  CStageStrategy_UnitCommand* command = Command(stage);
  ASSERT_NE(command, nullptr);
  EXPECT_NE(LabelColour(*command, "skill"), kUnavailableTextColor);
  Press(stage, KEY_INPUT_DOWN);
  Press(stage, KEY_INPUT_DOWN);
  Press(stage, KEY_INPUT_Z);
  ASSERT_NE(dynamic_cast<CStrategy_Skill*>(command->GetStep()), nullptr);
  const CDialog* list = command->GetRootDialog()->GetChild();
  ASSERT_NE(list, nullptr);
  std::vector<std::string> entries;
  for (const auto& pane : list->GetPanes()) {
    if (pane->name == "0" || pane->name == "1") entries.push_back(pane->name);
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(list->GetFocusedPane()->name, "0");

  Press(stage, KEY_INPUT_Z);  // the fire bolt: one MP short
  EXPECT_EQ(command->GetRootDialog()->GetChild(), list) << "the list stays";
  EXPECT_EQ(knight.mp, 3);

  Press(stage, KEY_INPUT_DOWN);
  Press(stage, KEY_INPUT_Z);  // the heal
  EXPECT_EQ(command->GetRootDialog()->GetChild(), nullptr) << "the list closes for the target";
  ASSERT_EQ(stage.cursor->GetGrid(), knight.grid);
  Press(stage, KEY_INPUT_Z);
  EXPECT_TRUE(knight.acted);
  EXPECT_EQ(knight.mp, 0);
  EXPECT_EQ(knight.direction, D::LEFT);
  EXPECT_NE(dynamic_cast<CStageStrategy_UnitAction*>(stage.GetStrategy()), nullptr);
  UntilPlayerInput(stage);
  EXPECT_EQ(knight.hp, knight.maxHp);
  EXPECT_EQ(knight.direction, D::LEFT);
}

TEST_F(PlayerTurnTest, TheCursorStepsAtOnceThenAfterTwentyFramesThenEveryFive) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  const int x0 = stage.cursor->GetGrid().x;
  std::vector<int> steps;
  for (int frame = 1; frame <= 36; ++frame) {
    Frame(stage, {KEY_INPUT_RIGHT});
    if (stage.cursor->GetGrid().x != x0 + static_cast<int>(steps.size())) steps.push_back(frame);
  }
  EXPECT_EQ(steps, (std::vector<int>{1, 21, 26, 31, 36}));
  // The cursor never leaves the map.
  stage.cursor->SetGrid({0, 0});
  Frame(stage);
  Frame(stage, {KEY_INPUT_LEFT});
  EXPECT_EQ(stage.cursor->GetGrid(), SPoint(0, 0));
}

TEST_F(PlayerTurnTest, AnEnemysMenuShowsItsStatusOnly) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit* slime = nullptr;
  for (CUnit* u : stage.state.units) {
    if (u->team == 1) slime = u;
  }
  stage.cursor->SetGrid(slime->grid);
  Press(stage, KEY_INPUT_Z);
  CStageStrategy_UnitCommand* command = Command(stage);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(MenuLines(*command), std::vector<std::string>{"status"});
  // Z closes the window as X does: nothing in it can be chosen.
  for (int closing : {KEY_INPUT_Z, KEY_INPUT_X}) {
    Press(stage, KEY_INPUT_Z);
    EXPECT_NE(dynamic_cast<CStrategy_Status*>(command->GetStep()), nullptr);
    Press(stage, closing);
    Frame(stage);
    EXPECT_NE(dynamic_cast<CStrategy_RootMenu*>(command->GetStep()), nullptr) << "closed by key " << closing;
  }
  Press(stage, KEY_INPUT_X);
  EXPECT_NE(Browsing(stage), nullptr);
}

TEST_F(PlayerTurnTest, TheSystemMenuGoesOnOrAsksBeforeGivingTheBattleUp) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  stage.cursor->SetGrid({0, 0});  // forest: nobody there
  Press(stage, KEY_INPUT_Z);
  auto* menu = dynamic_cast<CStageStrategy_SystemMenu*>(stage.GetStrategy());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetDialog()->title, "システムメニュー");
  Press(stage, KEY_INPUT_Z);  // "ゲームを続ける"
  EXPECT_NE(Browsing(stage), nullptr);

  UntilPlayerInput(stage);
  stage.cursor->SetGrid({0, 0});
  Press(stage, KEY_INPUT_Z);
  menu = dynamic_cast<CStageStrategy_SystemMenu*>(stage.GetStrategy());
  ASSERT_NE(menu, nullptr);
  Press(stage, KEY_INPUT_DOWN);
  int titles = 0;
  titleSceneMaker = [&titles]() -> std::unique_ptr<CScene> {
    ++titles;
    return nullptr;
  };
  // "タイトルへ戻る" asks first, over the menu; X goes back to the menu as it was.
  Press(stage, KEY_INPUT_Z);
  auto* question = dynamic_cast<CStageStrategy_LeaveQuestion*>(stage.GetStrategy());
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->GetInterrupted(), menu);
  EXPECT_FALSE(menu->GetDialog()->IsActive()) << "drawn as a window under the question";
  EXPECT_EQ(titles, 0);
  Press(stage, KEY_INPUT_X);
  EXPECT_EQ(stage.GetStrategy(), menu);
  EXPECT_TRUE(menu->GetDialog()->IsActive());
  EXPECT_EQ(menu->GetDialog()->GetFocusedPane()->name, "go_title");
  EXPECT_EQ(titles, 0);

  Press(stage, KEY_INPUT_Z);
  Press(stage, KEY_INPUT_LEFT);  // "はい"
  Press(stage, KEY_INPUT_Z);
  EXPECT_EQ(titles, 1);
  titleSceneMaker = nullptr;
}

// Esc while choosing a destination asks before the battle is given up;
// every answer but "はい" goes back to the same step with the cursor where
// it was, and the destination can still be chosen.
TEST_F(PlayerTurnTest, EscAsksBeforeLeavingAndEveryOtherAnswerGoesBack) {
  struct SCase {
    const char* answer;
    std::vector<int> keys;
    bool leaves;
  };
  const SCase cases[] = {
      {"X", {KEY_INPUT_X}, false},
      {"Z on the focused いいえ", {KEY_INPUT_Z}, false},
      {"Esc again", {KEY_INPUT_ESCAPE}, false},
      {"はい", {KEY_INPUT_LEFT, KEY_INPUT_Z}, true},
  };
  int titles = 0;
  titleSceneMaker = [&titles]() -> std::unique_ptr<CScene> {
    ++titles;
    return nullptr;
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.answer);
    titles = 0;
    party.clear();  // a party of a new game for each battle
    RealBattleTest::SetUp();
    CStage stage(0, Sortie());
    UntilPlayerInput(stage);
    CUnit& knight = *stage.state.units.front();
    Press(stage, KEY_INPUT_Z);
    Press(stage, KEY_INPUT_Z);
    CStageStrategy_UnitCommand* command = Command(stage);
    ASSERT_NE(command, nullptr);
    CStrategy* move = command->GetStep();
    ASSERT_NE(dynamic_cast<CStrategy_Move*>(move), nullptr);
    Press(stage, KEY_INPUT_RIGHT);
    const SPoint cell = stage.cursor->GetGrid();
    ASSERT_EQ(cell, knight.grid + SPoint(1, 0));

    Press(stage, KEY_INPUT_ESCAPE);
    auto* question = dynamic_cast<CStageStrategy_LeaveQuestion*>(stage.GetStrategy());
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->GetDialog()->title, "タイトルへ戻りますか？");
    EXPECT_EQ(question->GetDialog()->GetFocusedPane()->name, "no");
    EXPECT_EQ(question->GetInterrupted(), command);
    Press(stage, KEY_INPUT_DOWN);
    EXPECT_EQ(stage.cursor->GetGrid(), cell) << "the keys go to the question";
    EXPECT_EQ(titles, 0);

    for (int key : c.keys) Press(stage, key);
    EXPECT_EQ(titles, c.leaves ? 1 : 0);
    if (c.leaves) continue;
    EXPECT_EQ(stage.GetStrategy(), command);
    EXPECT_EQ(command->GetStep(), move);
    EXPECT_EQ(stage.cursor->GetGrid(), cell);
    Press(stage, KEY_INPUT_Z);
    EXPECT_TRUE(knight.moved) << "the destination is taken as if nothing had been asked";
  }
  titleSceneMaker = nullptr;
}

TEST_F(PlayerTurnTest, TheDangerZoneCountsEnemiesAsIfNobodyBlockedThem) {
  const CUnit::AIMaker before = CUnit::aiMaker;
  CUnit::aiMaker = [](CUnit& unit, CBattlefield& s, EUnitAIKind, ESearchType, int) {
    return std::make_unique<CUnitAIBase>(s, unit, 5);
  };
  {
    // The knight at 0, a slime at 7 that walks 2 and looks 5 far.
    CSmallBattle battle({"........"});
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, {0, 0});
    CUnit& slime = battle.Add(ECharactor::SLIME, 1, {7, 0});
    battle.Add(ECharactor::KNIGHT, 0, {6, 0});  // in the slime's way: ignored
    slime.move = 2;
    knight.wtCount = 0;
    battle.SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(battle));
    UntilPlayerInput(battle);
    Press(battle, KEY_INPUT_S);
    auto* browse = Browsing(battle);
    ASSERT_NE(browse, nullptr);
    ASSERT_TRUE(browse->IsDangerShown());
    auto xs = [](std::vector<SPoint> cells) {
      std::vector<int> x;
      for (SPoint c : cells) x.push_back(c.x);
      std::sort(x.begin(), x.end());
      return x;
    };
    EXPECT_EQ(xs(browse->GetDangerMove()), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(xs(browse->GetDangerSight()), (std::vector<int>{2, 3, 4}));
    Press(battle, KEY_INPUT_S);
    EXPECT_FALSE(browse->IsDangerShown());
  }
  CUnit::aiMaker = before;
}

// The command menu and the status window open in the top-left corner unless
// their box would cover the unit's cell there; then they open in the
// top-right corner. The skill list opens beside the menu, on the screen.
TEST_F(PlayerTurnTest, TheCommandMenuAndItsWindowsKeepClearOfTheUnit) {
  struct SCase {
    SPoint cell;
    bool onRight;
  };
  // A map of exactly one screen: cell (x, y) is drawn at (32 x + 16, 32 y + 16).
  const SCase cases[] = {
      {{0, 0}, true}, {{4, 4}, true}, {{4, 5}, false}, {{5, 4}, false},
      {{19, 0}, false}, {{0, 14}, false}, {{19, 14}, false},
  };
  auto overlaps = [](const CDialog& box, SPointD centre) {
    return centre.x + 16 > box.position.x && centre.x - 16 < box.position.x + box.width &&
           centre.y + 16 > box.position.y && centre.y - 16 < box.position.y + box.height;
  };
  auto onScreen = [](const CDialog& box) {
    return box.position.x >= 0 && box.position.x + box.width <= 640 && box.position.y >= 0 &&
           box.position.y + box.height <= 480;
  };
  const CUnit::AIMaker before = CUnit::aiMaker;
  CUnit::aiMaker = [](CUnit& unit, CBattlefield& s, EUnitAIKind, ESearchType, int) {
    return std::make_unique<CUnitAIBase>(s, unit, 5);
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "the knight on (" << c.cell.x << ", " << c.cell.y << ")");
    CSmallBattle battle(std::vector<std::string>(15, std::string(20, '.')));
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, c.cell);
    battle.Add(ECharactor::SLIME, 1, {10, 7});
    knight.wtCount = 0;
    knight.skills = {ESkill::HEAL};
    battle.SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(battle));
    UntilPlayerInput(battle);
    battle.FocusOnActiveUnit();
    const SPointD centre = battle.GridToScreen(knight.grid);
    ASSERT_EQ(centre, SPointD(c.cell.x * 32 + 16, c.cell.y * 32 + 16));

    Press(battle, KEY_INPUT_Z);
    CStageStrategy_UnitCommand* command = Command(battle);
    ASSERT_NE(command, nullptr);
    const CDialog& menu = *command->GetRootDialog();
    EXPECT_FALSE(overlaps(menu, centre));
    EXPECT_EQ(menu.position, SPoint(c.onRight ? 640 - 10 - menu.width : 10, 10));

    for (int i = 0; i < 4; ++i) Press(battle, KEY_INPUT_DOWN);  // "ステータス"
    Press(battle, KEY_INPUT_Z);
    auto* statusStep = dynamic_cast<CStrategy_Status*>(command->GetStep());
    ASSERT_NE(statusStep, nullptr);
    const CDialog& status = *statusStep->GetWindow()->GetDialog();
    EXPECT_FALSE(overlaps(status, centre));
    EXPECT_TRUE(onScreen(status));
    Press(battle, KEY_INPUT_X);
    Frame(battle);
    Press(battle, KEY_INPUT_UP);
    Press(battle, KEY_INPUT_UP);  // "スキル"
    Press(battle, KEY_INPUT_Z);
    const CDialog* list = menu.GetChild();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(onScreen(*list));
    EXPECT_EQ(list->position.x < menu.position.x, c.onRight) << "the list opens towards the middle";
  }
  CUnit::aiMaker = before;
}

// The enemies' watch range is drawn so that it shows on grass: along its
// outer border a solid line stands out from the bare cell, where the
// watch picture alone made only a dashed speckle.
TEST_F(PlayerTurnTest, TheWatchRangeShowsOnGrass) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  Press(stage, KEY_INPUT_S);
  auto* browse = Browsing(stage);
  ASSERT_NE(browse, nullptr);
  ASSERT_TRUE(browse->IsDangerShown());
  const std::vector<SPoint> sight = browse->GetDangerSight();
  const std::vector<SPoint> walk = browse->GetDangerMove();
  auto zone = [&](SPoint c) {
    return std::find(sight.begin(), sight.end(), c) != sight.end() ||
           std::find(walk.begin(), walk.end(), c) != walk.end();
  };
  auto pixel = [](int x, int y) {
    const unsigned p = gamelib_test::GetBackBufferPixel(x, y);
    return std::array<int, 3>{static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255),
                              static_cast<int>(p & 255)};
  };
  // Watched cells in the upper part of the screen (clear of the small
  // status box), with nobody on them, whose left neighbour nobody watches.
  const CGeographicalFeatures& map = *stage.GetMap();
  std::vector<SPoint> candidates;
  for (const SPoint c : sight) {
    const SPointD at = stage.GridToScreen(c);
    const SPoint left = c + SPoint(-1, 0);
    if (map.IsInMap(left) && !zone(left) && stage.GetUnitsAt(c).empty() && c != stage.cursor->GetGrid() &&
        at.x > 32 && at.y > 32 && at.y < 280) {
      candidates.push_back(c);
    }
  }
  // The first of them that is a meadow when the zone is hidden.
  Press(stage, KEY_INPUT_S);
  ClsDrawScreen();
  stage.Draw();
  std::optional<SPoint> meadow;
  for (const SPoint c : candidates) {
    const SPointD centre = stage.GridToScreen(c);
    const auto bare = pixel(static_cast<int>(centre.x), static_cast<int>(centre.y));
    if (bare[1] > bare[0] + 20 && bare[1] > bare[2] + 20) {
      meadow = c;
      break;
    }
  }
  ASSERT_TRUE(meadow.has_value()) << "stage 0 has a watched meadow cell";
  const SPointD centre = stage.GridToScreen(*meadow);
  const int left = static_cast<int>(centre.x) - 16;
  const int top = static_cast<int>(centre.y) - 16;
  std::vector<std::array<int, 3>> bare;
  for (int y = top; y < top + 32; ++y) bare.push_back(pixel(left, y));

  Press(stage, KEY_INPUT_S);
  ClsDrawScreen();
  stage.Draw();
  int faint = 0;
  for (int y = top; y < top + 32; ++y) {
    const auto marked = pixel(left, y);
    const auto& before = bare[static_cast<std::size_t>(y - top)];
    int difference = 0;
    for (int i = 0; i < 3; ++i) difference = std::max(difference, std::abs(marked[i] - before[i]));
    if (difference < 64) ++faint;
  }
  EXPECT_EQ(faint, 0) << "pixels of the border that hardly differ from the bare meadow";
}

bool Overlap(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

CRect BoxOf(const CDialog& d) { return {d.position.x, d.position.y, d.position.x + d.width, d.position.y + d.height}; }

// Browsing, choosing a destination or a target and turning before standing
// by each say in one line what the keys do; the line comes and goes with the
// overlay (A) and only one is drawn at a time.
TEST_F(PlayerTurnTest, EachBattleStateSaysWhatItsKeysDo) {
  const std::string browsing = "Z:コマンド  A:表示切替  S:危険範囲  Space:早送り";
  const std::string choosing = "Z:決定  X:戻る";
  const std::string facing = "方向キー:向き  Z:ターン終了  X:戻る";
  struct SState {
    const char* name;
    std::vector<int> enter;  // from browsing
    const std::string& help;
    int y;
  };
  // The knight's menu: 移動, 攻撃, スキル, 待機, ステータス; X steps back to
  // browsing. The heal aims at the knight himself, in the middle of the
  // screen: its prediction boxes take the top, and the line goes under them.
  const SState states[] = {
      {"browsing", {}, browsing, 2},
      {"choosing a destination", {KEY_INPUT_Z, KEY_INPUT_Z}, choosing, 2},
      {"choosing a weapon target", {KEY_INPUT_Z, KEY_INPUT_DOWN, KEY_INPUT_Z}, choosing, 2},
      {"choosing a skill target", {KEY_INPUT_Z, KEY_INPUT_DOWN, KEY_INPUT_DOWN, KEY_INPUT_Z, KEY_INPUT_Z}, choosing,
       140 + 2 + 2},
      {"turning before standby", {KEY_INPUT_Z, KEY_INPUT_UP, KEY_INPUT_UP, KEY_INPUT_Z}, facing, 2},
  };
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit& knight = *stage.state.units.front();
  knight.skills = {ESkill::HEAL};
  CCallRecording recording;
  for (const SState& state : states) {
    SCOPED_TRACE(state.name);
    for (int key : state.enter) Press(stage, key);
    recording.Clear();
    stage.Draw();
    const std::optional<SPoint> at = recording.TextAt(state.help);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->y, state.y);
    for (const std::string* other : {&browsing, &choosing, &facing}) {
      if (*other != state.help) {
        EXPECT_FALSE(recording.TextAt(*other).has_value()) << *other;
      }
    }
    stage.overlay = false;
    recording.Clear();
    stage.Draw();
    EXPECT_FALSE(recording.TextAt(state.help).has_value()) << "hidden with the overlay";
    stage.overlay = true;
    for (int i = 0; i < 3 && !Browsing(stage); ++i) Press(stage, KEY_INPUT_X);
    UntilPlayerInput(stage);
  }

  // A toggles it in browsing, with the grid and the order window.
  Press(stage, KEY_INPUT_A);
  recording.Clear();
  stage.Draw();
  EXPECT_FALSE(recording.TextAt(browsing).has_value());
  Press(stage, KEY_INPUT_A);
  recording.Clear();
  stage.Draw();
  EXPECT_TRUE(recording.TextAt(browsing).has_value());
  // Nor does it cover the small status box in a bottom corner.
  ASSERT_NE(stage.cheapStatusWindow, nullptr);
  EXPECT_FALSE(Overlap(KeyHelpBox(browsing, 0), BoxOf(*stage.cheapStatusWindow->GetDialog())));
}

// While a target is chosen the prediction boxes take the top or the bottom
// of the screen; the key help keeps clear of them either way.
TEST_F(PlayerTurnTest, TheKeyHelpKeepsClearOfThePredictionBoxes) {
  struct SCase {
    const char* target;
    SPoint offset;  // from the knight
    int helpTop;
  };
  // The archer stands below the knight's row (the boxes take the top), the
  // nearest slime two cells above it (the boxes take the bottom).
  const SCase cases[] = {
      {"the archer, in the lower half", {-1, 1}, 142},
      {"a slime, in the upper half", {0, -2}, 0},
  };
  const std::string help = "Z:決定  X:戻る";
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  CUnit& knight = *stage.state.units.front();
  Press(stage, KEY_INPUT_Z);
  Press(stage, KEY_INPUT_DOWN);
  Press(stage, KEY_INPUT_Z);
  auto* command = Command(stage);
  ASSERT_NE(command, nullptr);
  ASSERT_NE(dynamic_cast<CStrategy_Attack*>(command->GetStep()), nullptr);
  CCallRecording recording;
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.target);
    const SPoint cell = knight.grid + c.offset;
    ASSERT_EQ(stage.GetUnitsAt(cell).size(), 1u);
    stage.cursor->SetGrid(cell);
    Press(stage, KEY_INPUT_RIGHT);  // the step aims when its cursor moves: step off and back
    Press(stage, KEY_INPUT_LEFT);
    recording.Clear();
    stage.Draw();
    const std::optional<SPoint> at = recording.TextAt(help);
    ASSERT_TRUE(at.has_value());
    const CRect line = KeyHelpBox(help, at->y - 2);
    EXPECT_EQ(line.top, c.helpTop);
    const CActionPredictWindow* prediction =
        dynamic_cast<CStrategy_Attack*>(command->GetStep())->GetTarget().predictWindow.get();
    ASSERT_NE(prediction, nullptr);
    for (const CDialog* box :
         {prediction->GetAttackerBox(), prediction->GetPredictionBox(), prediction->GetTargetBox()}) {
      EXPECT_FALSE(Overlap(line, BoxOf(*box))) << box->title;
    }
  }
}

}  // namespace
