#include "combat/attack_act.h"

#include <algorithm>
#include <cstdio>

#include "combat/formulas.h"
#include "combat/weapon_bullet_creator.h"
#include "core/map_grid.h"
#include "core/random.h"
#include "field/battlefield.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/status_effect.h"
#include "field/unit.h"
#include "gfx/stage_actor.h"
#include "runtime/globals.h"

namespace {

// The point `reach` pixels out from the attacker along `angle`.
SPointD HeldOut(double reach, double angle) { return SPointD(0.0, -reach).Rotated(angle); }

CStageActor& ActorOf(const CUnit& unit) {
  if (!unit.actor) throw std::runtime_error("an attack needs the attacker on the battle map");
  return *unit.actor;
}

void KillIfAlive(const CBulletHandle& h) {
  if (h.IsAlive()) h->Kill();
}

bool SideGrid(std::size_t i) { return i == 1 || i == 2; }

using enum EWeaponBulletType;

const SWeaponMotion kShortSword{SHORT_SWORD, 17, {{5, 1}, {9, 2}, {15, 3}, {26, 0}}, 33};
const SWeaponMotion kLongSword{LONG_SWORD, 23, {{6, 1}, {13, 2}, {19, 3}}, 36};
const SWeaponMotion kLargeSword{LARGE_SWORD, 23, {{6, 1}, {13, 2}, {19, 3}, {28, 4}}, 39};
const SWeaponMotion kRollingSlash{LARGE_SWORD, 23, {{5, 1}, {9, 2}, {13, 3}, {28, 4}}, 39};
const SWeaponMotion kSpier{SPIER, 26, {{7, 1}, {13, 2}, {23, 3}}, 44};
const SWeaponMotion kBow{BOW, 14, {}, 15};
const SWeaponMotion kRod{ROD, 7, {{6, 1}, {13, 2}, {19, 3}}, 36};
const SWeaponMotion kLongRod{ROD, 7, {{6, 1}, {13, 2}, {19, 3}}, 40};  // the slower spells

constexpr int kSpellFrame = 13;  // the rod is raised and the spell appears

}  // namespace

// ---- the base ----------------------------------------------------------------

CAttackActBase::CAttackActBase(CBattlefield& stage_, CUnit& attacker_, std::vector<SPoint> targetPoints_)
    : stage(&stage_), attacker(&attacker_), targetPoints(std::move(targetPoints_)) {}

void CAttackActBase::Finish() { finished = true; }

CAttackInfo CAttackActBase::Result(CUnit& target, int value) const { return {&target, value, {}, false, this}; }

std::vector<CAttackInfo> CAttackActBase::RollPhysicalHits(const std::vector<SPoint>& grids, std::optional<ESkill> skill,
                                                          bool fallenToo, bool (*halved)(std::size_t)) const {
  std::vector<CAttackInfo> results;
  for (std::size_t i = 0; i < grids.size(); ++i) {
    for (CUnit* unit : stage->state.GetUnitsAt(grids[i])) {
      if (unit->IsDead() && !fallenToo) continue;
      const int rate = GetWeaponHitRate(*attacker, *unit);
      const int roll = gameRandom->NextRange(0, 99);
      int value = 0;
      if (rate > roll) {
        value = skill ? GetSkillValue(*skill, *attacker, *unit, true, *gameRandom)
                      : GetWeaponDamage(*attacker, *unit, true, *gameRandom);
        if (halved && halved(i)) value /= 2;
      }
      results.push_back(Result(*unit, value));
    }
  }
  return results;
}

std::vector<CAttackInfo> CAttackActBase::SkillValueOnLiving(ESkill skill) const {
  std::vector<CAttackInfo> results;
  for (const SPoint& grid : targetPoints) {
    for (CUnit* unit : stage->state.GetUnitsAt(grid)) {
      if (!unit->IsDead()) results.push_back(Result(*unit, GetSkillValue(skill, *attacker, *unit, true, *gameRandom)));
    }
  }
  return results;
}

