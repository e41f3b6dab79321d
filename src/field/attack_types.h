// The kinds of weapon, skill and attack act, shared by the unit record, the
// rule tables and the acts that play attacks out.
#pragma once

enum class EWeaponType : int {
  NONE = 0,
  SHORT_SWORD = 1,
  LONG_SWORD = 2,
  LARGE_SWORD = 3,
  RESERVED = 4,  // no weapon; keeps the later values in place
  SPIER = 5,
  ROD = 6,
  BOW = 7,
};
constexpr int WEAPON_TYPE_COUNT = 8;

enum class ESkill : int {
  FIRE_BOLT = 0,
  FIRE_WALL = 1,
  LIGHTNING_BOLT = 2,
  HEAL = 3,
  LONG_HEAL = 4,
  AREA_HEAL = 5,
  RESURRECTION = 6,
  POISON = 7,
  CURE = 8,
  POISON_CLOUD = 9,
  MOVE_UP = 10,
  MOVE_DOWN = 11,
  WT_DOWN = 12,
  WT_UP = 13,
  PROVOCATION = 14,
  CONCENTRATION = 15,
  ARROW_SHOWER = 16,
  ROLLING_SLASH = 17,
  LONG_THRUST = 18,
};
constexpr int SKILL_COUNT = 19;

enum class EAttackActType : int {
  TACKLE = 0,
  SHORT_SWORD = 1,
  LONG_SWORD = 2,
  LARGE_SWORD = 3,
  SPIER = 4,
  ROD = 5,
  BOW = 6,
  ARROW_SHOWER = 7,
  ROLLING_SLASH = 8,
  LONG_THRUST = 9,
  FIRE_BOLT = 10,
  FIRE_WALL = 11,
  LIGHTNING_BOLT = 12,
  POISON = 13,
  AREA_POISON = 14,
  HEAL = 15,
  AREA_HEAL = 16,
  RESURRECTION = 17,
};
constexpr int ATTACK_ACT_TYPE_COUNT = 18;

enum class EAttackActCategory : int {
  PHYSICAL = 0,
  MAGIC = 1,
  HEAL = 2,
  STATUS = 3,
};
