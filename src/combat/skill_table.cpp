#include "combat/skill_table.h"

#include <stdexcept>
#include <string>

namespace {

constexpr SPoint kSingle[] = {{0, 0}};
constexpr SPoint kCross[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
// Concentration visits the same grids in another order.
constexpr SPoint kCrossSecond[] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};
// Aimed at the grid in front, the fan skips that grid and opens beyond it.
constexpr SPoint kFan[] = {{-2, -1}, {-1, -2}, {0, -2}, {1, -2}, {2, -1}};
// Aimed at the grid in front: the attacker's neighbours except the one behind.
constexpr SPoint kRing[] = {{-1, 0}, {0, 0}, {1, 0}, {-1, 1}, {1, 1}, {-1, 2}, {1, 2}};
constexpr SPoint kLine[] = {{0, 0}, {0, -1}, {0, -2}};

}  // namespace

using enum EAttackActType;

// clang-format off
constinit const SSkillInfo skillTable[SKILL_COUNT] = {
  // name                  description                                              mp  power area          range  act              price
  {"ファイヤーボルト",     "火球を飛ばして攻撃します。",                              4, 1.0, kSingle,      1, 5,  FIRE_BOLT,        50},
  {"ファイヤーウォール",   "広範囲の敵を火柱で燃やします。",                         10, 1.2, kCross,       1, 4,  FIRE_WALL,       150},
  {"ライトニングボルト",   "落雷を発生させます。障害物越しに攻撃ができます。",        7, 1.5, kSingle,      1, 4,  LIGHTNING_BOLT,   80},
  {"ヒール",               "ユニットのHPを回復します。",                              3, 1.0, kSingle,      0, 1,  HEAL,             50},
  {"ロングヒール",         "ユニットのHPを回復します。射程が長いです。",              4, 1.0, kSingle,      0, 3,  HEAL,             80},
  {"エリアヒール",         "複数のユニットのHPを回復します。",                       10, 1.0, kCross,       0, 2,  AREA_HEAL,       120},
  {"リザレクション",       "戦闘不能ユニットを蘇生します。",                          5, 1.0, kSingle,      1, 3,  RESURRECTION,    120},
  {"ポイズン",             "ステータス異常、毒を発生させます。",                      4, 1.0, kSingle,      1, 5,  POISON,           80},
  {"キュア",               "ステータス異常、毒を回復します。",                        3, 1.0, kSingle,      0, 3,  POISON,           50},
  {"ポイズンクラウド",     "広範囲にステータス異常、毒を発生させます。",              8, 1.0, kCross,       1, 4,  AREA_POISON,     120},
  {"移動力増加",           "移動力を増加します。5ターン継続。",                       5, 1.0, kSingle,      0, 3,  POISON,           80},
  {"移動力減少",           "移動力を低下させます。5ターン継続。",                     3, 1.0, kSingle,      1, 4,  POISON,           60},
  {"WT短縮",               "WTを短縮します。5ターン継続。",                           6, 1.0, kSingle,      0, 3,  POISON,          100},
  {"WT延長",               "WTを延長させます。5ターン継続。",                         4, 1.0, kSingle,      1, 4,  POISON,           60},
  {"挑発",                 "敵を挑発し自分を狙わせるようにします。5ターン継続。",     5, 1.0, kSingle,      0, 0,  POISON,          100},
  {"集中",                 "自分と周囲のユニットのDEXを高めます。5ターン継続。",      5, 1.0, kCrossSecond, 0, 0,  AREA_POISON,      80},
  {"アローシャワー",       "扇状に矢を放ち複数のユニットを攻撃します。",              5, 1.2, kFan,         1, 1,  ARROW_SHOWER,    120},
  {"回転斬り",             "回転斬りにより周囲のユニットを攻撃します。",              5, 1.5, kRing,        1, 1,  ROLLING_SLASH,   150},
  {"3マス突き",            "前方3マスのユニットを攻撃します。",                       5, 1.2, kLine,        1, 1,  LONG_THRUST,     120},
};
// clang-format on

const SSkillInfo& GetSkillInfo(ESkill skill) {
  const int i = static_cast<int>(skill);
  if (i < 0 || i >= SKILL_COUNT) {
    throw std::runtime_error("unknown skill number " + std::to_string(i) + " (0.." + std::to_string(SKILL_COUNT - 1) +
                             " exist)");
  }
  return skillTable[i];
}

EAttackActCategory GetSkillCategory(ESkill skill) {
  switch (skill) {
    case ESkill::FIRE_BOLT:
    case ESkill::FIRE_WALL:
    case ESkill::LIGHTNING_BOLT:
      return EAttackActCategory::MAGIC;
    case ESkill::HEAL:
    case ESkill::LONG_HEAL:
    case ESkill::AREA_HEAL:
    case ESkill::RESURRECTION:
      return EAttackActCategory::HEAL;
    case ESkill::POISON:
    case ESkill::CURE:
    case ESkill::POISON_CLOUD:
    case ESkill::MOVE_UP:
    case ESkill::MOVE_DOWN:
    case ESkill::WT_DOWN:
    case ESkill::WT_UP:
    case ESkill::PROVOCATION:
    case ESkill::CONCENTRATION:
      return EAttackActCategory::STATUS;
    case ESkill::ARROW_SHOWER:
    case ESkill::ROLLING_SLASH:
    case ESkill::LONG_THRUST:
      return EAttackActCategory::PHYSICAL;
  }
  GetSkillInfo(skill);  // throws for a number outside the table
  throw std::runtime_error("skill without a category");
}
