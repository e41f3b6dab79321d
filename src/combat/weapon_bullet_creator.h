// Builds the weapon sprites, projectiles and spell visuals of the attacks,
// each with its pictures, size and behaviour.
#pragma once

#include <memory>
#include <optional>

#include "combat/bullet.h"
#include "core/geometry.h"
#include "field/attack_types.h"

class CBattlefield;
class CStageActor;

class CWeaponBulletCreator {
 public:
  // A bullet of `type` at map position `position`, heading `angle` degrees
  // (0 = up, clockwise) at `speed` pixels per frame, its picture turned to
  // the heading. The caller adds it with AddBullet and keeps a handle when
  // it moves, animates, stops or removes it later. Weapon sprites (SHORT_SWORD,
  // LONG_SWORD, LARGE_SWORD, SPIER, BOW, ROD) never end by themselves;
  // ARROW and FIRE_BOLT leave a hit spark when stopped; FIRE_WALL, THUNDER
  // and the sparkle emitters end by themselves. Throws std::runtime_error
  // for a type the battle never makes.
  static std::unique_ptr<CBullet> Create(const CStageActor& owner, EWeaponBulletType type, CBattlefield& stage,
                                         SPointD position, double angle, double speed);
};

// The sparkle emitter that shows a healing or status skill landing on a
// grid; none for the other skills.
std::optional<EWeaponBulletType> GetSkillSparkleType(ESkill skill);
