// Whole player turns on real stages, driven by keys pressed frame by frame.
#include "battle/unit_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/leave_question.h"
#include "battle/small_battle.h"
#include "battle/stage_strategies.h"
#include "battle/status_window.h"
#include "battle/unit_action.h"
#include "battle/unit_order_window.h"
#include "core/random.h"
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
  ASSERT_NE(dynamic_cast<CStageStrategy_LeaveQuestion*>(stage.GetStrategy()), nullptr);
  EXPECT_FALSE(menu->GetDialog()->IsActive()) << "drawn as a window under the question";
  Press(stage, KEY_INPUT_X);
  EXPECT_EQ(stage.GetStrategy(), menu);
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

    Press(stage, KEY_INPUT_ESCAPE);
    auto* question = dynamic_cast<CStageStrategy_LeaveQuestion*>(stage.GetStrategy());
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->GetDialog()->title, "タイトルへ戻りますか？");
    EXPECT_EQ(question->GetDialog()->GetFocusedPane()->name, "no");
    Press(stage, KEY_INPUT_DOWN);
    EXPECT_EQ(stage.cursor->GetGrid(), cell) << "the keys go to the question";
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
// their box would cover the unit's cell there, and then in the top-right
// one; the skill list opens beside the menu, on the screen.
TEST_F(PlayerTurnTest, TheCommandMenuAndItsWindowsKeepClearOfTheUnit) {
  // On a map of exactly one screen cell (x, y) is drawn at (32 x + 16, 32 y + 16);
  // the full menu covers [10, 160) x [10, 159).
  const std::pair<SPoint, bool> cases[] = {{{0, 0}, true},   {{4, 4}, true},   {{4, 5}, false},
                                           {{5, 4}, false},  {{19, 0}, false}, {{19, 14}, false}};
  auto covers = [](const CDialog& box, SPoint cell) {
    const int x = cell.x * 32, y = cell.y * 32;
    return x + 32 > box.position.x && x < box.position.x + box.width && y + 32 > box.position.y &&
           y < box.position.y + box.height;
  };
  const CUnit::AIMaker before = CUnit::aiMaker;
  CUnit::aiMaker = [](CUnit& unit, CBattlefield& s, EUnitAIKind, ESearchType, int) {
    return std::make_unique<CUnitAIBase>(s, unit, 5);
  };
  for (const auto& [cell, onRight] : cases) {
    SCOPED_TRACE(testing::Message() << "the knight on (" << cell.x << ", " << cell.y << ")");
    CSmallBattle battle(std::vector<std::string>(15, std::string(20, '.')));
    CUnit& knight = battle.Add(ECharactor::KNIGHT, 0, cell);
    battle.Add(ECharactor::SLIME, 1, {10, 7});
    knight.wtCount = 0;
    knight.skills = {ESkill::HEAL};
    battle.SetStrategy(std::make_unique<CStageStrategy_FreeScroll>(battle));
    UntilPlayerInput(battle);
    battle.FocusOnActiveUnit();
    Press(battle, KEY_INPUT_Z);
    CStageStrategy_UnitCommand* command = Command(battle);
    ASSERT_NE(command, nullptr);
    const CDialog& menu = *command->GetRootDialog();
    EXPECT_FALSE(covers(menu, cell));
    EXPECT_EQ(menu.position, SPoint(onRight ? 640 - 10 - menu.width : 10, 10));

    for (int i = 0; i < 4; ++i) Press(battle, KEY_INPUT_DOWN);  // "ステータス"
    Press(battle, KEY_INPUT_Z);
    auto* status = dynamic_cast<CStrategy_Status*>(command->GetStep());
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(covers(*status->GetWindow()->GetDialog(), cell));
    Press(battle, KEY_INPUT_X);
    Frame(battle);
    Press(battle, KEY_INPUT_UP);
    Press(battle, KEY_INPUT_UP);  // "スキル"
    Press(battle, KEY_INPUT_Z);
    const CDialog* list = menu.GetChild();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->position.x >= 0 && list->position.x + list->width <= 640);
  }
  CUnit::aiMaker = before;
}

