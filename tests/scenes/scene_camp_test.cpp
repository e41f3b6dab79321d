// The camp driven frame by frame with scripted keys.
#include "scenes/scene_camp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "battle/stage.h"
#include "gfx/call_recording.h"
#include "persist/save_data.h"
#include "runtime/globals.h"
#include "runtime/scene.h"
#include "ui/dialog.h"
#include "ui/key_help.h"
#include "ui/ui_test_support.h"

namespace {

class SceneCampTest : public RealBattleTest {
 protected:
  void SetUp() override {
    auto k = std::make_unique<CScriptedKeys>();
    keys = k.get();
    keyManager = std::move(k);
    saveData = NewGameSaveData();
    persist_test::SetSaveDirectory(saves.Dir());
  }
  void TearDown() override {
    persist_test::SetSaveDirectory("dat/save/");
    nextScene.reset();
    saveData.reset();
    keyManager.reset();
  }
  // One frame with these keys pushed (and held).
  void Frame(CSceneCamp& camp, std::initializer_list<EGameKey> pushed = {}) {
    keys->pushed = pushed;
    camp.ProcessInput();
    camp.Update();
    keys->pushed.clear();
  }
  static std::string Focus(const CDialog& dialog) {
    const CPaneBase* pane = dialog.GetFocusedPane();
    return pane ? pane->name : "(none)";
  }
  // The dialog opened last on the camp's main manager or inside it.
  static CDialog* Top(CSceneCamp& camp) {
    CDialog* d = camp.GetMainManager().GetDialogs().back().get();
    while (d->GetChild()) d = d->GetChild();
    return d;
  }

