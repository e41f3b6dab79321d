#include "field/unit_tables.h"

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/saturating.h"

namespace {

using enum ESkill;

constexpr SClassSkill kFighterSkills[] = {{false, CONCENTRATION}, {false, ROLLING_SLASH}};
constexpr SClassSkill kKnightSkills[] = {{false, HEAL}, {false, PROVOCATION}, {false, LONG_THRUST}};
constexpr SClassSkill kArcherSkills[] = {{false, MOVE_UP}, {false, MOVE_DOWN}, {false, ARROW_SHOWER}};
constexpr SClassSkill kSorceressSkills[] = {
    {true, FIRE_BOLT}, {false, POISON}, {false, LIGHTNING_BOLT}, {false, POISON_CLOUD}, {false, FIRE_WALL}};
constexpr SClassSkill kPriestessSkills[] = {{true, LONG_HEAL}, {false, CURE},      {false, WT_DOWN},
                                            {false, WT_UP},    {false, AREA_HEAL}, {false, RESURRECTION}};

constexpr SEnemyStat None() { return {false, {}, 0, std::nullopt}; }
constexpr SEnemyStat Stat(SStatusArray params, int skillPoint) { return {true, params, skillPoint, std::nullopt}; }
constexpr SEnemyStat Stat(SStatusArray params, int skillPoint, ESkill skill) {
  return {true, params, skillPoint, skill};
}

constexpr SStatusArray kDaemon = {200, 10, 40, 40, 40, 40, 40, 20, 8};

int CheckedCharactor(ECharactor charactor) {
  const int i = static_cast<int>(charactor);
  if (i < 0 || i >= CHARACTOR_COUNT) {
    throw std::runtime_error("unknown unit kind " + std::to_string(i) + " (0.." +
                             std::to_string(CHARACTOR_COUNT - 1) + " exist)");
  }
  return i;
}

int CheckedStatus(EStatusType status) {
  const int i = static_cast<int>(status);
  if (i < 0 || i >= STATUS_TYPE_COUNT) throw std::runtime_error("unknown parameter number " + std::to_string(i));
  return i;
}

}  // namespace

using enum EWeaponType;

// clang-format off
constinit const SClassInfo classTable[CHARACTOR_COUNT] = {
  // class name        unit name        key                  face                               sheet weapon       lying  skills
  {"ウォーリアー",     "ファイター",    "player_fighter",    "ziki/fighter_face.png",            1,  LARGE_SWORD, true,  kFighterSkills},
  {"ナイト",           "ナイト",        "player_knight",     "ziki/knight_face.png",             0,  SPIER,       true,  kKnightSkills},
  {"アーチャー",       "アーチャー",    "player_archer",     "ziki/sorcerer_face.png",           2,  BOW,         true,  kArcherSkills},
  {"魔術師",           "魔法使い",      "player_sorceress",  "ziki/sorceress_face.png",          3,  ROD,         true,  kSorceressSkills},
  {"司祭",             "プリースト",    "player_priestess",  "ziki/priestess_face.png",          4,  ROD,         true,  kPriestessSkills},
  {"スライム",         "スライム",      "",                  "ziki/unknown_face.png",            5,  NONE,        false, {}},
  {"スライム(赤)",     "スライム(赤)",  "",                  "ziki/unknown_face.png",            6,  NONE,        false, {}},
  {"スライム(黄)",     "スライム(黄)",  "",                  "ziki/unknown_face.png",            7,  NONE,        false, {}},
  {"コボルド",         "コボルト",      "",                  "ziki/kobold_face.png",             8,  LONG_SWORD,  true,  {}},
  {"フェアリー",       "フェアリー",    "",                  "ziki/fairy_face.png",              9,  BOW,         true,  {}},
  {"へび",             "へび子",        "",                  "ziki/unknown_face.png",           10,  NONE,        true,  {}},
  {"オーガ",           "おが子",        "",                  "ziki/unknown_face.png",           11,  LONG_SWORD,  true,  {}},
  {"火の精霊",         "ひ子",          "",                  "ziki/spilit_of_fire_face.png",    12,  ROD,         true,  {}},
  {"水の精霊",         "みず子",        "",                  "ziki/spilit_of_water_face.png",   13,  ROD,         true,  {}},
  {"森の精霊",         "もり子",        "",                  "ziki/spilit_of_forest_face.png",  14,  ROD,         true,  {}},
  {"光の精霊",         "ひかり子",      "",                  "ziki/spilit_of_ray_face.png",     15,  ROD,         true,  {}},
  {"デーモン",         "デモ美",        "",                  "ziki/unknown_face.png",           16,  NONE,        true,  {}},
};