bool IsSingleTargetAct(EAttackActType kind) {
  using enum EAttackActType;
  return kind == BOW || kind == FIRE_BOLT || kind == LIGHTNING_BOLT || kind == POISON || kind == HEAL ||
         kind == RESURRECTION;
}

std::unique_ptr<CAttackActBase> MakeAttackAct(EAttackActType kind, CBattlefield& stage, CUnit& attacker,
                                              std::vector<SPoint> targetPoints, ESkill skill) {
  const int k = static_cast<int>(kind);
  if (k < 0 || k >= ATTACK_ACT_TYPE_COUNT) {
    std::fprintf(stderr, "attack of unknown kind %d by %s: nothing happens\n", k, attacker.name.c_str());
    return nullptr;
  }
  if (IsSingleTargetAct(kind) && targetPoints.size() != 1) {
    std::fprintf(stderr, "attack of kind %d by %s aimed at %zu grids instead of one: nothing happens\n", k,
                 attacker.name.c_str(), targetPoints.size());
    return nullptr;
  }
  auto t = std::move(targetPoints);
  switch (kind) {
    case EAttackActType::TACKLE: return std::make_unique<CAttackActTackle>(stage, attacker, std::move(t));
    case EAttackActType::SHORT_SWORD: return std::make_unique<CAttackActShortSword>(stage, attacker, std::move(t));
    case EAttackActType::LONG_SWORD: return std::make_unique<CAttackActLongSword>(stage, attacker, std::move(t));
    case EAttackActType::LARGE_SWORD: return std::make_unique<CAttackActLargeSword>(stage, attacker, std::move(t));
    case EAttackActType::SPIER: return std::make_unique<CAttackActSpier>(stage, attacker, std::move(t));
    case EAttackActType::ROD: return std::make_unique<CAttackActRod>(stage, attacker, std::move(t));
    case EAttackActType::BOW: return std::make_unique<CAttackActBow>(stage, attacker, std::move(t));
    case EAttackActType::ARROW_SHOWER: return std::make_unique<CAttackActArrowShower>(stage, attacker, std::move(t));
    case EAttackActType::ROLLING_SLASH: return std::make_unique<CAttackActRollingSlash>(stage, attacker, std::move(t));
    case EAttackActType::LONG_THRUST: return std::make_unique<CAttackActLongThrust>(stage, attacker, std::move(t));
    case EAttackActType::FIRE_BOLT: return std::make_unique<CAttackActFireBolt>(stage, attacker, std::move(t));
    case EAttackActType::FIRE_WALL: return std::make_unique<CAttackActFireWall>(stage, attacker, std::move(t));
    case EAttackActType::LIGHTNING_BOLT:
      return std::make_unique<CAttackActLightningBolt>(stage, attacker, std::move(t));
    case EAttackActType::POISON: return std::make_unique<CAttackActPoison>(stage, attacker, std::move(t), skill);
    case EAttackActType::AREA_POISON:
      return std::make_unique<CAttackActAreaPoison>(stage, attacker, std::move(t), skill);
    case EAttackActType::HEAL: return std::make_unique<CAttackActHeal>(stage, attacker, std::move(t));
    case EAttackActType::AREA_HEAL: return std::make_unique<CAttackActAreaHeal>(stage, attacker, std::move(t));
    case EAttackActType::RESURRECTION: return std::make_unique<CAttackActResurrection>(stage, attacker, std::move(t));
  }
  return nullptr;
}

// ---- tackle ------------------------------------------------------------------

CAttackActTackle::CAttackActTackle(CBattlefield& stage_, CUnit& attacker_, std::vector<SPoint> targetPoints_)
    : CAttackActBase(stage_, attacker_, std::move(targetPoints_)), start(ActorOf(attacker_).position) {}

void CAttackActTackle::Update() {
  if (finished) return;
  if (frame >= 20) {
    Finish();
  } else {
    CStageActor& actor = ActorOf(*attacker);
    const double out = frame < 10 ? 1.5 : -1.5;
    actor.position += HeldOut(out, actor.heading);
  }
  ++frame;
}

