// The start, victory and defeat announcements on a real stage.
#include "battle/announce.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "battle/stage_strategies.h"
#include "field/stage_data.h"
#include "gfx/call_recording.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "real_battle_test.h"
#include "runtime/key_manager.h"
#include "runtime/scene.h"
#include "ui/dialog.h"
#include "ui/panes.h"

namespace {

class AnnounceTest : public RealBattleTest {
 protected:
  void SetUp() override {
    keyManager = std::make_unique<CKeyManager>(options.joypadAssign);
    gamelib_test::ClearInjectedInput();
    saveData = NewGameSaveData();
    titleSceneMaker = [this]() -> std::unique_ptr<CScene> {
      ++scenesAsked;
      return nullptr;
    };
  }
  void TearDown() override {
    titleSceneMaker = nullptr;
    gamelib_test::ClearInjectedInput();
    keyManager.reset();
    saveData.reset();
  }
  std::vector<CUnit*> Party() {
    std::vector<CUnit*> out;
    for (auto& u : saveData->party) out.push_back(u.get());
    return out;
  }
  static void Frame(CStage& stage, bool decide = false) {
    gamelib_test::ClearInjectedInput();
    if (decide) gamelib_test::SetKeyDown(KEY_INPUT_Z, true);
    keyManager->Update();
    stage.ProcessInput();
    stage.Update();
  }
  // The telop runs out and the result dialog opens (with a frame in which
  // DECIDE is seen released).
  static CStrategy_ShowSkillPointResult* UntilResult(CStage& stage) {
    for (int i = 0; i < 200; ++i) {
      Frame(stage);
      auto* announce = dynamic_cast<CStageStrategy_Announce*>(stage.GetStrategy());
      auto* cleared = announce ? dynamic_cast<CStrategy_StageCleared*>(announce->GetStep()) : nullptr;
      if (auto* result = cleared ? dynamic_cast<CStrategy_ShowSkillPointResult*>(cleared->GetSubStep()) : nullptr) {
        Frame(stage);
        return result;
      }
    }
    return nullptr;
  }
  static std::string Text(CDialog& dialog, const std::string& row, const std::string& name) {
    auto* c = dynamic_cast<CPaneContainer*>(dialog.FindPane(row));
    return dynamic_cast<CPaneTextLabel*>(c->FindChild(name))->text;
  }

