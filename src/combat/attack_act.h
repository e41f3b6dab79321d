// The attacks played out: one act per kind of attack moves the attacker,
// swings or fires the weapon, shows the spell and, at fixed frames, decides
// who is hit and for how much. An act changes no unit itself; it hands hit
// results to the unit action, which applies them.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "combat/bullet.h"
#include "core/geometry.h"
#include "field/attack_types.h"
#include "field/unit_status.h"

class CBattlefield;
class CUnit;
class CAttackActBase;

// One hit result. Damage when value > 0, healing when < 0; value 0 without
// an effect is a miss.
struct CAttackInfo {
  CUnit* target = nullptr;
  int value = 0;
  std::optional<CUnitExtState> extState;
  bool curesPoison = false;
  const CAttackActBase* act = nullptr;

  bool IsMiss() const { return value == 0 && !extState; }
};

class CAttackActBase {
 public:
  // The attacker must be on `stage`, and both must outlive the act.
  CAttackActBase(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  virtual ~CAttackActBase() = default;
  CAttackActBase(const CAttackActBase&) = delete;
  CAttackActBase& operator=(const CAttackActBase&) = delete;

  // One frame of the animation.
  virtual void Update() = 0;
  virtual bool IsEnd() const { return finished; }
  // The hit results of this frame, seen before this frame's Update; usually none.
  virtual std::vector<CAttackInfo> GetAttackInfos() = 0;
  // Removes what the act still shows and undoes its pose; safe to repeat.
  // Fire pillars, lightning and sparkle emitters stay: they burn out, fade
  // and remove themselves after the act has ended.
  virtual void Finish();
  // An act cut short before its end (the battle is left mid-attack) takes
  // everything it made with it, the spell visuals too.
  virtual void CutShort() { Finish(); }

  CUnit& GetAttacker() const { return *attacker; }
  const std::vector<SPoint>& GetTargetPoints() const { return targetPoints; }
  int GetFrame() const { return frame; }

 protected:
  // Visits the units on `grids` in order, as the battle lists them. A hit
  // when the hit rate beats a roll of 0..99 from gameRandom; the damage of
  // the weapon, or of `skill` when given. Units at 0 HP are rolled for only
  // with `fallenToo`. `halved(i)` halves the damage on grid i.
  std::vector<CAttackInfo> RollPhysicalHits(const std::vector<SPoint>& grids, std::optional<ESkill> skill,
                                            bool fallenToo, bool (*halved)(std::size_t) = nullptr) const;
  // Every living unit gets the skill's value; magic never misses.
  std::vector<CAttackInfo> SkillValueOnLiving(ESkill skill) const;
  CAttackInfo Result(CUnit& target, int value) const;

  CBattlefield* stage;
  CUnit* attacker;
  bool finished = false;
  std::vector<SPoint> targetPoints;
  int frame = 0;
};

// The kinds that need exactly one target point.
bool IsSingleTargetAct(EAttackActType kind);

// The act of `kind`; `skill` matters to the poison kinds only. Nullptr,
// with one line on standard error, for a kind outside the table or a
// single-target kind given other than one target point.
std::unique_ptr<CAttackActBase> MakeAttackAct(EAttackActType kind, CBattlefield& stage, CUnit& attacker,
                                              std::vector<SPoint> targetPoints, ESkill skill);

// ---- the acts --------------------------------------------------------------

// A lunge of 15 pixels along the facing and back.
class CAttackActTackle : public CAttackActBase {
 public:
  CAttackActTackle(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void Update() override;
  std::vector<CAttackInfo> GetAttackInfos() override;
  void Finish() override;

 private:
  SPointD start;
};

// The weapon sprite held out from the attacker, switching pictures at
// fixed frames, and the frames of the act's results and end.
struct SWeaponMotion {
  EWeaponBulletType sprite;
  double reach;
  std::vector<std::pair<int, int>> patterns;  // (frame, picture)
  int removedAt;
};

// An act that holds a weapon sprite (every act but the tackle).
class CAttackActWeapon : public CAttackActBase {
 public:
  void Update() override;
  std::vector<CAttackInfo> GetAttackInfos() override;
  void Finish() override;

 protected:
  // Results at `resultsAt`; the act ends when an Update finds `frame` at
  // `finishAt` or later (a negative value: the kind ends it itself).
  CAttackActWeapon(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints, const SWeaponMotion& motion,
                   int resultsAt, int finishAt);
  // The kind's own work of this frame, after the sprite has been placed.
  virtual void OnFrame() {}
  virtual std::vector<CAttackInfo> Resolve() = 0;
  void RemoveWeapon();
  // The angle the sprite is held at; the attacker's heading by default.
  virtual double WeaponAngle() const;

