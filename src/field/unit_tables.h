// Per-kind data of units: the class table of the party and the monsters,
// the monsters' parameter sets per rank, and the AI each kind thinks with.
#pragma once

#include <array>
#include <optional>
#include <span>

#include "field/attack_types.h"
#include "field/charactor.h"
#include "field/unit_ai_base.h"
#include "field/unit_status.h"

constexpr int CHARACTOR_COUNT = 17;
constexpr int PLAYER_CLASS_COUNT = 5;
constexpr int ENEMY_RANK_COUNT = 3;

constexpr bool IsPlayerClass(ECharactor charactor) {
  return static_cast<int>(charactor) >= 0 && static_cast<int>(charactor) < PLAYER_CLASS_COUNT;
}

// Parameters in EStatusType order: HP, MP, STR, VIT, DEX, AGI, INT, WT, MOVE.
using SStatusArray = std::array<int, STATUS_TYPE_COUNT>;

struct SClassSkill {
  bool learned;  // known from the start; the rest are bought in the camp
  ESkill skill;
};

struct SClassInfo {
  const char* className;  // shown by the camp and the status windows
  const char* unitName;   // the unit's own name
  const char* key;        // how event scripts find a party member; empty for monsters
  const char* face;       // under dat/image/
  int spriteIndex;
  EWeaponType weapon;
  bool lyingPose;  // a dead unit of this kind is shown lying down
  std::span<const SClassSkill> skills;
};
extern const SClassInfo classTable[CHARACTOR_COUNT];

// Starting parameters and raising costs of the player classes.
struct SClassParams {
  SStatusArray base;
  SStatusArray cost;
};
extern const SClassParams classParamTable[PLAYER_CLASS_COUNT];

// One rank of a monster kind.
struct SEnemyStat {
  bool exists;  // some kinds have no set for some ranks
  SStatusArray params;
  int skillPoint;                // worth this much when defeated
  std::optional<ESkill> skill;  // given to the unit on top of its class skills
};
// Indexed by [charactor - SLIME][rank].
extern const SEnemyStat enemyStatTable[CHARACTOR_COUNT - PLAYER_CLASS_COUNT][ENEMY_RANK_COUNT];

struct SUnitAIInfo {
  EUnitAIKind kind;
  ESearchType searchType;  // unused by NONE and SUPPORT_BY_SKILL
};
extern const SUnitAIInfo unitAITable[CHARACTOR_COUNT];

// The lookups throw std::runtime_error for a value outside the tables.
const SClassInfo& GetClassInfo(ECharactor charactor);
// Zero for monsters.
int ClassBaseParam(ECharactor charactor, EStatusType status);
int ClassRaiseCost(ECharactor charactor, EStatusType status);
// nullptr for a player class and for a rank the kind has no set for; ranks
// outside 0..2 throw.
const SEnemyStat* GetEnemyStat(ECharactor charactor, int rank);
const SUnitAIInfo& GetUnitAIInfo(ECharactor charactor);

// The camp's price for raising `status` from `current` by one step.
int ParamCost(ECharactor charactor, EStatusType status, int current);
