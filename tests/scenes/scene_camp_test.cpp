// The camp driven frame by frame with scripted keys.
#include "scenes/scene_camp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "battle/stage.h"
#include "gfx/call_recording.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "runtime/globals.h"
#include "runtime/scene.h"
#include "scenes/main_loop_keys.h"
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
    Frame(camp, {EGameKey::CANCEL});  // the box that says so goes
    Frame(camp);
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

// ---- through the main loop, with the keyboard ----------------------------------

class CampKeysTest : public MainLoopKeysTest {
 protected:
  CSceneCamp& StartCamp() {
    gSystemData.mLastUpdateTime = CurrentUtcMilliseconds();  // as the title does
    return Start(std::make_unique<CSceneCamp>());
  }
  // The dialog that has the keys.
  static CDialog* Top(CSceneCamp& camp) {
    CDialog* d = camp.GetMainManager().GetDialogs().back().get();
    while (d->GetChild()) d = d->GetChild();
    return d;
  }
  static std::string Focus(const CDialog& dialog) {
    const CPaneBase* pane = dialog.GetFocusedPane();
    return pane ? pane->name : "(none)";
  }
  // Down the camp menu to `item`, then Z.
  void Choose(CSceneCamp& camp, const std::string& item) {
    for (int i = 0; i < 4 && Focus(*camp.GetRootDialog()) != item; ++i) Tap(KEY_INPUT_DOWN);
    ASSERT_EQ(Focus(*camp.GetRootDialog()), item);
    Tap(KEY_INPUT_Z);
  }
  static std::string RowText(const CDialog& dialog, const std::string& row, const std::string& label) {
    const auto* container = dynamic_cast<const CPaneContainer*>(dialog.FindPane(row));
    const auto* found = container ? dynamic_cast<const CPaneTextLabel*>(container->FindChild(label)) : nullptr;
    return found ? found->text : "(no " + label + ")";
  }
};

