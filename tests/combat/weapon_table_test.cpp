#include "combat/weapon_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>

namespace {

TEST(WeaponTableTest, EveryWeaponIsUsable) {
  std::set<std::string> names;
  for (int i = 0; i < WEAPON_TYPE_COUNT; ++i) {
    SCOPED_TRACE(i);
    const auto type = static_cast<EWeaponType>(i);
    const SWeaponInfo& w = GetWeaponInfo(type);
    EXPECT_LE(w.minRange, w.maxRange);
    EXPECT_GE(w.minRange, 1);  // nobody strikes its own grid with a weapon
    EXPECT_GE(w.power, 0);
    if (type == EWeaponType::RESERVED) {
      EXPECT_TRUE(w.area.empty());
      EXPECT_EQ(w.act, EAttackActType::TACKLE);
      continue;
    }
    EXPECT_TRUE(names.insert(w.name).second) << "name used twice";
    // The grid under the cursor is always struck first.
    ASSERT_FALSE(w.area.empty());
    EXPECT_EQ(w.area[0], SPoint(0, 0));
    std::set<std::pair<int, int>> cells;
    for (SPoint p : w.area) {
      EXPECT_LE(std::abs(p.x) + std::abs(p.y), 1);
      EXPECT_TRUE(cells.insert({p.x, p.y}).second) << "offset listed twice";
    }
    // Each real weapon plays its own act; an empty hand tackles.
    EXPECT_EQ(static_cast<int>(w.act), i < 4 ? i : i - 1);
  }
  EXPECT_STREQ(weaponTable[static_cast<int>(EWeaponType::BOW)].name, "ボウ");
  EXPECT_EQ(weaponTable[static_cast<int>(EWeaponType::BOW)].maxRange, 5);
  EXPECT_THROW(GetWeaponInfo(static_cast<EWeaponType>(WEAPON_TYPE_COUNT)), std::runtime_error);
  EXPECT_THROW(GetWeaponInfo(static_cast<EWeaponType>(-1)), std::runtime_error);
}

}  // namespace
