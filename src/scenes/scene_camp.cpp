#include "scenes/scene_camp.h"

#include <cstdio>
#include <string>

#include "field/stage_data.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "persist/save_data.h"
#include "persist/system_data.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "scenes/dialog_rows.h"
#include "scenes/edit_param_dialog.h"
#include "scenes/get_skill_dialog.h"
#include "scenes/info_dialogs.h"
#include "scenes/party_dialogs.h"
#include "scenes/save_slot_list.h"
#include "ui/dialog.h"
#include "ui/key_help.h"
#include "ui/menu_dialog.h"
#include "ui/message_dialog.h"
#include "ui/window_panes.h"

namespace {

bool Pushed(EGameKey key) { return keyManager && keyManager->IsPush(key, true); }

// Replaces an information box with `next`, at the same place.
CDialog* ReplaceInfo(CGuiManager& manager, CDialog* old, std::unique_ptr<CDialog> next) {
  const SPoint at = old ? old->position : SPoint(0, 0);
  if (old) old->Close();
  return manager.OpenDialog(at, std::move(next));
}

// The camp menu.
class CStrategy_RootMenu : public CSceneCamp::CStrategy {
 public:
  using CStrategy::CStrategy;
  void Draw() override {
    scene->GetMainManager().Draw();
    scene->GetMoneyManager().Draw();
    // X does nothing here (a battle is the way out): the help says so.
    DrawKeyHelp("Z:決定  X:ここでは何もしません", 0);
  }
  void Update() override {
    scene->GetMainManager().Update();
    scene->GetMoneyManager().Update();
  }
  void ProcessInput() override;
};

// The map list, then the units that go.
class CStrategy_SenarioSelect : public CSceneCamp::CStrategy {
 public:
  explicit CStrategy_SenarioSelect(CSceneCamp& scene);
  void Draw() override {
    scene->GetMainManager().Draw();
    info.Draw();
  }
  // A dialog that closed itself is freed by its manager's update: forget it first.
  void Update() override {
    if (sortie && sortie->IsClosed()) sortie = nullptr;
    scene->GetMainManager().Update();
    info.Update();
  }
  void ProcessInput() override;

 private:
  std::size_t MapCount() const { return saveData->bonusMapOpened ? STAGE_COUNT : STAGE_COUNT - 1; }
  CDialog* mapList = nullptr;
  CDialog* sortie = nullptr;
  CGuiManager info;
  CDialog* infoDialog = nullptr;
  std::size_t shownStage = 0;  // the map the information box describes
};

// The party, then one member's parameters or skills. `Kind` tells which.
class CStrategy_PartyEdit : public CSceneCamp::CStrategy {
 public:
  enum EKind { EDIT_PARAM, GET_SKILL };
  CStrategy_PartyEdit(CSceneCamp& scene, EKind kind);
  void Draw() override {
    info.Draw();
    scene->GetMainManager().Draw();
  }
  void Update() override;
  void ProcessInput() override;

 private:
  void OpenFor(CUnit& unit);
  void FollowFocus();
  EKind kind;
  CDialog* unitList = nullptr;
  CDialog* editor = nullptr;  // the parameter or skill dialog
  CGuiManager info;
  CDialog* infoDialog = nullptr;
  // What the information box describes: the parameter (its EStatusType) or
  // the row of the class's skill list.
  int shownInfo = 0;
};

// The slot list; saving stays in it.
class CStrategy_Save : public CSceneCamp::CStrategy {
 public:
  explicit CStrategy_Save(CSceneCamp& scene);
  void Draw() override { scene->GetMainManager().Draw(); }
  void Update() override;
  void ProcessInput() override;