constinit const SClassParams classParamTable[PLAYER_CLASS_COUNT] = {
  //  HP  MP STR VIT DEX AGI INT  WT MOVE      HP MP STR VIT DEX AGI INT  WT MOVE
  {{  18,  5, 12,  8,  5,  5,  2, 30, 4 },   {  4, 5,  3,  4,  3,  4,  5, 50, 40 }},  // FIGHTER
  {{  20, 10, 10, 10, 10,  5,  5, 35, 5 },   {  3, 5,  4,  3,  4,  4,  5, 50, 40 }},  // KNIGHT
  {{  15,  6,  4,  6, 12,  8, 10, 36, 5 },   {  5, 3,  5,  5,  3,  4,  3, 50, 40 }},  // ARCHER
  {{  12, 10,  1,  4, 10,  5, 12, 40, 4 },   {  5, 3,  5,  5,  4,  4,  3, 50, 40 }},  // SORCERESS
  {{  15, 10,  7,  7, 10,  5,  9, 40, 4 },   {  4, 4,  4,  4,  4,  4,  4, 50, 40 }},  // PRIESTESS
};

constinit const SEnemyStat enemyStatTable[CHARACTOR_COUNT - PLAYER_CLASS_COUNT][ENEMY_RANK_COUNT] = {
  //         HP  MP STR VIT DEX AGI INT  WT MOVE  points  skill
  { /* SLIME */
    Stat({  18,  0,  9,  8,  8,  8,  8, 44, 3 },  3),
    Stat({  24,  0, 11, 10, 10, 10, 10, 42, 4 },  6),
    Stat({  60,  0, 14, 14, 14, 14, 14, 40, 5 },  8),
  },
  { /* SLIME_RED */
    Stat({  18,  0, 10, 18, 10,  5,  0, 44, 3 },  6),
    Stat({  24,  0, 15, 24, 12, 10,  5, 42, 4 },  8),
    Stat({  32,  0, 20, 35, 15, 15, 15, 40, 5 }, 12),
  },
  { /* SLIME_YELLOW */
    Stat({  18,  0, 10,  0, 10,  5, 18, 44, 3 },  6),
    Stat({  24,  0, 15,  5, 12, 10, 24, 42, 4 },  8),
    Stat({  32,  0, 20, 15, 15, 15, 35, 40, 5 }, 12),
  },
  { /* KOBOLD */
    Stat({  24, 10, 10, 10, 10,  5,  5, 40, 4 },  6),
    Stat({  30, 10, 12, 12, 12, 10,  6, 40, 4 }, 12),
    Stat({  72,  0, 15, 10, 15, 15, 30, 40, 5 }, 16),
  },
  { /* FAIRY */
    Stat({  18, 10,  8, 10, 10,  5,  5, 44, 4 },  8),
    Stat({  24, 12, 14, 14, 14, 14, 14, 42, 4 }, 12),
    Stat({  40,  0, 20, 18, 18, 18, 18, 40, 5 }, 15),
  },
  { /* SNAKE */
    Stat({  28, 10, 20, 15, 15, 15, 15, 38, 8 },  8),
    Stat({  38, 10, 24, 20, 20, 20, 20, 35, 8 }, 12),
    None(),
  },
  { /* OGRE */
    Stat({  40, 10,  8, 15,  0,  0, 15, 60, 2 },  6),
    Stat({  80, 10, 17, 20,  5,  5, 10, 55, 2 }, 10),
    Stat({ 120, 10, 20, 30, 10, 10, 30, 50, 2 }, 12),
  },
  { /* SPIRIT_OF_FIRE */
    Stat({  18,  5,  8, 10, 10, 10, 10, 44, 4 },  7,  FIRE_BOLT),
    Stat({  24, 11,  8, 10, 15, 10, 15, 40, 4 }, 10,  FIRE_WALL),
    None(),
  },
  { /* SPIRIT_OF_WATER */
    Stat({  18, 10,  8, 10, 10,  5,  5, 44, 4 },  7,  POISON),
    Stat({  30, 15, 10, 18, 15, 15, 18, 40, 4 }, 10,  POISON_CLOUD),
    None(),
  },
  { /* SPIRIT_OF_FOREST */
    Stat({  18,  8,  8, 10, 10,  5, 14, 44, 4 },  7,  LONG_HEAL),
    Stat({  24, 12, 10, 15, 15, 10, 35, 35, 4 }, 10,  LONG_HEAL),
    Stat({  28, 10, 10, 15, 15, 10, 30, 40, 4 }, 12,  WT_DOWN),
  },
  { /* SPIRIT_OF_RAY */
    Stat({  18, 10,  8, 10, 10,  5, 10, 44, 4 },  7,  LIGHTNING_BOLT),
    Stat({  30, 15, 20, 20, 20, 20, 20, 40, 4 }, 10,  LIGHTNING_BOLT),
    None(),
  },
  { /* DAEMON */
    Stat(kDaemon,                                 30,  FIRE_BOLT),
    Stat(kDaemon,                                 30,  LIGHTNING_BOLT),
    Stat(kDaemon,                                 30,  FIRE_WALL),
  },
};

