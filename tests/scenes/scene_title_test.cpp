// The title driven frame by frame with scripted keys.
#include "scenes/scene_title.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "runtime/globals.h"
#include "runtime/scene.h"
#include "scenes/scene_camp.h"
#include "ui/dialog.h"
#include "ui/ui_test_support.h"

namespace {

class SceneTitleTest : public RealBattleTest {
 protected:
  void SetUp() override {
    auto k = std::make_unique<CScriptedKeys>();
    keys = k.get();
    keyManager = std::move(k);
    persist_test::SetSaveDirectory(saves.Dir());
    quitRequested = false;
  }
  void TearDown() override {
    persist_test::SetSaveDirectory("dat/save/");
    nextScene.reset();
    saveData.reset();
    keyManager.reset();
    quitRequested = false;
  }
  void Frame(CSceneTitle& title, std::initializer_list<EGameKey> pushed = {}) {
    keys->pushed = pushed;
    title.ProcessInput();
    title.Update();
    keys->pushed.clear();
  }
  static std::string Focus(const CDialog& d) {
    const CPaneBase* p = d.GetFocusedPane();
    return p ? p->name : "(none)";
  }
  // A save of a new game with `money` in slot `slot`, written at `time`.
  void Save(int slot, int money, std::int64_t time) {
    auto data = NewGameSaveData();
    data->money = money;
    CSystemData system;
    SaveSaveData(*data, SaveSlotPath(slot), system, time);
    std::filesystem::last_write_time(SaveSlotPath(slot), std::filesystem::file_time_type::clock::now() +
                                                              std::chrono::seconds(time));
  }

  CScriptedKeys* keys = nullptr;
  CTempTree saves{"title_saves"};
};

TEST_F(SceneTitleTest, StartsTheNewGameOnlyOnceItIsCurrent) {
  // A battle given up builds the title while it still runs on the party of
  // the old save data.
  saveData = NewGameSaveData();
  const CSaveData* before = saveData.get();
  CSceneTitle title;
  EXPECT_EQ(saveData.get(), before);
  Frame(title);
  EXPECT_NE(saveData.get(), before);
  const CSaveData* started = saveData.get();
  Frame(title);
  EXPECT_EQ(saveData.get(), started) << "once";
}

TEST_F(SceneTitleTest, TheMenuStartsANewGameOrQuitsThroughTheMainLoop) {
  CSceneTitle title;
  Frame(title);
  EXPECT_EQ(title.rootDialog, nullptr) << "the bare picture first";
  Frame(title, {EGameKey::DECIDE});
  ASSERT_NE(title.rootDialog, nullptr);
  EXPECT_EQ(Focus(*title.rootDialog), "start") << "no save yet";
  Frame(title, {EGameKey::CANCEL});
  EXPECT_EQ(title.rootDialog, nullptr);
  Frame(title, {EGameKey::DECIDE});
  Frame(title, {EGameKey::DECIDE});
  EXPECT_NE(dynamic_cast<CSceneCamp*>(nextScene.get()), nullptr);
  nextScene.reset();

  CSceneTitle again;
  Frame(again, {EGameKey::DECIDE});
  again.rootDialog->SetFocus("start", false);
  again.rootDialog->SetFocus("quit", true);
  Frame(again, {EGameKey::DECIDE});
  EXPECT_TRUE(quitRequested);
  EXPECT_EQ(nextScene, nullptr);
}

TEST_F(SceneTitleTest, ContinuingOpensOnTheLatestSaveAndRefusesEmptyAndDamagedSlots) {
  Save(3, 300, 10);
  Save(10, 1000, 20);
  saves.Write("save05.dat", "damaged beyond reading");
  CSceneTitle title;
  Frame(title, {EGameKey::DECIDE});
  EXPECT_EQ(Focus(*title.rootDialog), "load") << "a save exists";
  Frame(title, {EGameKey::DECIDE});
  auto* load = dynamic_cast<CStrategy_Load*>(title.GetStrategy());
  ASSERT_NE(load, nullptr);
  CDialog& slots = *load->GetSlotList();
  EXPECT_EQ(Focus(slots), "10") << "the most recent save";

  // An empty slot: nothing happens.
  slots.SetFocus("10", false);
  slots.SetFocus("0", true);
  Frame(title, {EGameKey::DECIDE});
  EXPECT_EQ(nextScene, nullptr);
  EXPECT_EQ(title.GetStrategy(), load);

  // A damaged slot: a box says so and nothing changes.
  const CSaveData* before = saveData.get();
  slots.SetFocus("0", false);
  slots.SetFocus("5", true);
  Frame(title, {EGameKey::DECIDE});
  EXPECT_EQ(saveData.get(), before);
  EXPECT_EQ(nextScene, nullptr);
  ASSERT_NE(slots.GetChild(), nullptr);
  Frame(title, {EGameKey::DECIDE});  // the box goes
  Frame(title);
  EXPECT_EQ(slots.GetChild(), nullptr);

  slots.SetFocus("5", false);
  slots.SetFocus("10", true);
  testing::internal::CaptureStdout();
  Frame(title, {EGameKey::DECIDE});
  EXPECT_NE(testing::internal::GetCapturedStdout().find("gSystemData.mLastUpdateTime = "), std::string::npos);
  EXPECT_EQ(saveData->money, 1000);
  EXPECT_NE(dynamic_cast<CSceneCamp*>(nextScene.get()), nullptr);
}

TEST_F(SceneTitleTest, TheEventListComesFromTheBarePictureAndGoesBackToIt) {
  CSceneTitle title;
  Frame(title, {EGameKey::SUB2});
  auto* events = dynamic_cast<CStrategy_EventMenu*>(title.GetStrategy());
  ASSERT_NE(events, nullptr);
  EXPECT_EQ(events->GetList()->title, "イベントデータ選択");
  Frame(title, {EGameKey::CANCEL});
  Frame(title, {EGameKey::DECIDE});
  EXPECT_NE(title.rootDialog, nullptr) << "the menu is offered again";
}

}  // namespace
