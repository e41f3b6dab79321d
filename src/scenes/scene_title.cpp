#include "scenes/scene_title.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "assets/sound_manager.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "scenario/event_strategy.h"
#include "scenes/dialog_rows.h"
#include "scenes/save_slot_list.h"
#include "scenes/scene_camp.h"
#include "ui/dialog.h"
#include "ui/menu_dialog.h"
#include "ui/message_dialog.h"
#include "ui/window_panes.h"

namespace {

bool Pushed(EGameKey key) { return keyManager && keyManager->IsPush(key, true); }

// A box over a list takes the keys while it is up and goes with DECIDE or
// CANCEL; true while it had them.
bool DismissNotice(CDialog*& notice) {
  if (!notice) return false;
  if (Pushed(EGameKey::DECIDE) || Pushed(EGameKey::CANCEL)) {
    notice->Close();
    notice = nullptr;
  }
  return true;
}

void StartCamp() {
  if (soundManager) soundManager->StopBgm();
  gSystemData.mLastUpdateTime = CurrentUtcMilliseconds();  // play time counts from here
  SetNextScene(std::make_unique<CSceneCamp>());
}

}  // namespace

// ---- the scene -----------------------------------------------------------------

CSceneTitle::CSceneTitle() : picture(ImageDrawData("title.png")) {
  strategy.Set(std::make_unique<CStrategy_TitleRootMenu>(*this));
}

CSceneTitle::~CSceneTitle() = default;

void CSceneTitle::Begin() {
  // Not in the constructor: a battle given up builds the title while it is
  // still running its frame on the party the old save data owns.
  if (begun) return;
  begun = true;
  gSystemData = CSystemData();
  saveData = NewGameSaveData();
}

void CSceneTitle::Update() {
  Begin();
  ++frame;
  strategy.ReleaseRetired();
  strategy->Update();
}

void CSceneTitle::ProcessInput() {
  Begin();
  strategy.ReleaseRetired();
  strategy->ProcessInput();
}

void CSceneTitle::Draw() {
  DrawSDrawData(picture, SPointD(0.0, 0.0));
  strategy->Draw();
}

// ---- the root menu -------------------------------------------------------------

void CStrategy_TitleRootMenu::OpenMenu() {
  auto menu = CreateMenuDialog("タイトル", {{true, "start", "はじめから"},
                                            {true, "load", "つづきから"},
                                            {true, "quit", "終了"}});
  menu->playsSounds = true;
  if (CountSaveFiles() > 0) menu->MovePaneFocuse(3);  // down, to "つづきから"
  scene->rootDialog = scene->GetManager().OpenDialog(SPoint(10, 10), std::move(menu));
  storyScenesExist = !ListEventScripts(scene->eventDirectory).empty();
}

void CStrategy_TitleRootMenu::ListStoryScenes() {
  if (scene->rootDialog) {
    scene->rootDialog->Close();
    scene->rootDialog = nullptr;
  }
  scene->SetStrategy(std::make_unique<CStrategy_EventMenu>(*scene));
}

void CStrategy_TitleRootMenu::Draw() {
  scene->GetManager().Draw();
  const CDialog* menu = scene->rootDialog;
  if (!menu) {
    if (scene->GetFrame() % kHintPeriod >= kHintShown) return;
    // Cream with the font's dark outline reads on the grass and the tiles alike.
    const char* hint = "Press Z";
    const int width = GetDrawStringWidthToHandle(hint, static_cast<int>(std::strlen(hint)), fontAntialiasEdge30);
    DrawStringToHandle(320 - width / 2, 436, hint, GetColor(255, 244, 200), fontAntialiasEdge30);
    return;
  }
  // The story scenes are reached by a key of their own, not by an item. A
  // dark plate as wide as the menu keeps the line readable on the sky.
  if (storyScenesExist) {
    const int top = menu->position.y + menu->height + 4;
    SetDrawBlendMode(DX_BLENDMODE_ALPHA, 140);
    DrawBox(menu->position.x, top, menu->position.x + menu->width, top + 20, GetColor(0, 0, 0), TRUE);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
    DrawStringToHandle(menu->position.x + 4, top + 3, "S: イベント一覧", GetColor(255, 255, 255), fontEdge14);
  }
}

