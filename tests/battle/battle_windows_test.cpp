// The battle information windows built on the real renderer with the
// game's fonts and pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/image_manager.h"
#include "battle/action_predict_window.h"
#include "battle/skill_select_dialog.h"
#include "battle/status_window.h"
#include "combat/formulas.h"
#include "field/unit.h"
#include "game/main_loop.h"
#include "gfx/call_recording.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "ui/ui_test_support.h"

namespace {

class BattleWindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetGraphMode(640, 480, 32, 60);
    ASSERT_EQ(GameLib_Init(), 0) << GameLib_GetLastError();
    SetTransColor(255, 0, 255);
    CreateFonts();
    imageManager = std::make_unique<CImageManager>();
  }
  static void TearDownTestSuite() {
    imageManager.reset();
    GameLib_End();
  }

  // The fixture keeps the units alive for the test.
  CUnit& Make(ECharactor charactor, int team, SPoint grid) {
    units.push_back(std::make_unique<CUnit>(charactor, team, grid));
    units.back()->InitByCharactor();
    return *units.back();
  }

  static const CPaneTextLabel& Label(const CDialog& dialog, const std::string& name) {
    const auto* label = dynamic_cast<const CPaneTextLabel*>(dialog.FindPane(name));
    if (!label) throw std::runtime_error("no label " + name);
    return *label;
  }
  static std::string Text(const CDialog& dialog, const std::string& name) { return Label(dialog, name).text; }

  std::vector<std::unique_ptr<CUnit>> units;
};

TEST_F(BattleWindowsTest, StatusDialogShowsTheCombatFiguresOfTheUnit) {
  CUnit& knight = Make(ECharactor::KNIGHT, 0, {3, 3});
  knight.rank = 0;
  knight.hp = 13;
  knight.str = 9;
  knight.vit = 15;
  knight.intelligence = 7;
  knight.agi = 6;
  knight.wt = 40;
  knight.wtCount = 12;
  knight.skillPoint = 5;
  knight.extStates = {{2, EExtState::FAST}};
  const auto dialog = CreateStatusDialog(knight);

  EXPECT_EQ(dialog->width, 250);
  EXPECT_EQ(dialog->height, 220);
  EXPECT_EQ(dialog->title, knight.name + " LV:1");
  EXPECT_EQ(dialog->font, fontNormal16);
  EXPECT_EQ(dialog->titleColor, EColorName::White);
  EXPECT_EQ(Text(*dialog, "HP"), "HP 13 / " + std::to_string(knight.maxHp));
  EXPECT_EQ(Text(*dialog, "WT_"), "12/40") << "the full window shows the raw wait";
  EXPECT_EQ(Text(*dialog, "ATK_"), "14") << "strength plus the spear's power 5";
  EXPECT_EQ(Text(*dialog, "DEF_"), "7") << "half of 15, rounded down";
  EXPECT_EQ(Text(*dialog, "MATK_"), "7");
  EXPECT_EQ(Text(*dialog, "MDEF_"), "3");
  EXPECT_EQ(Text(*dialog, "HIT_"), std::to_string(knight.GetDex() + 80));
  EXPECT_EQ(Text(*dialog, "FLEE_"), "6");
  EXPECT_EQ(Text(*dialog, "SkillPT_"), "  5");
  EXPECT_EQ(Text(*dialog, "VIT_"), "15");
  EXPECT_EQ(Text(*dialog, "LabelWeaponName"), "スピア");
  EXPECT_EQ(Text(*dialog, "LabelWeaponAtk_"), "5");

  // Captions black, figures purple, the gauge texts white and edged.
  EXPECT_EQ(Label(*dialog, "DEF").textColor, EColorName::Black);
  for (const char* value : {"WT_", "DEF_", "SkillPT_", "LabelWeaponName", "LabelWeaponAtk_"})
    EXPECT_EQ(Label(*dialog, value).textColor, EColorName::Purple) << value;
  EXPECT_EQ(Label(*dialog, "MP").textColor, EColorName::White);
  EXPECT_EQ(Label(*dialog, "MP").font, fontEdge14);
  EXPECT_EQ(dialog->FindPane("HIT_")->position, SPoint(138, 100));
  EXPECT_EQ(dialog->FindPane("INT_")->position, SPoint(138, 142));

  const auto* hp = dynamic_cast<const CPaneGauge*>(dialog->FindPane("GaugeHP"));
  ASSERT_NE(hp, nullptr);
  EXPECT_EQ(hp->value, 13);
  EXPECT_EQ(hp->maximum, knight.maxHp);
  EXPECT_EQ(hp->frameColor, EColorName::Black);
  EXPECT_EQ(hp->barColor, EColorName::Green);
  const auto* face = dynamic_cast<const CPaneImage*>(dialog->FindPane("Icon"));
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->width, 96) << "the face picture is measured";
  EXPECT_EQ(dialog->GetFocusedPane(), nullptr) << "nothing in a status window takes the focus";
}

