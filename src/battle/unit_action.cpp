#include "battle/unit_action.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "assets/sound_manager.h"
#include "battle/cursor.h"
#include "combat/attack_act.h"
#include "combat/floating_text.h"
#include "core/map_grid.h"
#include "core/saturating.h"
#include "field/enemy.h"
#include "field/traverse.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "runtime/globals.h"

namespace {

void PlaySound(int effect) {
  if (soundManager) soundManager->PlaySE(effect);
}

// The unit's map actor with its sprite, or nullptr while it has none.
CEnemy* SpriteOf(const CUnit& unit) { return dynamic_cast<CEnemy*>(unit.actor.get()); }

SPointD ActorPosition(const CUnit& unit) { return unit.actor ? unit.actor->position : GridToPixel(unit.grid); }

}  // namespace

CUnitActionInfo::CUnitActionInfo(CStageStrategy_UnitAction& owner_, CUnit& unit_) : owner(&owner_), unit(&unit_) {}

CUnitActionInfo::~CUnitActionInfo() = default;

// ---- the strategy ------------------------------------------------------------

CStageStrategy_UnitAction::CStageStrategy_UnitAction(CStage& stage_) : CStageStrategy(stage_) {
  stage->cursor->visible = false;
}

CStageStrategy_UnitAction::~CStageStrategy_UnitAction() = default;

void CStageStrategy_UnitAction::AddActionInfo(std::unique_ptr<CUnitActionInfo> info) {
  actionInfos.push_back(std::move(info));
}

void CStageStrategy_UnitAction::Update() {
  if (stage->hitStop.IsActive()) return;
  // By index: the infos may append to the list while it is walked.
  const std::size_t count = actionInfos.size();
  for (std::size_t i = 0; i < count; ++i) actionInfos[i]->Update();
  std::erase_if(actionInfos, [](const auto& info) { return info->IsEnd(); });
  if (actionInfos.empty()) stage->ResumeBrowsing();  // replaces this strategy; it lives until the frame ends
}

// ---- move --------------------------------------------------------------------

CUnitActionInfo_Move::CUnitActionInfo_Move(CStageStrategy_UnitAction& owner_, CUnit& unit_,
                                           std::vector<EDirection4> route_)
    : CUnitActionInfo(owner_, unit_), route(std::move(route_)) {}

void CUnitActionInfo_Move::Update() {
  if (route.empty()) return;
  const EDirection4 d = route.front();
  unit->SetDirection(d);
  const SPoint next = unit->grid + DirectionOffset(d);
  const SPointD centre = GridToPixel(next);
  if (!unit->actor) {  // nothing to walk: the step is made at once
    unit->grid = next;
    route.erase(route.begin());
    return;
  }
  SPointD& at = unit->actor->position;
  bool reached = false;
  switch (d) {
    case EDirection4::LEFT: reached = (at.x -= 3.0) <= centre.x; break;
    case EDirection4::RIGHT: reached = (at.x += 3.0) >= centre.x; break;
    case EDirection4::UP: reached = (at.y -= 3.0) <= centre.y; break;
    case EDirection4::DOWN: reached = (at.y += 3.0) >= centre.y; break;
  }
  if (!reached) return;
  PlaySound(SE_FSTEP03A);
  unit->grid = next;
  if (d == EDirection4::LEFT || d == EDirection4::RIGHT) {
    at.x = centre.x;
  } else {
    at.y = centre.y;
  }
  route.erase(route.begin());
}

// ---- attack ------------------------------------------------------------------

CUnitActionInfo_Attack::CUnitActionInfo_Attack(CStageStrategy_UnitAction& owner_, EAttackActType actKind_,
                                               CUnit& attacker, std::vector<SPoint> targetPoints_, ESkill skill_)
    : CUnitActionInfo(owner_, attacker),
      actKind(actKind_),
      act(MakeAttackAct(actKind_, owner_.GetStage(), attacker, targetPoints_, skill_)),
      targetPoints(std::move(targetPoints_)),
      skill(skill_) {}

CUnitActionInfo_Attack::~CUnitActionInfo_Attack() {
  // An attack cut short (the battle ends) takes its sprites with it.
  if (act && !act->IsEnd()) act->CutShort();
}

bool CUnitActionInfo_Attack::IsEnd() const { return !act || act->IsEnd(); }

void CUnitActionInfo_Attack::Update() {
  if (!act) return;
  for (const CAttackInfo& r : act->GetAttackInfos()) {
    if (r.IsMiss()) {
      owner->AddActionInfo(
          std::make_unique<CUnitActionInfo_Evade>(*owner, *r.target, OppositeDirection4(unit->direction)));
    } else {
      owner->AddActionInfo(
          std::make_unique<CUnitActionInfo_Damaged>(*owner, *r.target, unit, r.value, r.extState, r.curesPoison));
      owner->GetStage().hitStop.SetCount(8);
    }
  }
  act->Update();
  ++frame;
}