  CScriptedKeys* keys = nullptr;
  CTempTree saves{"camp_saves"};
};

TEST_F(SceneCampTest, ANewGameCampsWithAHundredYenAndEightMaps) {
  CSceneCamp camp;
  const auto* money = dynamic_cast<const CPaneTextLabel*>(
      dynamic_cast<CPaneContainer*>(camp.GetMoneyDialog()->FindPane("money"))->FindChild("money_label"));
  ASSERT_NE(money, nullptr);
  EXPECT_EQ(money->text, "100 円");

  Frame(camp, {EGameKey::DECIDE});  // シナリオ選択
  CDialog* maps = Top(camp);
  EXPECT_EQ(maps->title, "シナリオ選択");
  EXPECT_EQ(maps->GetPanes().size(), 8u);
  Frame(camp, {EGameKey::CANCEL});
  Frame(camp);
  saveData->bonusMapOpened = true;
  Frame(camp, {EGameKey::DECIDE});
  EXPECT_EQ(Top(camp)->GetPanes().size(), 9u) << "the bonus map once opened";
}

// X does nothing on the camp's first menu (a battle is the only way out),
// and the key help line says so there, clear of the menu and the money.
TEST_F(SceneCampTest, TheFirstMenuSaysThatXDoesNothingThere) {
  const std::string help = "Z:決定  X:ここでは何もしません";
  CSceneCamp camp;
  CCallRecording recording;
  camp.Draw();
  const std::optional<SPoint> at = recording.TextAt(help);
  ASSERT_TRUE(at.has_value());
  EXPECT_GE(KeyHelpBox(help, at->y - 2).left, camp.GetRootDialog()->width + 10) << "right of the menu";
  Frame(camp, {EGameKey::CANCEL});
  Frame(camp);
  EXPECT_EQ(Top(camp), camp.GetRootDialog());
  Frame(camp, {EGameKey::DECIDE});  // the map list has keys of its own
  recording.Clear();
  camp.Draw();
  EXPECT_FALSE(recording.TextAt(help).has_value());
}

TEST_F(SceneCampTest, TheSortieStartsTheBattleOfTheChosenMap) {
  CSceneCamp camp;
  Frame(camp, {EGameKey::DECIDE});  // the map list, stage 0 focused
  Frame(camp);
  Frame(camp, {EGameKey::DECIDE});  // the sortie dialog
  Frame(camp);
  CDialog* sortie = Top(camp);
  ASSERT_NE(sortie->GetHook(), nullptr);
  // Choose the first member and go.
  Frame(camp, {EGameKey::DECIDE});
  Frame(camp);
  sortie->SetFocus(Focus(*sortie), false);
  sortie->SetFocus("decide", true);
  Frame(camp, {EGameKey::DECIDE});
  auto* battle = dynamic_cast<CStage*>(nextScene.get());
  ASSERT_NE(battle, nullptr);
  EXPECT_EQ(battle->stageNo, 0);
  EXPECT_EQ(battle->state.CountTeam(0), 1);
}

TEST_F(SceneCampTest, ClosedEditorAndSortieDialogsHandTheKeysBack) {
  CSceneCamp camp;
  camp.GetRootDialog()->SetFocus("senario", false);
  camp.GetRootDialog()->SetFocus("editparam", true);
  Frame(camp, {EGameKey::DECIDE});
  Frame(camp);
  Frame(camp, {EGameKey::DECIDE});  // the first member's parameters
  Frame(camp);
  ASSERT_EQ(Top(camp)->title, "ステータス振り分け");
  Frame(camp, {EGameKey::CANCEL});
  Frame(camp);
  Frame(camp);
  ASSERT_EQ(Top(camp)->title, "ユニット選択");
  Frame(camp, {EGameKey::DECIDE});
  Frame(camp);
  EXPECT_EQ(Top(camp)->title, "ステータス振り分け") << "the list opens the parameters again";
  Frame(camp, {EGameKey::CANCEL});
  Frame(camp);
  Frame(camp, {EGameKey::CANCEL});  // and the list closes
  Frame(camp);

  camp.GetRootDialog()->SetFocus("editparam", false);
  camp.GetRootDialog()->SetFocus("senario", true);
  Frame(camp, {EGameKey::DECIDE});
  Frame(camp);
  Frame(camp, {EGameKey::DECIDE});  // the sortie, given up
  Frame(camp);
  Frame(camp, {EGameKey::CANCEL});
  Frame(camp);
  Frame(camp);
  CDialog* maps = Top(camp);
  ASSERT_EQ(maps->title, "シナリオ選択");
  Frame(camp, {EGameKey::DOWN});
  Frame(camp);
  EXPECT_EQ(Focus(*maps), "1") << "the map list has the keys again";
}

TEST_F(SceneCampTest, SavingWritesTheSlotAndKeepsTheFocusThere) {
  CSceneCamp camp;
  camp.GetRootDialog()->SetFocus("senario", false);
  camp.GetRootDialog()->SetFocus("save", true);
  Frame(camp, {EGameKey::DECIDE});
  Frame(camp);
  CDialog* slots = Top(camp);
  ASSERT_EQ(slots->title, "データ選択");
  EXPECT_EQ(Focus(*slots), "0") << "the focus starts on slot 0";
  for (int slot : {3, 10}) {
    slots->SetFocus(Focus(*slots), false);
    slots->SetFocus(std::to_string(slot), true);
    Frame(camp, {EGameKey::DECIDE});
    Frame(camp);
    char name[16];
    std::snprintf(name, sizeof name, "save%02d.dat", slot);
    EXPECT_TRUE(std::filesystem::exists(saves.Path(name))) << name;
    slots = Top(camp);
    EXPECT_EQ(Focus(*slots), std::to_string(slot)) << "the rebuilt list stays on the slot just used";
    const auto* caption = dynamic_cast<const CPaneTextLabel*>(
        dynamic_cast<CPaneContainer*>(slots->FindPane(std::to_string(slot)))->FindChild(std::to_string(slot) +
                                                                                        "_label"));
    EXPECT_NE(caption->text, "なし");
  }
}

TEST_F(SceneCampTest, ASaveThatCannotBeWrittenSaysSoAndKeepsTheGameGoing) {
  // A file where the save folder should be: nothing can be written there.
  saves.Write("blocked", "not a folder");
  persist_test::SetSaveDirectory(saves.Path("blocked") + "/");
  CSceneCamp camp;
  camp.GetRootDialog()->SetFocus("senario", false);
  camp.GetRootDialog()->SetFocus("save", true);
  Frame(camp, {EGameKey::DECIDE});
  Frame(camp);
  Frame(camp, {EGameKey::DECIDE});  // slot 0
  Frame(camp);
  CDialog* box = Top(camp);
  EXPECT_EQ(box->title, "セーブ失敗");
  Frame(camp, {EGameKey::DECIDE});  // read and closed
  Frame(camp);
  EXPECT_EQ(Top(camp)->title, "データ選択") << "still in the slot list";
}

}  // namespace