TEST_F(BattleWindowsTest, CompactBoxShowsTheEffectiveWaitAndOneIconPerEffect) {
  CUnit& slime = Make(ECharactor::SLIME, 1, {4, 4});
  slime.rank = 2;
  slime.wt = 40;
  slime.extStates = {{3, EExtState::FAST}};
  auto one = CreateCheapStatusDialog(slime);
  EXPECT_EQ(one->height, 140);
  EXPECT_EQ(one->title, slime.name + " LV:3");
  EXPECT_EQ(Text(*one, "WT_"), std::to_string(slime.wtCount) + "/26") << "FAST shortens 40 to 26";
  EXPECT_EQ(one->FindPane("SkillPT"), nullptr) << "the compact box has no parameter rows";

  slime.extStates.clear();
  auto none = CreateCheapStatusDialog(slime);
  EXPECT_EQ(none->FindPane("ExtStateIcon0"), nullptr);
  EXPECT_EQ(none->FindPane("REST_TURN_0"), nullptr);

  slime.extStates = {{2, EExtState::POISON}, {5, EExtState::SLOW}, {1, EExtState::MOVE_DOWN},
                     {4, EExtState::PROVOCATION}};
  auto four = CreateCheapStatusDialog(slime);
  for (int i = 0; i < 4; ++i) {
    const std::string n = std::to_string(i);
    ASSERT_NE(four->FindPane("ExtStateIcon" + n), nullptr);
    EXPECT_EQ(four->FindPane("ExtStateIcon" + n)->position, SPoint(24 * i, 92));
    EXPECT_EQ(four->FindPane("REST_TURN_" + n)->position, SPoint(1 + 24 * i, 104));
    EXPECT_EQ(Label(*four, "REST_TURN_" + n).font, fontEdge12);
    EXPECT_EQ(Label(*four, "REST_TURN_" + n).textColor, EColorName::White);
  }
  EXPECT_EQ(Text(*four, "REST_TURN_1"), "5");
  EXPECT_EQ(four->FindPane("ExtStateIcon4"), nullptr);
}

TEST_F(BattleWindowsTest, StatusWindowEndsOnCancelAndPassesOtherKeysToItsDialog) {
  CUnit& knight = Make(ECharactor::KNIGHT, 0, {3, 3});
  CStatusWindow window(knight, {30, 40});
  EXPECT_EQ(window.GetDialog()->position, SPoint(30, 40));
  EXPECT_EQ(window.GetDialog()->width, 250);

  // A hook on the dialog tells whether the keys reached it.
  struct CCountingHook : CDialogHook {
    void ProcessInput(CKeyManagerBase&) override { ++calls; }
    int calls = 0;
  };
  auto hook = std::make_unique<CCountingHook>();
  CCountingHook* counter = hook.get();
  window.GetDialog()->SetHook(std::move(hook));

  CScriptedKeys keys;
  keys.pushed = {EGameKey::DOWN};
  window.ProcessInput(keys);
  EXPECT_FALSE(window.IsEnd());
  EXPECT_EQ(counter->calls, 1);

  keys.pushed = {EGameKey::CANCEL};
  window.ProcessInput(keys);
  EXPECT_TRUE(window.IsEnd());
  EXPECT_EQ(counter->calls, 1) << "CANCEL only ends the window";

  CCheapStatusWindow box(knight, {0, 0});
  keys.pushed = {EGameKey::CANCEL};
  box.ProcessInput(keys);
  EXPECT_TRUE(box.IsEnd());
}