std::vector<CAttackInfo> CAttackActTackle::GetAttackInfos() {
  // The tackle rolls for a fallen unit on its grid like for any other.
  if (frame != 10) return {};
  return RollPhysicalHits(targetPoints, std::nullopt, true);
}

void CAttackActTackle::Finish() {
  if (!finished && attacker->actor) attacker->actor->position = start;
  CAttackActBase::Finish();
}

// ---- acts with a weapon sprite -------------------------------------------------

CAttackActWeapon::CAttackActWeapon(CBattlefield& stage_, CUnit& attacker_, std::vector<SPoint> targetPoints_,
                                   const SWeaponMotion& motion_, int resultsAt_, int finishAt_)
    : CAttackActBase(stage_, attacker_, std::move(targetPoints_)),
      motion(motion_),
      resultsAt(resultsAt_),
      finishAt(finishAt_) {
  CStageActor& actor = ActorOf(attacker_);
  const double angle = actor.heading;
  auto sprite = CWeaponBulletCreator::Create(actor, motion.sprite, stage_,
                                             actor.position + HeldOut(motion.reach, angle) + SPointD(0.0, 5.0), angle,
                                             0.0);
  weapon = sprite->GetHandle();
  stage_.AddBullet(std::move(sprite));
}

double CAttackActWeapon::WeaponAngle() const { return ActorOf(*attacker).heading; }

void CAttackActWeapon::Update() {
  if (finished) return;
  if (finishAt >= 0 && frame >= finishAt) {
    Finish();
    ++frame;
    return;
  }
  if (weapon.IsAlive()) {
    const double angle = WeaponAngle();
    weapon->position = ActorOf(*attacker).position + HeldOut(motion.reach, angle) + SPointD(0.0, 2.0);
    weapon->heading = angle;
    for (const auto& [at, picture] : motion.patterns) {
      if (at == frame) weapon->drawData.imageIndex = picture;
    }
    if (frame == motion.removedAt) RemoveWeapon();
  }
  OnFrame();
  ++frame;
}

std::vector<CAttackInfo> CAttackActWeapon::GetAttackInfos() {
  if (resultsGiven || frame != resultsAt) return {};
  resultsGiven = true;
  return Resolve();
}

void CAttackActWeapon::RemoveWeapon() { KillIfAlive(weapon); }

void CAttackActWeapon::Finish() {
  RemoveWeapon();
  CAttackActBase::Finish();
}

CAttackActShortSword::CAttackActShortSword(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kShortSword, 12, 41) {}
std::vector<CAttackInfo> CAttackActShortSword::Resolve() { return RollPhysicalHits(targetPoints, {}, false); }

CAttackActLongSword::CAttackActLongSword(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kLongSword, 20, 52) {}
std::vector<CAttackInfo> CAttackActLongSword::Resolve() { return RollPhysicalHits(targetPoints, {}, false); }

CAttackActLargeSword::CAttackActLargeSword(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kLargeSword, 20, 58) {}
std::vector<CAttackInfo> CAttackActLargeSword::Resolve() {
  return RollPhysicalHits(targetPoints, {}, false, SideGrid);
}

CAttackActSpier::CAttackActSpier(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kSpier, 20, 49) {}
std::vector<CAttackInfo> CAttackActSpier::Resolve() { return RollPhysicalHits(targetPoints, {}, false); }

CAttackActLongThrust::CAttackActLongThrust(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kSpier, 20, 49) {}
std::vector<CAttackInfo> CAttackActLongThrust::Resolve() {
  return RollPhysicalHits(targetPoints, ESkill::LONG_THRUST, false);
}

CAttackActRod::CAttackActRod(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kRod, 20, 41) {}
std::vector<CAttackInfo> CAttackActRod::Resolve() { return RollPhysicalHits(targetPoints, {}, false); }

// ---- rolling slash -------------------------------------------------------------