void CStrategy_TitleRootMenu::ProcessInput() {
  if (!keyManager) return;
  if (!scene->rootDialog) {
    if (Pushed(EGameKey::DECIDE)) {
      OpenMenu();
    } else if (Pushed(EGameKey::SUB2)) {
      ListStoryScenes();
    }
    return;
  }
  scene->GetManager().ProcessInput(*keyManager);
  if (Pushed(EGameKey::DECIDE)) {
    const CPaneBase* focused = scene->rootDialog->GetFocusedPane();
    const std::string name = focused ? focused->name : "";
    if (name == "start") StartCamp();
    if (name == "load") scene->SetStrategy(std::make_unique<CStrategy_Load>(*scene));
    if (name == "quit") quitRequested = true;  // the main loop ends after this frame
  } else if (Pushed(EGameKey::CANCEL)) {
    scene->rootDialog->Close();
    scene->rootDialog = nullptr;
  } else if (Pushed(EGameKey::SUB2)) {
    ListStoryScenes();
  }
}

// ---- continuing ----------------------------------------------------------------

CStrategy_Load::CStrategy_Load(CSceneTitle& scene_) : CStrategy(scene_) {
  const auto slots = GetSaveSlotList();
  auto list = CreateSaveSlotListDialog();
  // The most recent save first; of equal times the lower slot.
  int latest = -1;
  for (int i = 0; i < SAVE_SLOT_COUNT; ++i) {
    const auto& s = slots[static_cast<std::size_t>(i)];
    if (s && (latest < 0 || s->fileTime > slots[static_cast<std::size_t>(latest)]->fileTime)) latest = i;
  }
  if (latest >= 0) {
    list->SetFocus("0", false);
    list->SetFocus(std::to_string(latest), true);
  }
  list->playsSounds = true;
  CDialog* root = scene->rootDialog;
  const SPoint at = SaveSlotListPosition(*root, *list);
  slotList = root->OpenChildDialog(at, std::move(list));
}

void CStrategy_Load::ProcessInput() {
  if (!keyManager) return;
  scene->GetManager().ProcessInput(*keyManager);
  if (DismissNotice(notice)) return;
  if (Pushed(EGameKey::DECIDE)) {
    const auto n = FocusedRowIndex(*slotList, SAVE_SLOT_COUNT);
    if (!n) return;
    const std::string path = SaveSlotPath(static_cast<int>(*n));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return;  // "なし": the list stays open
    try {
      saveData = LoadSaveData(path);
    } catch (const std::exception& e) {
      // The game goes on with nothing changed; the slot's caption already
      // says it is damaged.
      notice = slotList->OpenChildDialog(
          SPoint(slotList->position.x + 20, slotList->position.y + 40),
          CreateMessageDialog("ロード失敗", std::string("このセーブデータは読み込めません。") + e.what(), 400, 120));
      return;
    }
    StartCamp();
    std::printf("gSystemData.mLastUpdateTime = %lld\n", static_cast<long long>(gSystemData.mLastUpdateTime));
  } else if (Pushed(EGameKey::CANCEL)) {
    slotList->Close();
    scene->SetStrategy(std::make_unique<CStrategy_TitleRootMenu>(*scene));
  }
}

// ---- event scripts -------------------------------------------------------------

std::vector<std::string> ListEventScripts(const std::string& directory) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".xml")) names.push_back(name);
  }
  // By name, so that every file system lists the scenes in the same order.
  std::sort(names.begin(), names.end());
  return names;
}

CStrategy_EventMenu::CStrategy_EventMenu(CSceneTitle& scene_, std::string directory_)
    : CStrategy(scene_), directory(directory_.empty() ? scene_.eventDirectory : std::move(directory_)) {
  std::vector<SMenuItem> items;
  for (const std::string& name : ListEventScripts(directory)) items.push_back({true, name, name});
  auto menu = CreateMenuDialog("イベントデータ選択", items);
  menu->playsSounds = true;
  list = scene->GetManager().OpenDialog(SPoint(10, 10), std::move(menu));
}

void CStrategy_EventMenu::ProcessInput() {
  if (!keyManager) return;
  scene->GetManager().ProcessInput(*keyManager);
  if (DismissNotice(notice)) return;
  if (Pushed(EGameKey::DECIDE)) {
    const CPaneBase* focused = list->GetFocusedPane();
    if (!focused) return;  // no script to choose
    // Read before the switch, so that a script that cannot be played is
    // reported here and the list stays.
    try {
      SetNextScene(CreateEventStage(directory + focused->name));
    } catch (const CEventScriptError& e) {
      std::fprintf(stderr, "%s\n", e.what());
      notice = list->OpenChildDialog(SPoint(list->position.x + 20, list->position.y + 40),
                                     CreateEventLoadFailureDialog(e));
    }
  } else if (Pushed(EGameKey::CANCEL)) {
    list->Close();
    scene->SetStrategy(std::make_unique<CStrategy_TitleRootMenu>(*scene));
  }
}