constinit const SUnitAIInfo unitAITable[CHARACTOR_COUNT] = {
  {EUnitAIKind::NONE,             ESearchType::NEAREST},  // FIGHTER
  {EUnitAIKind::NONE,             ESearchType::NEAREST},  // KNIGHT
  {EUnitAIKind::NONE,             ESearchType::NEAREST},  // ARCHER
  {EUnitAIKind::NONE,             ESearchType::NEAREST},  // SORCERESS
  {EUnitAIKind::NONE,             ESearchType::NEAREST},  // PRIESTESS
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::NEAREST},  // SLIME
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::NEAREST},  // SLIME_RED
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::NEAREST},  // SLIME_YELLOW
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::WEAKEST},  // KOBOLD
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::WEAKEST},  // FAIRY
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::WEAKEST},  // SNAKE
  {EUnitAIKind::ATTACK_BY_WEAPON, ESearchType::WEAKEST},  // OGRE
  {EUnitAIKind::ATTACK_BY_SKILL,  ESearchType::WEAKEST},  // SPIRIT_OF_FIRE
  {EUnitAIKind::ATTACK_BY_SKILL,  ESearchType::WEAKEST},  // SPIRIT_OF_WATER
  {EUnitAIKind::SUPPORT_BY_SKILL, ESearchType::NEAREST},  // SPIRIT_OF_FOREST
  {EUnitAIKind::ATTACK_BY_SKILL,  ESearchType::WEAKEST},  // SPIRIT_OF_RAY
  {EUnitAIKind::ATTACK_BY_SKILL,  ESearchType::WEAKEST},  // DAEMON
};
// clang-format on

const SClassInfo& GetClassInfo(ECharactor charactor) { return classTable[CheckedCharactor(charactor)]; }

int ClassBaseParam(ECharactor charactor, EStatusType status) {
  const int c = CheckedCharactor(charactor);
  const int s = CheckedStatus(status);
  return c < PLAYER_CLASS_COUNT ? classParamTable[c].base[s] : 0;
}

int ClassRaiseCost(ECharactor charactor, EStatusType status) {
  const int c = CheckedCharactor(charactor);
  const int s = CheckedStatus(status);
  return c < PLAYER_CLASS_COUNT ? classParamTable[c].cost[s] : 0;
}

const SEnemyStat* GetEnemyStat(ECharactor charactor, int rank) {
  const int c = CheckedCharactor(charactor);
  if (rank < 0 || rank >= ENEMY_RANK_COUNT) {
    throw std::runtime_error("unknown monster rank " + std::to_string(rank) + " (0..2 exist)");
  }
  if (c < PLAYER_CLASS_COUNT) return nullptr;
  const SEnemyStat& stat = enemyStatTable[c - PLAYER_CLASS_COUNT][rank];
  return stat.exists ? &stat : nullptr;
}

const SUnitAIInfo& GetUnitAIInfo(ECharactor charactor) { return unitAITable[CheckedCharactor(charactor)]; }

int ParamCost(ECharactor charactor, EStatusType status, int current) {
  const std::int64_t c = ClassRaiseCost(charactor, status);
  const std::int64_t now = current;
  // 64-bit so that a damaged save's huge values cannot overflow the price.
  switch (status) {
    case EStatusType::HP:
    case EStatusType::MP:
      return Saturate(c + now / 10);
    case EStatusType::WT:
      return Saturate(c * (ClassBaseParam(charactor, EStatusType::WT) - now + 1));
    case EStatusType::MOVE:
      return Saturate(c * now);
    default:
      return Saturate(c + now / 5);
  }
}