CAttackActRollingSlash::CAttackActRollingSlash(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActWeapon(s, a, std::move(t), kRollingSlash, 20, -1) {
  ActorOf(a).heading = Direction4ToAngle(a.direction) - 90.0 - 45.0;
}

double CAttackActRollingSlash::WeaponAngle() const { return ActorOf(*attacker).heading + spin; }

void CAttackActRollingSlash::Update() {
  if (finished) return;
  if (frame >= 52) {
    attacker->SetDirection(AngleToDirection4(ActorOf(*attacker).heading));
    Finish();
    ++frame;
    return;
  }
  if (auto* unitActor = dynamic_cast<CEnemy*>(attacker->actor.get())) {
    unitActor->GetDrawStrategy().SetDirection9(AngleToDirection9(WeaponAngle()));
  }
  CAttackActWeapon::Update();
  spin += 12.0;
}

void CAttackActRollingSlash::Finish() {
  if (!finished) {
    // Upright again, facing the way the sprite shows.
    if (auto* unitActor = dynamic_cast<CEnemy*>(attacker->actor.get())) {
      unitActor->heading = Direction4ToAngle(unitActor->GetDrawStrategy().GetDirection4());
    }
  }
  CAttackActWeapon::Finish();
}

std::vector<CAttackInfo> CAttackActRollingSlash::Resolve() {
  return RollPhysicalHits(targetPoints, ESkill::ROLLING_SLASH, false);
}

// ---- projectiles -------------------------------------------------------------

SProjectile CAttackActShooting::Launch(EWeaponBulletType type, double speed, SPoint target) {
  CStageActor& actor = ActorOf(*attacker);
  const double angle = GetAngle(GridToPixel(attacker->grid), GridToPixel(target));
  auto bullet = CWeaponBulletCreator::Create(actor, type, *stage, actor.position + HeldOut(7.0, actor.heading), angle,
                                             speed);
  SProjectile p{bullet->GetHandle(), target};
  stage->AddBullet(std::move(bullet));
  return p;
}

CAttackActShooting::EFlight CAttackActShooting::Follow(SProjectile& p) {
  if (!p.bullet.IsAlive()) return EFlight::GONE;
  const SPointD at = p.bullet->position;
  const SPoint grid = PixelToGrid(at);
  const CGeographicalFeatures* map = stage->GetMap();
  const CGridObject* cell = map ? map->GetGrid(grid) : nullptr;
  if (cell && cell->type == EMapObjectType::BLOCKED && Distance(at, GridToPixel(grid)) < 16.0) return EFlight::BLOCKED;
  if (grid == p.target) return EFlight::ARRIVED;
  return EFlight::FLYING;
}

CAttackActBow::CAttackActBow(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActShooting(s, a, std::move(t), kBow, -1, -1) {}

void CAttackActBow::OnFrame() {
  if (resultsGiven) {
    Finish();
    return;
  }
  if (frame == kSpellFrame) arrow = Launch(ARROW, 3.2, targetPoints.front());
  if (frame < kSpellFrame || arrived) return;
  switch (Follow(arrow)) {
    case EFlight::BLOCKED:
      arrow.bullet->Stop();
      Finish();
      break;
    case EFlight::ARRIVED:
      arrow.bullet->Kill();
      arrived = true;
      break;
    case EFlight::GONE:  // left the battle some other way: nothing is struck
      Finish();
      break;
    case EFlight::FLYING: break;
  }
}

std::vector<CAttackInfo> CAttackActBow::GetAttackInfos() {
  if (!arrived || resultsGiven || finished) return {};
  resultsGiven = true;
  return Resolve();
}

std::vector<CAttackInfo> CAttackActBow::Resolve() { return RollPhysicalHits(targetPoints, {}, false); }

void CAttackActBow::Finish() {
  KillIfAlive(arrow.bullet);
  CAttackActShooting::Finish();
}

CAttackActArrowShower::CAttackActArrowShower(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActShooting(s, a, std::move(t), kBow, -1, -1) {}

void CAttackActArrowShower::OnFrame() {
  if (resultsGiven) {
    Finish();
    return;
  }
  if (frame == kSpellFrame) {
    for (const SPoint& grid : targetPoints) arrows.push_back(Launch(ARROW, 3.2, grid));
  }
  for (SProjectile& arrow : arrows) {
    const EFlight flight = Follow(arrow);
    if (flight == EFlight::BLOCKED) arrow.bullet->Kill();
    if (flight == EFlight::ARRIVED) {
      arrow.bullet->Kill();
      reached.push_back(arrow.target);
    }
  }
}

std::vector<CAttackInfo> CAttackActArrowShower::GetAttackInfos() {
  if (resultsGiven || finished || frame <= kSpellFrame) return {};
  if (std::any_of(arrows.begin(), arrows.end(), [](const SProjectile& p) { return p.bullet.IsAlive(); })) return {};
  resultsGiven = true;
  return Resolve();
}

std::vector<CAttackInfo> CAttackActArrowShower::Resolve() {
  return RollPhysicalHits(reached, ESkill::ARROW_SHOWER, false);
}

void CAttackActArrowShower::Finish() {
  for (const SProjectile& arrow : arrows) KillIfAlive(arrow.bullet);
  CAttackActShooting::Finish();
}

CAttackActFireBolt::CAttackActFireBolt(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActShooting(s, a, std::move(t), kRod, -1, -1) {}

void CAttackActFireBolt::OnFrame() {
  if (resultsGiven) {
    if (frame > 36) Finish();
    return;
  }
  if (frame == kSpellFrame) ball = Launch(EWeaponBulletType::FIRE_BOLT, 3.0, targetPoints.front());
  if (frame < kSpellFrame || arrived) return;
  switch (Follow(ball)) {
    case EFlight::BLOCKED:
      ball.bullet->Stop();
      Finish();
      break;
    case EFlight::ARRIVED:
      ball.bullet->Kill();
      RemoveWeapon();
      arrived = true;
      break;
    case EFlight::GONE: Finish(); break;
    case EFlight::FLYING: break;
  }
}

std::vector<CAttackInfo> CAttackActFireBolt::GetAttackInfos() {
  if (!arrived || resultsGiven || finished) return {};
  resultsGiven = true;
  return Resolve();
}

std::vector<CAttackInfo> CAttackActFireBolt::Resolve() { return SkillValueOnLiving(ESkill::FIRE_BOLT); }

void CAttackActFireBolt::Finish() {
  KillIfAlive(ball.bullet);
  CAttackActShooting::Finish();
}

// ---- spells ------------------------------------------------------------------

void CAttackActSpell::Show(EWeaponBulletType type, SPoint grid, SPointD offset) {
  auto visual = CWeaponBulletCreator::Create(ActorOf(*attacker), type, *stage, GridToPixel(grid) + offset, 0.0, 0.0);
  visuals.push_back(visual->GetHandle());
  stage->AddBullet(std::move(visual));
}

void CAttackActSpell::CutShort() {
  for (const CBulletHandle& v : visuals) KillIfAlive(v);
  Finish();
}

CAttackActFireWall::CAttackActFireWall(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActSpell(s, a, std::move(t), kRod, 37, 37) {}
void CAttackActFireWall::OnFrame() {
  if (frame != kSpellFrame) return;
  for (const SPoint& grid : targetPoints) Show(EWeaponBulletType::FIRE_WALL, grid, {0.0, -16.0});
}
std::vector<CAttackInfo> CAttackActFireWall::Resolve() { return SkillValueOnLiving(ESkill::FIRE_WALL); }

CAttackActLightningBolt::CAttackActLightningBolt(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActSpell(s, a, std::move(t), kRod, 37, 37) {}
void CAttackActLightningBolt::OnFrame() {
  if (frame == kSpellFrame) Show(THUNDER, targetPoints.front(), {0.0, -27.0});
}
std::vector<CAttackInfo> CAttackActLightningBolt::Resolve() { return SkillValueOnLiving(ESkill::LIGHTNING_BOLT); }

CAttackActPoison::CAttackActPoison(CBattlefield& s, CUnit& a, std::vector<SPoint> t, ESkill skill_)
    : CAttackActPoison(s, a, std::move(t), skill_, kRod, 37) {}

CAttackActPoison::CAttackActPoison(CBattlefield& s, CUnit& a, std::vector<SPoint> t, ESkill skill_,
                                   const SWeaponMotion& motion_, int resultsAt_)
    : CAttackActSpell(s, a, std::move(t), motion_, resultsAt_, resultsAt_), skill(skill_) {}

void CAttackActPoison::ShowSparkles(std::size_t grids, const char* warning) {
  const std::optional<EWeaponBulletType> sparkle = GetSkillSparkleType(skill);
  if (!sparkle) {
    std::fputs(warning, stdout);
    return;
  }
  for (std::size_t i = 0; i < grids && i < targetPoints.size(); ++i) Show(*sparkle, targetPoints[i], {});
}

void CAttackActPoison::OnFrame() {
  if (frame == kSpellFrame) ShowSparkles(1, "Warning CAttackActPoison\n");
}

std::vector<CAttackInfo> CAttackActPoison::Resolve() {
  std::vector<CAttackInfo> results;
  for (const SPoint& grid : targetPoints) {
    for (CUnit* unit : stage->state.GetUnitsAt(grid)) {
      if (unit->IsDead()) continue;
      CAttackInfo r = Result(*unit, 0);
      r.extState = CUnitExtState(NEW_EXT_STATE_TURNS, GetSkillExtState(skill));
      r.curesPoison = skill == ESkill::CURE;
      results.push_back(r);
    }
  }
  return results;
}

CAttackActAreaPoison::CAttackActAreaPoison(CBattlefield& s, CUnit& a, std::vector<SPoint> t, ESkill skill_)
    : CAttackActPoison(s, a, std::move(t), skill_, kLongRod, 72) {}
void CAttackActAreaPoison::OnFrame() {
  if (frame == kSpellFrame) ShowSparkles(targetPoints.size(), "Warning CAttackActAreaPoison\n");
}

CAttackActHeal::CAttackActHeal(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActSpell(s, a, std::move(t), kLongRod, 72, 72) {}
void CAttackActHeal::OnFrame() {
  if (frame == kSpellFrame) Show(SPARKLE_HEAL, targetPoints.front(), {});
}
std::vector<CAttackInfo> CAttackActHeal::Resolve() { return SkillValueOnLiving(ESkill::HEAL); }

CAttackActAreaHeal::CAttackActAreaHeal(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActSpell(s, a, std::move(t), kLongRod, 72, 72) {}
void CAttackActAreaHeal::OnFrame() {
  if (frame != kSpellFrame) return;
  for (const SPoint& grid : targetPoints) Show(SPARKLE_HEAL, grid, {});
}
std::vector<CAttackInfo> CAttackActAreaHeal::Resolve() {
  std::vector<CAttackInfo> results;
  for (const SPoint& grid : targetPoints) {
    for (CUnit* unit : stage->state.GetUnitsAt(grid)) results.push_back(Result(*unit, -20));
  }
  return results;
}

CAttackActResurrection::CAttackActResurrection(CBattlefield& s, CUnit& a, std::vector<SPoint> t)
    : CAttackActSpell(s, a, std::move(t), kLongRod, 72, 72) {}
void CAttackActResurrection::OnFrame() {
  if (frame == kSpellFrame) Show(SPARKLE_HEAL, targetPoints.front(), {});
}
std::vector<CAttackInfo> CAttackActResurrection::Resolve() {
  std::vector<CAttackInfo> results;
  for (const SPoint& grid : targetPoints) {
    for (CUnit* unit : stage->state.GetUnitsAt(grid)) {
      if (unit->IsDead()) results.push_back(Result(*unit, -20));
    }
  }
  return results;
}