  COptionInfo options;
  int scenesAsked = 0;
};

TEST_F(AnnounceTest, TheStartTelopBrakesToAHaltAndTheBattleBeginsAtFrame180) {
  CStage stage(0, Party());
  auto* announce = dynamic_cast<CStageStrategy_Announce*>(stage.GetStrategy());
  ASSERT_NE(announce, nullptr);
  auto* telop = dynamic_cast<CStrategy_Telop*>(announce->GetStep());
  ASSERT_NE(telop, nullptr);
  struct Sample {
    int updates;
    double x;
  };
  // 30 frames at 8 px, then 8, 7.8, ... 0.2: 404 px in all, still from
  // frame 69 to 90, off again at 0.2 px.
  const Sample samples[] = {{1, 632}, {30, 400}, {31, 392}, {70, 236}, {91, 236}, {92, 235.8}};
  int done = 0;
  for (const Sample& s : samples) {
    for (; done < s.updates; ++done) Frame(stage, done % 2 == 0);  // keys change nothing
    EXPECT_NEAR(telop->GetPosition().x, s.x, 1e-9) << "after " << s.updates << " updates";
    EXPECT_EQ(telop->GetPosition().y, 240.0);
  }
  for (; done < 180; ++done) Frame(stage);
  EXPECT_EQ(stage.GetStrategy(), announce) << "still announcing after 180 updates";
  Frame(stage);
  EXPECT_NE(dynamic_cast<CStageStrategy_FreeScroll*>(stage.GetStrategy()), nullptr);
}

TEST_F(AnnounceTest, AWonBattlePaysHalfToTheFallenAndCountsTheClear) {
  CStage stage(0, Party());
  CUnit& knight = *saveData->party[0];
  CUnit& priestess = *saveData->party[1];
  knight.skillPoint = 10;
  priestess.skillPoint = 10;
  priestess.hp = 0;
  stage.state.battleSkillPoint = 7;
  saveData->money = 100;
  const int reward = GetStageInfo(0).reward;
  stage.SetStrategy(std::make_unique<CStageStrategy_Announce>(stage, CStageStrategy_Announce::STAGE_CLEARED));
  CStrategy_ShowSkillPointResult* result = UntilResult(stage);
  ASSERT_NE(result, nullptr);

  // The dialog shows the values before the payout.
  CDialog& dialog = *result->GetDialog();
  const auto rowOf = [&](const CUnit& u) {
    const auto& units = stage.state.units;
    return std::to_string(std::find(units.begin(), units.end(), &u) - units.begin());
  };
  const std::string k = rowOf(knight), p = rowOf(priestess);
  EXPECT_EQ(Text(dialog, k, "LabelAppendSkillPoint" + k), "+   7");
  EXPECT_EQ(Text(dialog, p, "LabelAppendSkillPoint" + p), "+   3");
  EXPECT_EQ(Text(dialog, p, "LabelNewSkillPoint" + p), "=  13pt");
  const std::string m = std::to_string(stage.state.units.size());
  EXPECT_EQ(Text(dialog, m, "LabelNewMoney" + m), "= " + std::string(reward + 100 < 1000 ? " " : "") +
                                                       std::to_string(100 + reward) + "円");

  Frame(stage, true);
  EXPECT_EQ(knight.skillPoint, 17);
  EXPECT_EQ(priestess.skillPoint, 13);
  EXPECT_EQ(priestess.hp, priestess.maxHp) << "every party member is ready for the next battle";
  EXPECT_EQ(saveData->money, 100 + reward);
  EXPECT_EQ(saveData->clearCounts[0], 1);
  EXPECT_EQ(scenesAsked, 1) << "on to the camp (the title while there is none)";
}

// The result waits for Z and says so in the key help line, which goes
// with the overlay like every help line of the battle.
TEST_F(AnnounceTest, TheResultSaysThatZGoesOn) {
  CStage stage(0, Party());
  stage.SetStrategy(std::make_unique<CStageStrategy_Announce>(stage, CStageStrategy_Announce::STAGE_CLEARED));
  ASSERT_NE(UntilResult(stage), nullptr);
  CCallRecording recording;
  for (bool overlay : {true, false}) {
    stage.overlay = overlay;
    recording.Clear();
    stage.Draw();
    EXPECT_EQ(recording.TextAt("Z:次へ").has_value(), overlay);
  }
}

TEST_F(AnnounceTest, TheFirstAllClearOpensTheBonusMapOnlyWithoutRetries) {
  struct Case {
    std::vector<std::int32_t> countsBefore;  // stages 0..8; stage 0 is won now
    bool congratulated;
    bool bonus;
  };
  const Case cases[] = {
      {{0, 1, 1, 1, 1, 1, 1, 1, 0}, true, true},    // every map once
      {{0, 1, 2, 1, 1, 1, 1, 1, 0}, true, false},   // one map retried
      {{1, 1, 1, 1, 1, 1, 1, 1, 0}, false, false},  // all cleared before
      {{0, 0, 1, 1, 1, 1, 1, 1, 0}, false, false},  // one still to go
  };
  for (const Case& c : cases) {
    saveData = NewGameSaveData();
    saveData->clearCounts = c.countsBefore;
    scenesAsked = 0;
    CStage stage(0, Party());
    stage.SetStrategy(std::make_unique<CStageStrategy_Announce>(stage, CStageStrategy_Announce::STAGE_CLEARED));
    ASSERT_NE(UntilResult(stage), nullptr);
    Frame(stage, true);
    auto* announce = dynamic_cast<CStageStrategy_Announce*>(stage.GetStrategy());
    auto* all = dynamic_cast<CStrategy_AllCleared*>(
        dynamic_cast<CStrategy_StageCleared*>(announce->GetStep())->GetSubStep());
    EXPECT_EQ(all != nullptr, c.congratulated);
    EXPECT_EQ(saveData->bonusMapOpened, c.bonus);
    if (all) {
      EXPECT_EQ(all->GetDialog()->title, c.bonus ? "素晴らしい！！" : "惜しい！");
      EXPECT_EQ(scenesAsked, 0);
      Frame(stage);
      Frame(stage, true);
    }
    EXPECT_EQ(scenesAsked, 1);
  }
}

TEST_F(AnnounceTest, ADefeatReturnsToTheTitleAndChangesNoSave) {
  CStage stage(0, Party());
  const std::int32_t money = saveData->money;
  stage.SetStrategy(std::make_unique<CStageStrategy_Announce>(stage, CStageStrategy_Announce::GAME_OVER));
  for (int i = 0; i < 180; ++i) Frame(stage, true);
  EXPECT_EQ(scenesAsked, 0);
  Frame(stage);
  EXPECT_EQ(scenesAsked, 1);
  EXPECT_EQ(saveData->money, money);
}

}  // namespace
