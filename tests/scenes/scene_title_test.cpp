// The title driven frame by frame with scripted keys.
#include "scenes/scene_title.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "assets/temp_tree.h"
#include "battle/real_battle_test.h"
#include "gfx/call_recording.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "scenario/event_strategy.h"
#include "runtime/globals.h"
#include "runtime/scene.h"
#include "scenes/main_loop_keys.h"
#include "scenes/scene_camp.h"
#include "ui/dialog.h"
#include "ui/panes.h"
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

TEST_F(SceneTitleTest, TheEventListIsSortedByNameAndPlaysTheChosenScriptOrSaysWhyItCannot) {
  CTempTree events("title_events");
  events.Write("b.xml", "<script/>");
  events.Write("a.xml", "<script><bundler><sequence><event type=\"Wait\" frame=\"1\"/></sequence></bundler></script>");
  events.Write("C.XML", "<script/>");
  events.Write("notes.txt");
  events.Write("broken.xml", "<script>\n<bundler></script>");
  CSceneTitle title;
  Frame(title);
  title.SetStrategy(std::make_unique<CStrategy_EventMenu>(title, events.Dir()));
  auto* menu = dynamic_cast<CStrategy_EventMenu*>(title.GetStrategy());
  ASSERT_NE(menu, nullptr);
  CDialog& list = *menu->GetList();
  std::vector<std::string> keys;
  for (const auto& pane : list.GetPanes()) {
    if (!pane->name.ends_with("_label")) keys.push_back(pane->name);
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"a.xml", "b.xml", "broken.xml"})) << "capitals are no script";

  Frame(title, {EGameKey::DECIDE});
  auto* stage = dynamic_cast<CStage*>(nextScene.get());
  ASSERT_NE(stage, nullptr);
  EXPECT_EQ(dynamic_cast<CStageStrategy_Event&>(*stage->GetStrategy()).GetCurrentPath(), events.Path("a.xml"));
  nextScene.reset();

  list.SetFocus("a.xml", false);
  list.SetFocus("broken.xml", true);
  testing::internal::CaptureStderr();
  Frame(title, {EGameKey::DECIDE});
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(nextScene, nullptr);
  EXPECT_NE(said.find("event script '" + events.Path("broken.xml") + "' line 2: not well-formed XML"),
            std::string::npos)
      << said;
  ASSERT_NE(menu->GetNotice(), nullptr);
  EXPECT_EQ(menu->GetNotice()->title, "イベント読み込み失敗");
  auto* first = dynamic_cast<CPaneTextLabel*>(menu->GetNotice()->FindPane("LabelExplanation0"));
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->text.starts_with("「broken.xml」を")) << first->text;
  Frame(title, {EGameKey::DECIDE});  // the box goes; the list stays
  Frame(title);
  EXPECT_EQ(list.GetChild(), nullptr);
  EXPECT_EQ(title.GetStrategy(), menu);
  Frame(title, {EGameKey::CANCEL});
  EXPECT_NE(dynamic_cast<CStrategy_TitleRootMenu*>(title.GetStrategy()), nullptr);
}

// ---- through the main loop, with the keyboard ----------------------------------

class TitleKeysTest : public MainLoopKeysTest {
 protected:
  // A title whose story scenes are those of `events`.
  CSceneTitle& StartTitle(const CTempTree& events) {
    auto title = std::make_unique<CSceneTitle>();
    title->eventDirectory = events.Dir();
    return Start(std::move(title));
  }
  // Whether the last frame drew `text`.
  bool Drew(const CCallRecording& rec, const std::string& text) {
    rec.Clear();
    Frames(1);
    const auto texts = rec.DrawnTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
};

TEST_F(TitleKeysTest, PressZBlinksOnTheBarePictureUntilTheMenuOpens) {
  const CTempTree events("title_hint_events");
  CSceneTitle& title = StartTitle(events);  // frame 1
  CCallRecording rec;
  // 40 frames shown, 20 not, counted from the title's first frame.
  std::vector<int> shown;
  for (int frame = 2; frame <= 130; ++frame) {
    if (Drew(rec, "Press Z")) shown.push_back(frame);
  }
  std::vector<int> expected;
  for (int frame = 2; frame <= 130; ++frame) {
    if ((frame >= 2 && frame <= 39) || (frame >= 60 && frame <= 99) || frame >= 120) expected.push_back(frame);
  }
  EXPECT_EQ(shown, expected);

  gamelib_test::SetKeyDown(KEY_INPUT_Z, true);
  Frames(1);
  gamelib_test::SetKeyDown(KEY_INPUT_Z, false);
  ASSERT_NE(title.rootDialog, nullptr);
  for (int frame = 0; frame < 60; ++frame) EXPECT_FALSE(Drew(rec, "Press Z")) << "with the menu, frame " << frame;
}

TEST_F(TitleKeysTest, TheMenuNamesTheStoryListKeyWhenThereAreStoryScenesAndSOpensIt) {
  const struct {
    const char* what;
    std::vector<std::string> files;
    bool named;
  } cases[] = {
      {"a story scene",            {"00_prologue.xml", "notes.txt"}, true},
      {"no story scene",           {},                               false},
      {"only other files",         {"notes.txt", "OLD.XML"},         false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const CTempTree events("title_menu_events");
    for (const std::string& name : c.files) events.Write(name, "<script/>");
    CSceneTitle& title = StartTitle(events);
    CCallRecording rec;
    EXPECT_FALSE(Drew(rec, "S: イベント一覧")) << "not on the bare picture";
    Tap(KEY_INPUT_Z);
    ASSERT_NE(title.rootDialog, nullptr);
    EXPECT_EQ(Drew(rec, "S: イベント一覧"), c.named);
    Tap(KEY_INPUT_S);
    EXPECT_EQ(title.rootDialog, nullptr);
    auto* list = dynamic_cast<CStrategy_EventMenu*>(title.GetStrategy());
    ASSERT_NE(list, nullptr) << "S answers on the menu too";
    EXPECT_EQ(list->GetList()->GetPanes().size(), c.named ? 1u : 0u);
    Tap(KEY_INPUT_X);
    bool hint = false;
    for (int frame = 0; frame < 60 && !hint; ++frame) hint = Drew(rec, "Press Z");
    EXPECT_TRUE(hint) << "X goes back to the picture";
  }
}

}  // namespace