  SWeaponMotion motion;
  CBulletHandle weapon;
  int resultsAt;
  int finishAt;
  bool resultsGiven = false;
};

class CAttackActShortSword : public CAttackActWeapon {
 public:
  CAttackActShortSword(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  std::vector<CAttackInfo> Resolve() override;
};

class CAttackActLongSword : public CAttackActWeapon {
 public:
  CAttackActLongSword(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  std::vector<CAttackInfo> Resolve() override;
};

// The side grids (positions 1 and 2 of the area) take half damage.
class CAttackActLargeSword : public CAttackActWeapon {
 public:
  CAttackActLargeSword(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  std::vector<CAttackInfo> Resolve() override;
};

class CAttackActSpier : public CAttackActWeapon {
 public:
  CAttackActSpier(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  std::vector<CAttackInfo> Resolve() override;
};

class CAttackActLongThrust : public CAttackActWeapon {
 public:
  CAttackActLongThrust(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  std::vector<CAttackInfo> Resolve() override;
};

class CAttackActRod : public CAttackActWeapon {
 public:
  CAttackActRod(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  std::vector<CAttackInfo> Resolve() override;
};

// A full spin with the large sword, 12 degrees a frame; the attacker ends a
// quarter turn counter-clockwise from where it started.
class CAttackActRollingSlash : public CAttackActWeapon {
 public:
  CAttackActRollingSlash(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void Update() override;
  void Finish() override;
  std::vector<CAttackInfo> Resolve() override;

 protected:
  double WeaponAngle() const override;

 private:
  double spin = 0.0;
};

// One projectile on its way to a target grid.
struct SProjectile {
  CBulletHandle bullet;
  SPoint target;
};

// Acts that fire projectiles: a projectile closer than 16 pixels to the
// centre of a blocked grid is blocked; one that enters its target grid
// arrives and is removed.
class CAttackActShooting : public CAttackActWeapon {
 protected:
  using CAttackActWeapon::CAttackActWeapon;
  SProjectile Launch(EWeaponBulletType type, double speed, SPoint target);
  enum class EFlight { FLYING, BLOCKED, ARRIVED, GONE };
  EFlight Follow(SProjectile& p);
};

class CAttackActBow : public CAttackActShooting {
 public:
  CAttackActBow(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> GetAttackInfos() override;
  std::vector<CAttackInfo> Resolve() override;
  void Finish() override;

 private:
  SProjectile arrow;
  bool arrived = false;
};

// One arrow per target grid; only the grids an arrow reached are struck,
// in the order they were reached.
class CAttackActArrowShower : public CAttackActShooting {
 public:
  CAttackActArrowShower(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> GetAttackInfos() override;
  std::vector<CAttackInfo> Resolve() override;
  void Finish() override;

 private:
  std::vector<SProjectile> arrows;
  std::vector<SPoint> reached;
};

class CAttackActFireBolt : public CAttackActShooting {
 public:
  CAttackActFireBolt(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> GetAttackInfos() override;
  std::vector<CAttackInfo> Resolve() override;
  void Finish() override;

 private:
  SProjectile ball;
  bool arrived = false;
};

// The rod raised and a spell shown on the target grids at frame 13; they
// cannot be blocked.
class CAttackActSpell : public CAttackActWeapon {
 public:
  void CutShort() override;

 protected:
  using CAttackActWeapon::CAttackActWeapon;
  void Show(EWeaponBulletType type, SPoint grid, SPointD offset);
  std::vector<CBulletHandle> visuals;
};

class CAttackActFireWall : public CAttackActSpell {
 public:
  CAttackActFireWall(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> Resolve() override;
};

class CAttackActLightningBolt : public CAttackActSpell {
 public:
  CAttackActLightningBolt(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> Resolve() override;
};

class CAttackActPoison : public CAttackActSpell {
 public:
  CAttackActPoison(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints, ESkill skill);
  void OnFrame() override;
  std::vector<CAttackInfo> Resolve() override;

 protected:
  CAttackActPoison(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints, ESkill skill,
                   const SWeaponMotion& motion, int resultsAt);
  void ShowSparkles(std::size_t grids, const char* warning);
  ESkill skill;
};

class CAttackActAreaPoison : public CAttackActPoison {
 public:
  CAttackActAreaPoison(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints, ESkill skill);
  void OnFrame() override;
};

// Heals every living unit on the grid by the caster's INT.
class CAttackActHeal : public CAttackActSpell {
 public:
  CAttackActHeal(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> Resolve() override;
};

// 20 HP to every unit on the grids, living or fallen: it raises bodies.
class CAttackActAreaHeal : public CAttackActSpell {
 public:
  CAttackActAreaHeal(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> Resolve() override;
};

// 20 HP to the fallen only.
class CAttackActResurrection : public CAttackActSpell {
 public:
  CAttackActResurrection(CBattlefield& stage, CUnit& attacker, std::vector<SPoint> targetPoints);
  void OnFrame() override;
  std::vector<CAttackInfo> Resolve() override;
};