// ---- damage and healing ------------------------------------------------------

CUnitActionInfo_Damaged::CUnitActionInfo_Damaged(CStageStrategy_UnitAction& owner_, CUnit& target, CUnit* attacker_,
                                                 int value_, std::optional<CUnitExtState> extState_,
                                                 bool curesPoison_)
    : CUnitActionInfo(owner_, target),
      attacker(attacker_),
      value(value_),
      extState(extState_),
      curesPoison(curesPoison_),
      wasDead(target.hp == 0) {}

void CUnitActionInfo_Damaged::Update() {
  const int f = frame;
  CStage& stage = owner->GetStage();
  CEnemy* sprite = SpriteOf(*unit);
  if (value > 0) {
    if (f == 0) PlaySound(SE_HIT76_D);
    if (sprite) sprite->GetDrawStrategy().SetVisible(f % 10 < 5);
  } else if (f == 0) {
    PlaySound(SE_POWER04);
  }

  if (f == 0) {
    if (extState) {
      stage.AddEffect(ShowStatusText(stage, extState->type, ActorPosition(*unit)));
    } else {
      for (auto& digit : ShowDamageNumber(value, stage, ActorPosition(*unit), 0.0, 2.0)) {
        stage.AddEffect(std::move(digit));
      }
    }
    unit->hp = std::clamp(Saturate(std::int64_t{unit->hp} - value), 0, std::max(unit->maxHp, 0));
    if (wasDead && unit->hp > 0) {
      std::fputs("RESURRECTION!!\n", stdout);
      unit->SetDirection(EDirection4::DOWN);
      if (sprite) {
        sprite->GetDrawStrategy().SetRotate(false);
        sprite->GetDrawStrategy().SetAngle(0.0);
        sprite->drawOffset = {0.0, -2.0};
      }
    }
    // A cure lays poison only to wash it away: laying it could push out the
    // unit's oldest effect, which the cure would not give back.
    if (extState && !curesPoison) unit->AddExtState(*extState);
    if (curesPoison) unit->RemoveExtState(EExtState::POISON);
  }

  if (f > 30) {
    if (sprite) sprite->GetDrawStrategy().SetVisible(true);
    done = true;
    if (unit->IsDead()) {
      unit->ClearExtStates();
      if (GetClassInfo(unit->charactor).lyingPose) {
        unit->SetDirection(EDirection4::UP);
        if (sprite) {
          sprite->GetDrawStrategy().SetRotate(true);
          sprite->GetDrawStrategy().SetAngle(90.0);
          sprite->drawOffset = {0.0, 1.0};
        }
      }
      if (unit->team == 1) {
        owner->AddActionInfo(std::make_unique<CUnitActionInfo_Dead>(*owner, *unit));
        stage.state.battleSkillPoint = Saturate(std::int64_t{stage.state.battleSkillPoint} + unit->skillPoint);
        if (attacker) attacker->skillPoint = Saturate(std::int64_t{attacker->skillPoint} + unit->skillPoint / 2);
      }
    }
  }
  ++frame;
}

// ---- death -------------------------------------------------------------------

CUnitActionInfo_Dead::CUnitActionInfo_Dead(CStageStrategy_UnitAction& owner_, CUnit& unit_)
    : CUnitActionInfo(owner_, unit_) {}

void CUnitActionInfo_Dead::Update() {
  // The fade is counted here: the sprite's own alpha stops at 0 and could
  // never be seen below it.
  alpha -= 10;
  CEnemy* sprite = SpriteOf(*unit);
  if (alpha < 0) {
    alpha = 0;
    unit->onStage = false;
    done = true;
  }
  if (sprite) sprite->GetDrawStrategy().SetAlpha(alpha);
  ++frame;
}

// ---- evasion -----------------------------------------------------------------

CUnitActionInfo_Evade::CUnitActionInfo_Evade(CStageStrategy_UnitAction& owner_, CUnit& unit_, EDirection4 direction_)
    : CUnitActionInfo(owner_, unit_), direction(direction_), startPosition(ActorPosition(unit_)) {}

void CUnitActionInfo_Evade::Update() {
  const int f = frame;
  CStageActor* actor = unit->actor.get();
  if (f == 0) {
    PlaySound(SE_SHA00);
    owner->GetStage().AddEffect(ShowEvadeText(owner->GetStage(), ActorPosition(*unit)));
    if (actor) {
      actor->speed = 4.0;
      actor->heading = Direction4ToAngle(OppositeDirection4(direction));
    }
  } else if (f == 5) {
    if (actor) actor->heading = Direction4ToAngle(direction);
  } else if (f == 10) {
    if (actor) {
      actor->speed = 0.0;
      actor->position = startPosition;
    }
    done = true;
  }
  ++frame;
}
