#include "battle/unit_command.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

#include "assets/sound_manager.h"
#include "battle/action_predict_window.h"
#include "battle/leave_question.h"
#include "battle/skill_select_dialog.h"
#include "battle/status_window.h"
#include "battle/unit_action.h"
#include "battle/unit_order_window.h"
#include "combat/attack_area.h"
#include "combat/skill_table.h"
#include "combat/weapon_table.h"
#include "core/map_grid.h"
#include "field/unit.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "ui/dialog.h"
#include "ui/window_panes.h"

namespace {

void PlaySound(int effect) {
  if (soundManager) soundManager->PlaySE(effect);
}

bool Pushed(EGameKey key) { return keyManager && keyManager->IsPush(key, true); }

bool Contains(const std::vector<SPoint>& cells, SPoint cell) {
  return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

// The key help while a destination or a target is chosen.
constexpr const char* kChoosingHelp = "Z:決定  X:戻る";

// Hands the chosen move or attack to the unit action, which plays it out.
template <class Info, class... Args>
void StartAction(CStage& stage, Args&&... args) {
  auto action = std::make_unique<CStageStrategy_UnitAction>(stage);
  action->AddActionInfo(std::make_unique<Info>(*action, std::forward<Args>(args)...));
  stage.SetStrategy(std::move(action));
}

// The unit turns towards a cell other than its own.
void TurnTowards(CUnit& unit, SPoint cell) {
  unit.SetDirection(AngleToDirection4(GetAngle(SPointD(unit.grid), SPointD(cell))));
}

}  // namespace

// ---- the command strategy ----------------------------------------------------

CStageStrategy_UnitCommand::CStageStrategy_UnitCommand(CStage& stage_, CUnit& unit_, EUnitCommandType type)
    : CStageStrategy(stage_), unit(&unit_) {
  stage->showCheapStatus = false;
  if (type == EUnitCommandType::PASS) {
    step.Set(std::make_unique<CStrategy_WaitToStandby>(*this));
    return;
  }
  step.Set(std::make_unique<CStrategy_RootMenu>(*this));

  auto dialog = std::make_unique<CDialog>(150, 120);
  SetGameTitle(*dialog, "行動選択");
  dialog->wrapsFocus = true;
  dialog->playsSounds = true;
  const bool active = unit->team == 0 && !stage->state.units.empty() && stage->state.units.front()->id == unit->id;
  struct SItem {
    const char* name;
    const char* text;
    bool usable;
  };
  const SItem items[] = {
      {"move", "移動", !unit->moved},
      {"attack", "攻撃", !unit->acted},
      {"skill", "スキル", !unit->skills.empty() && !unit->acted},
      {"standby", "待機", true},
      {"status", "ステータス", true},
  };
  const char* focus = !active ? "status" : !unit->moved ? "move" : !unit->acted ? "attack" : "standby";
  // The lines follow each other and the box fits them all: a box of fixed
  // height would cut "ステータス" off, and an enemy's lone line would sit
  // at the bottom of an empty box.
  int lines = 0;
  for (int i = 0; i < 5; ++i) {
    const SItem& item = items[i];
    if (!active && i < 4) continue;
    auto line = std::make_unique<CPaneContainer>(item.name, SPoint(10, 5 + 24 * lines++), 90, 20);
    auto label = std::make_unique<CPaneTextLabel>(std::string(item.name) + "_label", SPoint(2, 2), fontNormal16,
                                                  item.text);
    label->textColor = item.usable ? EColorName::Black : kUnavailableTextColor;
    line->AddChild(std::move(label));
    line->focusable = true;
    line->focused = std::string(item.name) == focus;
    dialog->AddPane(std::move(line));
  }
  dialog->height = dialog->titleBarHeight + 5 + 24 * lines + dialog->borderWidth;
  rootDialog = gui.OpenDialog(SPoint(10, 10), std::move(dialog));
  PlaceMenu();
}

CStageStrategy_UnitCommand::~CStageStrategy_UnitCommand() = default;

void CStageStrategy_UnitCommand::SetStep(std::unique_ptr<CStrategy> next) { step.Set(std::move(next)); }

void CStageStrategy_UnitCommand::ReturnToBrowsing() {
  stage->ResumeBrowsing();
}

void CStageStrategy_UnitCommand::KeepClearOfUnit(CDialog& window) const {
  const SPointD centre = stage->GridToScreen(unit->grid);
  const double half = kGridPixels / 2.0;
  const int left = 10;
  const bool covers = centre.x + half > left && centre.x - half < left + window.width &&
                      centre.y + half > window.position.y && centre.y - half < window.position.y + window.height;
  window.position.x = covers ? 640 - left - window.width : left;
}

void CStageStrategy_UnitCommand::PlaceMenu() {
  if (rootDialog) KeepClearOfUnit(*rootDialog);
}

bool CStageStrategy_UnitCommand::IsMenuOnRight() const {
  return rootDialog && rootDialog->position.x + rootDialog->width / 2 > 320;
}

void CStageStrategy_UnitCommand::Update() {
  step.ReleaseRetired();
  step->Update();
}

void CStageStrategy_UnitCommand::ProcessInput() {
  step.ReleaseRetired();
  step->ProcessInput();
}

void CStageStrategy_UnitCommand::Draw() { step->Draw(); }

void CStageStrategy_UnitCommand::DrawOverlay() { step->DrawOverlay(); }

// ---- a fallen unit's pass ----------------------------------------------------

void CStrategy_WaitToStandby::Update() {
  if (count == 30) {
    owner->SetStep(std::make_unique<CStrategy_Standby>(*owner, true));
  } else {
    ++count;
  }
}

// ---- the menu ----------------------------------------------------------------

void CStrategy_RootMenu::Update() {
  // The camera may have moved since the menu was last shown (back from
  // choosing a destination far away).
  owner->PlaceMenu();
  owner->GetGui().Update();
}

void CStrategy_RootMenu::DrawOverlay() { owner->GetGui().Draw(); }

void CStrategy_RootMenu::ProcessInput() {
  if (!keyManager) return;
  owner->GetGui().ProcessInput(*keyManager);
  CUnit& unit = owner->GetUnit();
  // One of the two keys acts in a frame, DECIDE first.
  if (Pushed(EGameKey::DECIDE)) {
    const CPaneBase* focused = owner->GetRootDialog()->GetFocusedPane();
    const std::string name = focused ? focused->name : "";
    if (name == "move" && !unit.moved) {
      owner->SetStep(std::make_unique<CStrategy_Move>(*owner));
    } else if (name == "attack" && !unit.acted) {
      owner->SetStep(std::make_unique<CStrategy_Attack>(*owner));
    } else if (name == "skill" && !unit.skills.empty() && !unit.acted) {
      owner->SetStep(std::make_unique<CStrategy_Skill>(*owner));
    } else if (name == "standby") {
      owner->SetStep(std::make_unique<CStrategy_Standby>(*owner, false));
    } else if (name == "status") {
      owner->SetStep(std::make_unique<CStrategy_Status>(*owner));
    }
  } else if (Pushed(EGameKey::CANCEL)) {
    owner->ReturnToBrowsing();
  }
}

// ---- move --------------------------------------------------------------------

CStrategy_Move::CStrategy_Move(CStageStrategy_UnitCommand& owner_) : CStrategy(owner_) {
  CStage& stage = owner->GetStage();
  const CUnit& unit = owner->GetUnit();
  traverse = GetTraverseInfo(stage, unit.grid, unit.GetMove(), unit.flying, true, unit.team);
  stage.cursor->visible = true;
  stage.UpdateCheapStatusWindow();
}

void CStrategy_Move::Update() { owner->GetStage().FollowCursor(); }

void CStrategy_Move::Draw() { DrawGridHighlights(owner->GetStage(), traverse, EGridHighlight::MOVE); }

void CStrategy_Move::DrawOverlay() { owner->GetStage().DrawKeyHelp(kChoosingHelp); }

void CStrategy_Move::ProcessInput() {
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  if (stepping.Step(stage)) stage.UpdateCheapStatusWindow();
  const SPoint cell = stage.cursor->GetGrid();
  if (Pushed(EGameKey::DECIDE)) {
    if (!traverse.Find(cell) || !stage.GetUnitsAt(cell).empty()) return;  // refused
    unit.moved = true;
    unit.moveHistory = {CInfoBeforeMove(unit.direction, unit.grid.x, unit.grid.y)};
    StartAction<CUnitActionInfo_Move>(stage, unit, GetRouteByTraverseInfo(unit.grid, traverse, cell));
  } else if (Pushed(EGameKey::CANCEL)) {
    PlaySound(SE_DECIDE3);
    owner->SetStep(std::make_unique<CStrategy_RootMenu>(*owner));
    stage.FocusOnActiveUnit();
  } else if (Pushed(EGameKey::ESCAPE)) {
    CStageStrategy_LeaveQuestion::Ask(stage);
  }
}

// ---- choosing a target -------------------------------------------------------

void CTargetChoice::SetRange(CStage& stage, const CUnit& unit, int minRange, int maxRange) {
  range = GetGridsInRange(unit, stage, minRange, maxRange);
}

void CTargetChoice::Aim(CStage& stage, const CUnit& unit, std::span<const SPoint> shape, bool rotate,
                        std::optional<ESkill> skill) {
  const SPoint cell = stage.cursor->GetGrid();
  const bool inRange = Contains(range, cell);
  area.clear();
  if (inRange) area = GetAttackArea(rotate, shape, cell, unit.grid, stage);
  predictWindow.reset();
  const std::vector<CUnit*> here = stage.GetUnitsAt(cell);
  const bool ownCell = cell == unit.grid;
  if (here.size() == 1 && (!ownCell || (skill && inRange))) {
    const bool upperHalf = stage.GridToScreen(cell).y < 240.0;
    predictWindow = std::make_unique<CActionPredictWindow>(unit, *here[0], upperHalf, stage.overlay, skill.has_value(),
                                                           skill.value_or(ESkill::FIRE_BOLT));
  }
}

void CTargetChoice::Update() {
  if (predictWindow) predictWindow->Update();
}

void CTargetChoice::Draw(CStage& stage, EGridHighlight areaKind) const {
  DrawGridHighlights(stage, range, EGridHighlight::RANGE, LAYER_COMMAND_BACK);
  DrawGridHighlights(stage, area, areaKind, LAYER_COMMAND_FRONT);
}

void CTargetChoice::DrawOverlay(const CStage& stage) const {
  if (predictWindow) predictWindow->Draw();
  // Under the prediction boxes when they hold the top of the screen.
  const CDialog* box = predictWindow ? predictWindow->GetTargetBox() : nullptr;
  stage.DrawKeyHelp(kChoosingHelp, box && box->position.y == 0 ? box->height + 2 : 0);
}

// ---- weapon attack -----------------------------------------------------------

CStrategy_Attack::CStrategy_Attack(CStageStrategy_UnitCommand& owner_) : CStrategy(owner_) {
  CStage& stage = owner->GetStage();
  const SWeaponInfo& w = GetWeaponInfo(owner->GetUnit().weapon);
  stage.cursor->visible = true;
  stage.UpdateCheapStatusWindow();
  target.SetRange(stage, owner->GetUnit(), w.minRange, w.maxRange);
  Aim();
}

CStrategy_Attack::~CStrategy_Attack() = default;

void CStrategy_Attack::Aim() {
  const SWeaponInfo& w = GetWeaponInfo(owner->GetUnit().weapon);
  target.Aim(owner->GetStage(), owner->GetUnit(), w.area, w.minRange == 1 && w.maxRange == 1, std::nullopt);
}

void CStrategy_Attack::Update() {
  target.Update();
  owner->GetStage().FollowCursor();
}

void CStrategy_Attack::Draw() { target.Draw(owner->GetStage(), EGridHighlight::ATTACK); }

void CStrategy_Attack::DrawOverlay() { target.DrawOverlay(owner->GetStage()); }

void CStrategy_Attack::ProcessInput() {
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  if (target.stepping.Step(stage)) {
    Aim();
    stage.UpdateCheapStatusWindow();
  }
  if (Pushed(EGameKey::DECIDE)) {
    if (target.area.empty()) return;  // refused; an empty cell in range is a target
    unit.acted = true;
    unit.moveHistory.clear();
    TurnTowards(unit, stage.cursor->GetGrid());
    // A weapon attack carries skill 0, which it never reads.
    StartAction<CUnitActionInfo_Attack>(stage, GetWeaponInfo(unit.weapon).act, unit, target.area, ESkill{});
  } else if (Pushed(EGameKey::CANCEL)) {
    PlaySound(SE_DECIDE3);
    owner->SetStep(std::make_unique<CStrategy_RootMenu>(*owner));
    stage.FocusOnActiveUnit();
  }
}

// ---- skill -------------------------------------------------------------------

CStrategy_Skill::CStrategy_Skill(CStageStrategy_UnitCommand& owner_) : CStrategy(owner_) {
  CDialog* root = owner->GetRootDialog();
  auto list = CreateSkillSelectDialog(owner->GetUnit());
  // The list overlaps the menu's inner edge, on the side of the screen with room.
  const int x = owner->IsMenuOnRight() ? root->position.x - list->width + 15 : root->position.x + root->width - 15;
  listDialog = root->OpenChildDialog(SPoint(x, root->position.y + 20), std::move(list));
}

CStrategy_Skill::~CStrategy_Skill() = default;

void CStrategy_Skill::Aim() {
  const SSkillInfo& s = GetSkillInfo(skill);
  target.Aim(owner->GetStage(), owner->GetUnit(), s.area, s.minRange == 1 && s.maxRange == 1, skill);
}

void CStrategy_Skill::Update() {
  if (step == SELECT_SKILL) {
    owner->GetGui().Update();
    return;
  }
  target.Update();
  owner->GetStage().FollowCursor();
}

void CStrategy_Skill::Draw() {
  if (step == SELECT_TARGET) target.Draw(owner->GetStage(), areaKind);
}

void CStrategy_Skill::DrawOverlay() {
  if (step == SELECT_SKILL) {
    owner->GetGui().Draw();
  } else {
    target.DrawOverlay(owner->GetStage());
  }
}

void CStrategy_Skill::ChooseSkill() {
  CUnit& unit = owner->GetUnit();
  // The list names its lines by their index in the unit's skills.
  const CPaneBase* focused = listDialog ? listDialog->GetFocusedPane() : nullptr;
  if (!focused) return;
  std::size_t index = 0;
  const std::string& name = focused->name;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
  if (error != std::errc() || end != name.data() + name.size() || index >= unit.skills.size()) return;
  skill = unit.skills[index];
  const int s = static_cast<int>(skill);
  areaKind = s >= 3 && s <= 6                                                      ? EGridHighlight::SKILL
             : s == 7 || s == 8 || (s >= 10 && s <= 13) || s == 15 ? EGridHighlight::MOVE
                                                                                   : EGridHighlight::ATTACK;
  const SSkillInfo& info = GetSkillInfo(skill);
  if (info.mp > unit.mp) return;  // too little MP: nothing happens
  CStage& stage = owner->GetStage();
  stage.cursor->visible = true;
  stage.UpdateCheapStatusWindow();
  target.SetRange(stage, unit, info.minRange, info.maxRange);
  Aim();
  step = SELECT_TARGET;
  listDialog->Close();
  listDialog = nullptr;
}

void CStrategy_Skill::ProcessInput() {
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  if (step == SELECT_SKILL) {
    if (keyManager) owner->GetGui().ProcessInput(*keyManager);
    if (Pushed(EGameKey::DECIDE)) {
      ChooseSkill();
    } else if (Pushed(EGameKey::CANCEL)) {
      if (listDialog) listDialog->Close();
      listDialog = nullptr;
      owner->SetStep(std::make_unique<CStrategy_RootMenu>(*owner));
    }
    return;
  }
  if (target.stepping.Step(stage)) {
    Aim();
    stage.UpdateCheapStatusWindow();
  }
  if (Pushed(EGameKey::DECIDE)) {
    if (target.area.empty()) return;
    unit.acted = true;
    unit.moveHistory.clear();
    unit.mp -= GetSkillInfo(skill).mp;
    const SPoint cell = stage.cursor->GetGrid();
    if (cell != unit.grid) TurnTowards(unit, cell);
    StartAction<CUnitActionInfo_Attack>(stage, GetSkillInfo(skill).act, unit, target.area, skill);
  } else if (Pushed(EGameKey::CANCEL)) {
    PlaySound(SE_DECIDE3);
    owner->SetStep(std::make_unique<CStrategy_RootMenu>(*owner));
    stage.FocusOnActiveUnit();
    stage.cursor->visible = false;
    stage.UpdateCheapStatusWindow();
  }
}

// ---- standby -----------------------------------------------------------------

CStrategy_Standby::CStrategy_Standby(CStageStrategy_UnitCommand& owner_, bool immediate) : CStrategy(owner_) {
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  if (immediate) {
    EndTurn(unit, stage.state.units, stage.state.turnCount, stage);
    return;
  }
  stage.orderWindow->showPreview = true;
  stage.orderWindow->previewIndex = stage.state.PredictOrderIndex(unit.GetWtAfterTurn());
}

void CStrategy_Standby::ProcessInput() {
  if (!keyManager) return;
  CStage& stage = owner->GetStage();
  CUnit& unit = owner->GetUnit();
  switch (keyManager->GetDirection9()) {  // held keys turn the unit every frame
    case dir9::DOWN: unit.SetDirection(EDirection4::DOWN); break;
    case dir9::LEFT: unit.SetDirection(EDirection4::LEFT); break;
    case dir9::RIGHT: unit.SetDirection(EDirection4::RIGHT); break;
    case dir9::UP: unit.SetDirection(EDirection4::UP); break;
    default: break;
  }
  if (Pushed(EGameKey::DECIDE)) {
    PlaySound(SE_CURSOR_01);
    stage.orderWindow->showPreview = false;
    EndTurn(unit, stage.state.units, stage.state.turnCount, stage);
  } else if (Pushed(EGameKey::CANCEL)) {
    PlaySound(SE_DECIDE3);
    stage.orderWindow->showPreview = false;
    owner->SetStep(std::make_unique<CStrategy_RootMenu>(*owner));
  }
}

void CStrategy_Standby::DrawOverlay() {
  arrow.Draw(owner->GetUnit());
  owner->GetStage().DrawKeyHelp("方向キー:向き  Z:ターン終了  X:戻る");
}

// ---- status ------------------------------------------------------------------

CStrategy_Status::CStrategy_Status(CStageStrategy_UnitCommand& owner_)
    : CStrategy(owner_), window(std::make_unique<CStatusWindow>(owner->GetUnit(), SPoint(10, 10))) {
  owner->KeepClearOfUnit(*window->GetDialog());
}

CStrategy_Status::~CStrategy_Status() = default;

void CStrategy_Status::Update() {
  if (window->IsEnd()) {
    owner->SetStep(std::make_unique<CStrategy_RootMenu>(*owner));
  } else {
    window->Update();
  }
}

void CStrategy_Status::ProcessInput() {
  if (keyManager) window->ProcessInput(*keyManager);
}

void CStrategy_Status::DrawOverlay() { window->Draw(); }