// The enemies' watch range shows on grass: a solid line along its outer
// border stands out from the bare meadow, where the watch picture alone
// left a dashed speckle.
TEST_F(PlayerTurnTest, TheWatchRangeShowsOnGrass) {
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  ClsDrawScreen();
  stage.Draw();
  auto pixel = [](int x, int y) {
    const unsigned p = gamelib_test::GetBackBufferPixel(x, y);
    return std::array<int, 3>{static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255),
                              static_cast<int>(p & 255)};
  };
  Press(stage, KEY_INPUT_S);
  const auto* browse = Browsing(stage);
  ASSERT_NE(browse, nullptr);
  const auto& sight = browse->GetDangerSight();
  const auto& walk = browse->GetDangerMove();
  auto watched = [&](SPoint c) {
    return std::find(sight.begin(), sight.end(), c) != sight.end() ||
           std::find(walk.begin(), walk.end(), c) != walk.end();
  };
  // A watched meadow cell in the upper part of the screen (clear of the
  // small status box) whose left neighbour nobody watches; its left edge.
  std::optional<SPoint> edge;
  std::vector<std::array<int, 3>> bare;
  for (const SPoint c : sight) {
    const SPoint at(stage.GridToScreen(c));
    const auto middle = pixel(at.x, at.y);
    if (watched(c + SPoint(-1, 0)) || !stage.GetUnitsAt(c).empty() || at.x < 48 || at.y < 48 || at.y > 280 ||
        middle[1] < middle[0] + 20 || middle[1] < middle[2] + 20) {
      continue;
    }
    edge = at - SPoint(16, 16);
    for (int y = 0; y < 32; ++y) bare.push_back(pixel(edge->x, edge->y + y));
    break;
  }
  ASSERT_TRUE(edge.has_value()) << "stage 0 has a watched meadow cell";
  ClsDrawScreen();
  stage.Draw();
  int faint = 0;
  for (int y = 0; y < 32; ++y) {
    const auto marked = pixel(edge->x, edge->y + y);
    int difference = 0;
    for (int i = 0; i < 3; ++i) difference = std::max(difference, std::abs(marked[i] - bare[y][i]));
    faint += difference < 64;
  }
  EXPECT_EQ(faint, 0) << "pixels of the border that hardly differ from the bare meadow";
}

// Browsing, choosing a destination or a target and turning before standby
// each say in one line what their keys do; A hides the line with the overlay.
TEST_F(PlayerTurnTest, EachBattleStateSaysWhatItsKeysDo) {
  const std::string choosing = "Z:決定  X:戻る";
  // The knight's menu: 移動, 攻撃, スキル, 待機, ステータス. His heal aims at
  // himself in the middle of the screen: its prediction boxes take the top
  // 140 pixels, and the line goes under them.
  const struct {
    std::vector<int> enter;  // from browsing
    std::string help;
    int y;
  } states[] = {
      {{}, "Z:コマンド  A:表示切替  S:危険範囲  Space:早送り", 2},
      {{KEY_INPUT_Z, KEY_INPUT_Z}, choosing, 2},
      {{KEY_INPUT_Z, KEY_INPUT_DOWN, KEY_INPUT_Z}, choosing, 2},
      {{KEY_INPUT_Z, KEY_INPUT_DOWN, KEY_INPUT_DOWN, KEY_INPUT_Z, KEY_INPUT_Z}, choosing, 140 + 2 + 2},
      {{KEY_INPUT_Z, KEY_INPUT_UP, KEY_INPUT_UP, KEY_INPUT_Z}, "方向キー:向き  Z:ターン終了  X:戻る", 2},
  };
  CStage stage(0, Sortie());
  UntilPlayerInput(stage);
  stage.state.units.front()->skills = {ESkill::HEAL};
  CCallRecording recording;
  for (const auto& state : states) {
    SCOPED_TRACE(state.help);
    for (int key : state.enter) Press(stage, key);
    recording.Clear();
    stage.Draw();
    const std::optional<SPoint> at = recording.TextAt(state.help);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->y, state.y);
    for (int i = 0; i < 3 && !Browsing(stage); ++i) Press(stage, KEY_INPUT_X);
    UntilPlayerInput(stage);
  }
  for (bool shown : {false, true}) {
    Press(stage, KEY_INPUT_A);
    recording.Clear();
    stage.Draw();
    EXPECT_EQ(recording.TextAt(states[0].help).has_value(), shown);
  }
}

}  // namespace