TEST_F(CampKeysTest, OneTapOfXClosesOneLevelAndOnlyANewTapTheNext) {
  const struct {
    const char* item;
    const char* list;
    const char* inner;
  } cases[] = {
      {"senario",   "シナリオ選択", "出撃ユニット選択(0/3)"},
      {"editparam", "ユニット選択", "ステータス振り分け"},
      {"getskill",  "ユニット選択", "スキル取得"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    CSceneCamp& camp = StartCamp();
    Choose(camp, c.item);
    ASSERT_EQ(Top(camp)->title, c.list);
    Tap(KEY_INPUT_Z);
    ASSERT_EQ(Top(camp)->title, c.inner);
    Tap(KEY_INPUT_X, 10, 4);  // a slow tap, held well past the frame that closed the dialog
    EXPECT_EQ(Top(camp)->title, c.list);
    Tap(KEY_INPUT_X);
    EXPECT_EQ(Top(camp), camp.GetRootDialog());
  }
}

TEST_F(CampKeysTest, HoldingDownKeepsTheInformationBoxOnTheFocusedRow) {
  const std::map<std::string, std::string> rewards = {
      {"0", "クリア報酬: 50円"},  {"1", "クリア報酬: 80円"},  {"2", "クリア報酬: 120円"}, {"3", "クリア報酬: 150円"},
      {"4", "クリア報酬: 180円"}, {"5", "クリア報酬: 200円"}, {"6", "クリア報酬: 240円"}, {"7", "クリア報酬: 280円"},
  };
  const std::map<std::string, std::string> parameters = {
      {"HP", "生命力"},   {"MP", "精神力"}, {"STR", "力"},      {"VIT", "体力"},   {"DEX", "器用さ"},
      {"AGI", "素早さ"},  {"INT", "知能"},  {"WT", "行動力"},  {"MOVE", "移動力"},
  };
  const struct {
    const char* item;
    int opens;  // Z taps from the camp menu's item to the list held in
    const std::map<std::string, std::string>* shown;  // focused row -> the box's text
  } cases[] = {
      {"senario",   0, &rewards},
      {"editparam", 1, &parameters},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    CSceneCamp& camp = StartCamp();
    Choose(camp, c.item);
    for (int i = 0; i < c.opens; ++i) Tap(KEY_INPUT_Z);
    CDialog* list = Top(camp);
    CCallRecording rec;
    std::set<std::string> visited;
    gamelib_test::SetKeyDown(KEY_INPUT_DOWN, true);
    for (int frame = 0; frame < 120; ++frame) {
      rec.Clear();
      Frames(1);
      const std::string focus = Focus(*list);
      visited.insert(focus);
      const auto texts = rec.DrawnTexts();
      std::vector<std::string> described;
      for (const auto& [row, text] : *c.shown) {
        if (std::find(texts.begin(), texts.end(), text) != texts.end()) described.push_back(row);
      }
      EXPECT_EQ(described, std::vector<std::string>{focus}) << "frame " << frame;
    }
    gamelib_test::SetKeyDown(KEY_INPUT_DOWN, false);
    Frames(1);
    EXPECT_EQ(visited.size(), c.shown->size()) << "the held key went round the whole list";
  }
}

TEST_F(CampKeysTest, TheUnitListShowsThePointsLeftAsSoonAsTheyAreSpent) {
  saveData->party[0]->skillPoint = 21;
  CSceneCamp& camp = StartCamp();
  Choose(camp, "editparam");
  const CDialog* units = Top(camp);
  EXPECT_EQ(RowText(*units, "0", "SkillPoint0"), " 21pt");
  Tap(KEY_INPUT_Z);  // the knight's parameters, HP focused
  Tap(KEY_INPUT_RIGHT);  // 20 -> 21 for 3 + 20 / 10 points
  Tap(KEY_INPUT_RIGHT);  // 21 -> 22 for 3 + 21 / 10
  EXPECT_EQ(RowText(*units, "0", "SkillPoint0"), " 21pt") << "nothing is spent before it is confirmed";
  Tap(KEY_INPUT_Z);  // 確定しますか？
  ASSERT_EQ(Top(camp)->title, "確定しますか？");
  gamelib_test::SetKeyDown(KEY_INPUT_Z, true);  // はい
  Frames(1);
  EXPECT_EQ(RowText(*units, "0", "SkillPoint0"), " 11pt") << "in the frame of the answer";
  gamelib_test::SetKeyDown(KEY_INPUT_Z, false);
  Frames(2);
  EXPECT_EQ(saveData->party[0]->skillPoint, 11);
  EXPECT_EQ(saveData->party[0]->maxHp, 22);
}

TEST_F(CampKeysTest, SavingSaysSoInABoxThatGoesWithAKeyOrByItself) {
  CSceneCamp& camp = StartCamp();
  Choose(camp, "save");
  ASSERT_EQ(Top(camp)->title, "データ選択");
  EXPECT_LE(Top(camp)->position.x + Top(camp)->width, 640 - 8) << "widened for the dates, still on the screen";
  for (int i = 0; i < 3; ++i) Tap(KEY_INPUT_DOWN);
  Tap(KEY_INPUT_Z, 4, 0);
  EXPECT_TRUE(std::filesystem::exists(saves.Path("save03.dat")));
  CDialog* box = Top(camp);
  EXPECT_EQ(box->title, "セーブ完了");
  const auto* said = dynamic_cast<const CPaneTextLabel*>(box->FindPane("LabelExplanation0"));
  ASSERT_NE(said, nullptr);
  EXPECT_EQ(said->text, "セーブしました");
  Frames(4);
  Tap(KEY_INPUT_X);
  EXPECT_EQ(Top(camp)->title, "データ選択") << "X sends the box away and stays in the list";
  EXPECT_EQ(Focus(*Top(camp)), "3");

  Tap(KEY_INPUT_Z, 4, 0);  // the same slot again
  ASSERT_EQ(Top(camp)->title, "セーブ完了");
  Frames(80);
  EXPECT_EQ(Top(camp)->title, "セーブ完了");
  Frames(10);
  EXPECT_EQ(Top(camp)->title, "データ選択") << "it goes by itself after a second and a half";
  Tap(KEY_INPUT_X);
  EXPECT_EQ(Top(camp), camp.GetRootDialog());
}

}  // namespace