 private:
  void OpenSlotList(std::unique_ptr<CDialog> list);
  // A box over the list that takes the keys until DECIDE or CANCEL, or
  // until `frames` have passed when that is above 0.
  void OpenNotice(std::unique_ptr<CDialog> box, int frames);
  CDialog* slotList = nullptr;
  CDialog* notice = nullptr;  // says that the save was written, or why not
  int noticeFrames = 0;
};

void CStrategy_RootMenu::ProcessInput() {
  if (!keyManager) return;
  scene->GetMainManager().ProcessInput(*keyManager);
  scene->GetMoneyManager().ProcessInput(*keyManager);
  if (!Pushed(EGameKey::DECIDE)) return;  // CANCEL does nothing: a battle is the way out
  const CPaneBase* focused = scene->GetRootDialog()->GetFocusedPane();
  const std::string name = focused ? focused->name : "";
  if (name == "senario") scene->SetStrategy(std::make_unique<CStrategy_SenarioSelect>(*scene));
  if (name == "editparam") {
    scene->SetStrategy(std::make_unique<CStrategy_PartyEdit>(*scene, CStrategy_PartyEdit::EDIT_PARAM));
  }
  if (name == "getskill") {
    scene->SetStrategy(std::make_unique<CStrategy_PartyEdit>(*scene, CStrategy_PartyEdit::GET_SKILL));
  }
  if (name == "save") scene->SetStrategy(std::make_unique<CStrategy_Save>(*scene));
}

// ---- choosing the map ----------------------------------------------------------

CStrategy_SenarioSelect::CStrategy_SenarioSelect(CSceneCamp& scene_) : CStrategy(scene_) {
  std::vector<SMenuItem> items;
  char caption[160];
  for (std::size_t i = 0; i < MapCount(); ++i) {
    const int cleared = i < saveData->clearCounts.size() ? saveData->clearCounts[i] : 0;
    std::snprintf(caption, sizeof caption, "%s：クリア回数 %d回", GetStageInfo(static_cast<int>(i)).name, cleared);
    items.push_back({true, std::to_string(i), caption});
  }
  auto list = CreateMenuDialog("シナリオ選択", items);
  list->playsSounds = true;
  CDialog* root = scene->GetRootDialog();
  mapList = root->OpenChildDialog(SPoint(root->position.x + root->width - 15, root->position.y + 20), std::move(list));
  infoDialog = info.OpenDialog(SPoint(mapList->position.x, mapList->position.y + mapList->height + 10),
                               CreateScenarioInfoDialog(0));
}

void CStrategy_SenarioSelect::ProcessInput() {
  if (!keyManager) return;
  scene->GetMainManager().ProcessInput(*keyManager);
  info.ProcessInput(*keyManager);
  if (sortie) return;  // its hook has the keys
  const std::optional<std::size_t> n = FocusedRowIndex(*mapList, MapCount());
  // Whatever moved the focus (a push, the key repeat of a held key), the box
  // describes the focused map.
  if (n && *n != shownStage) {
    infoDialog = ReplaceInfo(info, infoDialog, CreateScenarioInfoDialog(static_cast<int>(*n)));
    shownStage = *n;
  }
  if (Pushed(EGameKey::DECIDE)) {
    if (!n) return;
    const int stageNo = static_cast<int>(*n);
    const int maxUnits = GetStageInfo(stageNo).maxUnits;
    SSortieDialog built = CreateSortieDialog(saveData->party, maxUnits);
    built.dialog->playsSounds = true;
    built.dialog->SetHook(
        std::make_unique<CDialogHook_SortieUnitSelectDialog>(std::move(built.table), maxUnits, stageNo));
    CDialog* root = scene->GetRootDialog();
    sortie = mapList->OpenChildDialog(SPoint(root->position.x + root->width, root->position.y),
                                      std::move(built.dialog));
  } else if (Pushed(EGameKey::CANCEL)) {
    mapList->Close();
    scene->SetStrategy(std::make_unique<CStrategy_RootMenu>(*scene));
  }
}

// ---- parameters and skills -----------------------------------------------------

CStrategy_PartyEdit::CStrategy_PartyEdit(CSceneCamp& scene_, EKind kind_) : CStrategy(scene_), kind(kind_) {
  auto list = CreateUnitListDialog(saveData->party, kind == EDIT_PARAM);
  list->playsSounds = true;
  CDialog* root = scene->GetRootDialog();
  const int below = kind == EDIT_PARAM ? root->height - 10 : root->height;
  unitList = root->OpenChildDialog(SPoint(root->position.x, root->position.y + below), std::move(list));
}

void CStrategy_PartyEdit::Update() {
  // The managers free the dialogs that closed: forget them first.
  if (editor && editor->IsClosed()) {
    editor = nullptr;
    if (infoDialog) infoDialog->Close();
  }
  if (infoDialog && infoDialog->IsClosed()) infoDialog = nullptr;
  scene->GetMainManager().Update();
  info.Update();
}

void CStrategy_PartyEdit::OpenFor(CUnit& unit) {
  CDialog* root = scene->GetRootDialog();
  const SPoint at(root->position.x + root->width, root->position.y);
  std::unique_ptr<CDialog> infoBox;
  if (kind == EDIT_PARAM) {
    SEditParamDialog built = CreateEditParamDialog(unit);
    built.dialog->playsSounds = true;
    built.dialog->SetHook(std::make_unique<CDialogHook_EditParamDialog>(std::move(built.table), unit));
    editor = unitList->OpenChildDialog(at, std::move(built.dialog));
    infoBox = CreateParamInfoDialog(EStatusType::HP);
    shownInfo = static_cast<int>(EStatusType::HP);
  } else {
    SGetSkillDialog built = CreateGetSkillDialog(unit, saveData->money);
    built.dialog->playsSounds = true;
    built.dialog->SetHook(std::make_unique<CDialogHook_GetSkillDialog>(std::move(built.table), unit));
    editor = unitList->OpenChildDialog(at, std::move(built.dialog));
    const auto& classSkills = GetClassInfo(unit.charactor).skills;
    if (!classSkills.empty()) infoBox = CreateSkillInfoDialog(classSkills.front().skill);
    shownInfo = 0;
  }
  if (infoBox) infoDialog = info.OpenDialog(SPoint(editor->position.x, editor->position.y + editor->height),
                                            std::move(infoBox));
}

void CStrategy_PartyEdit::ProcessInput() {
  if (!keyManager) return;
  scene->GetMainManager().ProcessInput(*keyManager);
  info.ProcessInput(*keyManager);
  if (!editor) {
    if (Pushed(EGameKey::DECIDE)) {
      if (const auto i = FocusedRowIndex(*unitList, saveData->party.size())) OpenFor(*saveData->party[*i]);
    } else if (Pushed(EGameKey::CANCEL)) {
      // A new push only: the one that closed the editor is still held.
      unitList->Close();
      scene->SetStrategy(std::make_unique<CStrategy_RootMenu>(*scene));
    }
    return;
  }
  if (kind == EDIT_PARAM) {
    // Points confirmed in the dialog are spent: the list says so at once.
    ShowSkillPoints(*unitList, saveData->party);
  } else if (Pushed(EGameKey::DECIDE) || Pushed(EGameKey::CANCEL)) {
    scene->RefreshMoney();  // a purchase has been handled by the dialog's hook by now
  }
  FollowFocus();
}

// Whatever moved the focus (a push, the key repeat of a held key, LEFT
// taking back a step), the box describes the focused row.
void CStrategy_PartyEdit::FollowFocus() {
  if (!infoDialog || editor->IsClosed()) return;
  if (kind == EDIT_PARAM) {
    const auto status = FocusedStatusType(*editor);
    if (!status || static_cast<int>(*status) == shownInfo) return;
    infoDialog = ReplaceInfo(info, infoDialog, CreateParamInfoDialog(*status));
    shownInfo = static_cast<int>(*status);
    return;
  }
  const auto i = FocusedRowIndex(*unitList, saveData->party.size());
  if (!i) return;
  const auto& classSkills = GetClassInfo(saveData->party[*i]->charactor).skills;
  const auto row = FocusedRowIndex(*editor, classSkills.size());
  if (!row || static_cast<int>(*row) == shownInfo) return;
  infoDialog = ReplaceInfo(info, infoDialog, CreateSkillInfoDialog(classSkills[*row].skill));
  shownInfo = static_cast<int>(*row);
}

// ---- saving --------------------------------------------------------------------

// "セーブしました" stays this long unless a key sends it away sooner.
constexpr int kSavedNoticeFrames = 90;

CStrategy_Save::CStrategy_Save(CSceneCamp& scene_) : CStrategy(scene_) {
  auto list = CreateSaveSlotListDialog();
  list->playsSounds = true;
  OpenSlotList(std::move(list));
}

void CStrategy_Save::OpenSlotList(std::unique_ptr<CDialog> list) {
  CDialog* root = scene->GetRootDialog();
  const SPoint at = SaveSlotListPosition(*root, *list);
  slotList = root->OpenChildDialog(at, std::move(list));
}

void CStrategy_Save::OpenNotice(std::unique_ptr<CDialog> box, int frames) {
  const SPoint at = frames > 0 ? SPoint(slotList->position.x + (slotList->width - box->width) / 2,
                                        slotList->position.y + (slotList->height - box->height) / 2)
                               : SPoint(slotList->position.x + 20, slotList->position.y + 40);
  notice = slotList->OpenChildDialog(at, std::move(box));
  noticeFrames = frames;
}

void CStrategy_Save::Update() {
  if (notice && noticeFrames > 0 && --noticeFrames == 0) {
    notice->Close();
    notice = nullptr;
  }
  scene->GetMainManager().Update();
}

void CStrategy_Save::ProcessInput() {
  if (!keyManager) return;
  scene->GetMainManager().ProcessInput(*keyManager);
  if (notice) {
    if (Pushed(EGameKey::DECIDE) || Pushed(EGameKey::CANCEL)) {
      notice->Close();
      notice = nullptr;
    }
    return;
  }
  if (Pushed(EGameKey::DECIDE)) {
    const auto n = FocusedRowIndex(*slotList, SAVE_SLOT_COUNT);
    if (!n) return;
    try {
      SaveSaveData(*saveData, SaveSlotPath(static_cast<int>(*n)), gSystemData);
    } catch (const std::exception& e) {
      // The slot's earlier save is untouched; the player may try another.
      OpenNotice(CreateMessageDialog("セーブ失敗", std::string("セーブできませんでした。") + e.what(), 400, 120), 0);
      return;
    }
    // The list again, so that the new summary shows, on the slot just used.
    slotList->Close();
    auto list = CreateSaveSlotListDialog();
    if (CPaneBase* focused = list->GetFocusedPane()) list->SetFocus(focused->name, false);
    list->SetFocus(std::to_string(*n), true);
    OpenSlotList(std::move(list));
    OpenNotice(CreateMessageDialog("セーブ完了", "セーブしました", 160, 60), kSavedNoticeFrames);
  } else if (Pushed(EGameKey::CANCEL)) {
    slotList->Close();
    scene->SetStrategy(std::make_unique<CStrategy_RootMenu>(*scene));
  }
}

}  // namespace