TEST_F(BattleWindowsTest, PredictionFollowsTheFormulasForWeaponsMagicHealingAndStatusSkills) {
  CUnit& knight = Make(ECharactor::KNIGHT, 0, {3, 3});
  CUnit& priestess = Make(ECharactor::PRIESTESS, 0, {3, 4});
  CUnit& kobold = Make(ECharactor::KOBOLD, 1, {3, 2});
  knight.hp = knight.maxHp / 2;

  CActionPredictWindow weapon(knight, kobold, false, true, false, ESkill::FIRE_BOLT);
  const CDialog& box = *weapon.GetPredictionBox();
  EXPECT_EQ(box.title, "結果予測");
  char rate[64];
  std::snprintf(rate, sizeof rate, "命中率:% 3d%%", GetWeaponHitRate(knight, kobold));
  EXPECT_EQ(Text(box, "rate"), rate);
  EXPECT_EQ(Text(box, "point"), "ダメージ:" + std::to_string(GetWeaponDamage(knight, kobold)));

  CActionPredictWindow magic(priestess, kobold, false, true, true, ESkill::FIRE_BOLT);
  EXPECT_EQ(Text(*magic.GetPredictionBox(), "rate"), "命中率:100%");
  EXPECT_EQ(Text(*magic.GetPredictionBox(), "point"),
            "ダメージ:" + std::to_string(GetSkillValue(ESkill::FIRE_BOLT, priestess, kobold)));

  CActionPredictWindow heal(priestess, knight, false, true, true, ESkill::HEAL);
  const int healing = -GetSkillValue(ESkill::HEAL, priestess, knight);
  ASSERT_GT(healing, 0);
  EXPECT_EQ(Text(*heal.GetPredictionBox(), "rate"), "命中率:100%");
  EXPECT_EQ(Text(*heal.GetPredictionBox(), "point"), "回復値:" + std::to_string(healing));

  CActionPredictWindow poison(priestess, kobold, false, true, true, ESkill::POISON);
  std::snprintf(rate, sizeof rate, "命中率:% 3d%%", GetWeaponHitRate(priestess, kobold));
  EXPECT_EQ(Text(*poison.GetPredictionBox(), "rate"), rate) << "a status skill can miss";
  EXPECT_EQ(Text(*poison.GetPredictionBox(), "point"), "ダメージ:0");

  CActionPredictWindow thrust(knight, kobold, false, true, true, ESkill::LONG_THRUST);
  EXPECT_EQ(Text(*thrust.GetPredictionBox(), "point"),
            "ダメージ:" + std::to_string(GetSkillValue(ESkill::LONG_THRUST, knight, kobold)));

  EXPECT_EQ(Text(*weapon.GetTargetBox(), "UNITTYPE"), "コボルド");
  EXPECT_EQ(Text(*weapon.GetAttackerBox(), "HP"), "HP " + std::to_string(knight.hp) + " / " +
                                                     std::to_string(knight.maxHp));
}

