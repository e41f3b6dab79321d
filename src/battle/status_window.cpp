#include "battle/status_window.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "combat/weapon_table.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "ui/window_panes.h"

namespace {

// A 136 x 14 gauge "Gauge" + stat with "stat value / maximum" written over it.
void AddGauge(CDialog& dialog, const std::string& stat, int y, int value, int maximum, EColorName bar) {
  auto gauge = std::make_unique<CPaneGauge>("Gauge" + stat, SPoint(98, y), 136, 14);
  gauge->value = value;
  gauge->maximum = maximum;
  gauge->frameColor = EColorName::Black;
  gauge->barColor = bar;
  dialog.AddPane(std::move(gauge));
  AddLabel(dialog, stat, {102, y}, fontEdge14, Format("%s %d / %d", stat.c_str(), value, maximum), EColorName::White);
}

// The block both status dialogs begin with: face, class, HP and MP gauges
// and the figures the combat formulas use.
void AddUnitBlock(CDialog& dialog, const CUnit& unit, int shownWt) {
  const SClassInfo& info = GetClassInfo(unit.charactor);
  const int weaponPower = GetWeaponInfo(unit.weapon).power;

  SetGameTitle(dialog, unit.name + " LV:" + std::to_string(unit.rank + 1));

  dialog.AddPane(std::make_unique<CPaneImage>("Icon", SPoint(0, 0), ImageDrawData(info.face)));
  AddLabel(dialog, "UNITTYPE", {98, 2}, fontNormal14, info.className);

  AddGauge(dialog, "HP", 19, unit.hp, unit.maxHp, EColorName::Green);
  AddGauge(dialog, "MP", 39, unit.mp, unit.maxMp, EColorName::Blue);

  AddLabel(dialog, "WT", {98, 58}, fontNormal14, "WT");
  AddValue(dialog, "WT_", {130, 58}, Format("%d/%d", unit.wtCount, shownWt));
  AddLabel(dialog, "MOVE", {178, 58}, fontNormal14, "Move");
  AddValue(dialog, "MOVE_", {218, 58}, Format("%d", unit.GetMove()));
  AddLabel(dialog, "ATK", {98, 72}, fontNormal14, "Atk");
  AddValue(dialog, "ATK_", {138, 72}, Format("%d", unit.str + weaponPower));
  AddLabel(dialog, "DEF", {178, 72}, fontNormal14, "Def");
  AddValue(dialog, "DEF_", {218, 72}, Format("%d", unit.vit / 2));
  AddLabel(dialog, "MATK", {98, 86}, fontNormal14, "MAtk");
  AddValue(dialog, "MATK_", {138, 86}, Format("%d", unit.intelligence));
  AddLabel(dialog, "MDEF", {178, 86}, fontNormal14, "MDef");
  AddValue(dialog, "MDEF_", {218, 86}, Format("%d", unit.intelligence / 2));
  AddLabel(dialog, "HIT", {98, 100}, fontNormal14, "Hit");
  AddValue(dialog, "HIT_", {138, 100}, Format("%d", unit.GetDex() + 80));
  AddLabel(dialog, "FLEE", {178, 100}, fontNormal14, "Flee");
  AddValue(dialog, "FLEE_", {218, 100}, Format("%d", unit.agi));
}

// A parameter name and its value on one row.
void AddParameter(CDialog& dialog, const char* name, SPoint at, const char* caption, int value) {
  AddLabel(dialog, name, at, fontNormal14, caption);
  AddValue(dialog, std::string(name) + "_", {at.x + 40, at.y}, Format("%d", value));
}

}  // namespace

std::unique_ptr<CDialog> CreateStatusDialog(const CUnit& unit) {
  auto dialog = std::make_unique<CDialog>(250, 220);
  AddUnitBlock(*dialog, unit, unit.wt);
  const SWeaponInfo& weapon = GetWeaponInfo(unit.weapon);

  AddLabel(*dialog, "SkillPT", {10, 100}, fontNormal14, "SkillPoint");
  AddValue(*dialog, "SkillPT_", {55, 114}, Format("% 3d", unit.skillPoint));
  AddParameter(*dialog, "STR", {98, 114}, "Str", unit.str);
  AddParameter(*dialog, "VIT", {178, 114}, "Vit", unit.vit);
  AddParameter(*dialog, "DEX", {98, 128}, "Dex", unit.GetDex());
  AddParameter(*dialog, "AGI", {178, 128}, "Agi", unit.agi);
  AddParameter(*dialog, "INT", {98, 142}, "Int", unit.intelligence);
  AddLabel(*dialog, "LabelWeaponLabel", {10, 156}, fontNormal14, "装備武器");
  AddLabel(*dialog, "LabelWeaponName", {90, 156}, fontNormal14, weapon.name, kValueTextColor);
  AddLabel(*dialog, "LabelWeaponAtk", {10, 170}, fontNormal14, "WeaponAtk");
  AddValue(*dialog, "LabelWeaponAtk_", {100, 170}, Format("%d", weapon.power));
  return dialog;
}

std::unique_ptr<CDialog> CreateCheapStatusDialog(const CUnit& unit) {
  auto dialog = std::make_unique<CDialog>(250, 140);
  AddUnitBlock(*dialog, unit, unit.GetWt());
  // A unit carries at most four effects; a row of more would leave the box.
  const int shown = std::min(static_cast<int>(unit.extStates.size()), 4);
  for (int i = 0; i < shown; ++i) {
    const CUnitExtState& state = unit.extStates[static_cast<std::size_t>(i)];
    dialog->AddPane(std::make_unique<CPaneImage>(Format("ExtStateIcon%d", i), SPoint(24 * i, 92),
                                                 ImageDrawData(GetExtStateInfo(state.type).icon)));
    AddLabel(*dialog, Format("REST_TURN_%d", i), {1 + 24 * i, 104}, fontEdge12, Format("%d", state.turns),
             EColorName::White);
  }
  return dialog;
}

// ---- the windows ------------------------------------------------------------

CUnitStatusWindowBase::CUnitStatusWindowBase(const CUnit& unit_, SPoint position_, std::unique_ptr<CDialog> built)
    : unit(unit_), position(position_), dialog(manager.OpenDialog(position_, std::move(built))) {}

void CUnitStatusWindowBase::Update() { manager.Update(); }

void CUnitStatusWindowBase::Draw() { manager.Draw(); }

void CUnitStatusWindowBase::ProcessInput(CKeyManagerBase& keys) {
  // Nothing in the window can be chosen, so Z closes it as X does.
  if (keys.IsPush(EGameKey::CANCEL, true) || keys.IsPush(EGameKey::DECIDE, true)) {
    finished = true;
    return;
  }
  manager.ProcessInput(keys);
}

CStatusWindow::CStatusWindow(const CUnit& unit_, SPoint position_)
    : CUnitStatusWindowBase(unit_, position_, CreateStatusDialog(unit_)) {}

CCheapStatusWindow::CCheapStatusWindow(const CUnit& unit_, SPoint position_)
    : CUnitStatusWindowBase(unit_, position_, CreateCheapStatusDialog(unit_)) {}
