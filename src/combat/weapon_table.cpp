#include "combat/weapon_table.h"

#include <stdexcept>
#include <string>

namespace {

constexpr SPoint kSingle[] = {{0, 0}};
// The large sword's middle grid comes first: its act treats it specially.
constexpr SPoint kLargeSword[] = {{0, 0}, {-1, 0}, {1, 0}};
constexpr SPoint kSpear[] = {{0, 0}, {0, -1}};

}  // namespace

using enum EAttackActType;

// clang-format off
constinit const SWeaponInfo weaponTable[WEAPON_TYPE_COUNT] = {
  // name              description                               extra power area          range  act
  {"なし",             "",                                           0,  0, kSingle,      1, 1,  TACKLE},
  {"ショートソード",   "攻撃のスキが少ない",                       200,  2, kSingle,      1, 1,  SHORT_SWORD},
  {"ロングソード",     "平均的な能力",                             300,  4, kSingle,      1, 1,  LONG_SWORD},
  {"大剣",             "複数の敵を一度に攻撃できる",               400,  6, kLargeSword,  1, 1,  LARGE_SWORD},
  {"",                 "",                                           0,  0, {},           1, 1,  TACKLE},
  {"スピア",           "リーチが長く複数の敵を一度に攻撃できる",   500,  5, kSpear,       1, 1,  SPIER},
  {"ロッド",           "ただの杖",                                 200,  1, kSingle,      1, 1,  ROD},
  {"ボウ",             "遠くの敵を攻撃できる",                     100,  3, kSingle,      3, 5,  BOW},
};
// clang-format on

const SWeaponInfo& GetWeaponInfo(EWeaponType weapon) {
  const int i = static_cast<int>(weapon);
  if (i < 0 || i >= WEAPON_TYPE_COUNT) {
    throw std::runtime_error("unknown weapon number " + std::to_string(i) + " (0.." +
                             std::to_string(WEAPON_TYPE_COUNT - 1) + " exist)");
  }
  return weaponTable[i];
}