TEST_F(BattleWindowsTest, PredictionRowSitsAtTheTopOrAboveTheBottomAndTheArrowPointsRight) {
  CUnit& knight = Make(ECharactor::KNIGHT, 0, {3, 3});
  CUnit& kobold = Make(ECharactor::KOBOLD, 1, {3, 2});
  struct SCase {
    bool lower, overlay;
    int y;
  };
  for (const SCase c : {SCase{false, true, 0}, SCase{false, false, 0}, SCase{true, true, 304},
                        SCase{true, false, 340}}) {
    SCOPED_TRACE(std::to_string(c.lower) + "," + std::to_string(c.overlay));
    CActionPredictWindow w(knight, kobold, c.lower, c.overlay, false, ESkill::FIRE_BOLT);
    EXPECT_EQ(w.GetAttackerBox()->position, SPoint(0, c.y));
    EXPECT_EQ(w.GetTargetBox()->position, SPoint(390, c.y));
    EXPECT_EQ(w.GetPredictionBox()->position, SPoint(250, c.y));
    EXPECT_EQ(w.GetPredictionBox()->width, 140);
    EXPECT_FALSE(w.IsEnd());

    CCallRecording rec;
    w.Draw();
    const std::vector<std::string> calls = rec.Calls();
    ASSERT_FALSE(calls.empty());
    // First the arrow, centred at (320, box y + 70 + 28) and turned a quarter.
    const std::string first = calls[calls[0].rfind("SetDrawBlendMode", 0) == 0 ? 1 : 0];
    EXPECT_EQ(first.rfind("DrawRotaGraph(320," + std::to_string(c.y + 98) + ",1,1.5708,", 0), 0u) << first;
  }
}

TEST_F(BattleWindowsTest, SkillListNamesRowsByIndexAndGreysWhatTheUnitCannotPay) {
  CUnit& sorceress = Make(ECharactor::SORCERESS, 0, {3, 3});
  sorceress.skills = {ESkill::FIRE_BOLT, ESkill::LIGHTNING_BOLT, ESkill::FIRE_WALL};
  sorceress.mp = 7;  // pays 4 and 7, not 10
  auto dialog = CreateSkillSelectDialog(sorceress);
  EXPECT_EQ(dialog->width, 300);
  EXPECT_EQ(dialog->height, 192);
  EXPECT_EQ(dialog->title, "スキル選択");
  EXPECT_TRUE(dialog->wrapsFocus);
  EXPECT_TRUE(dialog->hasVerticalScrollBar);

  for (int j = 0; j < 3; ++j) {
    const std::string n = std::to_string(j);
    const auto* row = dynamic_cast<const CPaneContainer*>(dialog->FindPane(n));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->position, SPoint(10, 5 + 24 * j));
    EXPECT_TRUE(row->focusable);
    const auto* cost = dynamic_cast<const CPaneTextLabel*>(row->FindChild("Label2_" + n));
    ASSERT_NE(cost, nullptr);
    EXPECT_EQ(cost->position, SPoint(200, 2));
    const EColorName expected = j == 2 ? kUnavailableTextColor : EColorName::Black;
    EXPECT_EQ(cost->textColor, expected);
    EXPECT_EQ(dynamic_cast<const CPaneTextLabel*>(row->FindChild("Label1_" + n))->textColor, expected);
  }
  const auto* dearest = dynamic_cast<const CPaneContainer*>(dialog->FindPane("2"));
  EXPECT_EQ(static_cast<const CPaneTextLabel*>(dearest->FindChild("Label2_2"))->text, "消費:10");
  EXPECT_EQ(static_cast<const CPaneTextLabel*>(dearest->FindChild("Label1_2"))->text, "ファイヤーウォール");

  CGuiManager manager;
  CDialog* open = manager.OpenDialog({100, 100}, std::move(dialog));
  EXPECT_EQ(open->GetFocusedPane()->name, "0");
  open->MovePaneFocuse(3);
  open->MovePaneFocuse(3);
  EXPECT_EQ(open->GetFocusedPane()->name, "2") << "a skill too dear still takes the focus";
  open->MovePaneFocuse(3);
  EXPECT_EQ(open->GetFocusedPane()->name, "0") << "the list wraps";

  CUnit& none = Make(ECharactor::SLIME, 1, {0, 0});
  none.skills.clear();
  auto empty = CreateSkillSelectDialog(none);
  EXPECT_TRUE(empty->GetPanes().empty());
}

}  // namespace