// ---- the scene -----------------------------------------------------------------

CSceneCamp::CSceneCamp() : background(ImageDrawData("town_entrance.jpg")) {
  strategy.Set(std::make_unique<CStrategy_RootMenu>(*this));
  auto root = CreateMenuDialog("キャンプ", {{true, "senario", "シナリオ選択"},
                                           {true, "editparam", "パラメータ割り振り"},
                                           {true, "getskill", "スキル取得"},
                                           {true, "save", "セーブ"}});
  root->playsSounds = true;
  rootDialog = mainManager.OpenDialog(SPoint(10, 10), std::move(root));
  RefreshMoney();
}

CSceneCamp::~CSceneCamp() = default;

void CSceneCamp::RefreshMoney() {
  if (moneyDialog) moneyDialog->Close();
  char caption[32];
  std::snprintf(caption, sizeof caption, "%d 円", saveData ? saveData->money : 0);
  auto money = CreateMenuDialog("所持金", {{false, "money", caption}});
  money->width = rootDialog->width;
  moneyDialog = moneyManager.OpenDialog(SPoint(rootDialog->position.x, rootDialog->position.y + rootDialog->height + 5),
                                        std::move(money));
}

void CSceneCamp::SetStrategy(std::unique_ptr<CStrategy> next) { strategy.Set(std::move(next)); }

void CSceneCamp::Update() {
  strategy.ReleaseRetired();
  background.UpdateAnimation();
  strategy->Update();
}

void CSceneCamp::ProcessInput() {
  strategy.ReleaseRetired();
  strategy->ProcessInput();
}

void CSceneCamp::Draw() {
  DrawSDrawData(background, SPointD(0.0, 0.0));
  strategy->Draw();
}
