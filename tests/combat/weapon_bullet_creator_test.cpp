#include "combat/weapon_bullet_creator.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "battle/stage.h"
#include "combat/effect.h"

namespace {

class WeaponBulletCreatorTest : public testing::Test {
 protected:
  // Hands the bullet to the battle and keeps a handle, as an attack does.
  CBulletHandle Launch(EWeaponBulletType type, SPointD at) {
    auto bullet = CWeaponBulletCreator::Create(attacker, type, stage, at, 0.0, 0.0);
    CBulletHandle handle = bullet->GetHandle();
    stage.AddBullet(std::move(bullet));
    return handle;
  }
  CStage stage;
  CStageActor attacker{stage, SDrawData(1), {0, 0}};
};

TEST_F(WeaponBulletCreatorTest, FirePillarAndLightningEndOnTheirOwn) {
  const CBulletHandle pillar = Launch(EWeaponBulletType::FIRE_WALL, {48, 32});
  const CBulletHandle lightning = Launch(EWeaponBulletType::THUNDER, {48, 21});
  for (int update = 1; update <= 51; ++update) {
    stage.Update();
    EXPECT_EQ(lightning.IsAlive(), update <= 21) << "lightning, update " << update;
    ASSERT_TRUE(pillar.IsAlive()) << "update " << update;
    const double expected = update <= 31 ? 255.0 : 255.0 - 10.0 * (update - 31);
    EXPECT_EQ(pillar->drawData.GetAlpha(), expected) << "update " << update;
  }
  EXPECT_EQ(pillar->drawData.imageIndex, 1) << "seven updates per flame, looping";
  stage.Update();
  EXPECT_FALSE(pillar) << "gone in its 52nd update";
  EXPECT_TRUE(stage.effects.empty()) << "what ends by itself leaves no spark";
}

TEST_F(WeaponBulletCreatorTest, EmitterScattersFiveSparklesAndGoesInItsThirtySecondUpdate) {
  struct Case {
    EWeaponBulletType type;
    EEffectType sparkle;
    SPointD first;   // offset of the 1st and 5th sparkle
    SPointD fourth;  // offset of the one made at frame count 29
    double heading;
  };
  for (const Case& c : {Case{EWeaponBulletType::SPARKLE_HEAL, EEffectType::HEAL, {0, -31}, {-8, -39}, 180.0},
                        Case{EWeaponBulletType::SPARKLE_RED_RISING, EEffectType::SPEED_RED, {0, 1}, {-8, -7}, 0.0}}) {
    SCOPED_TRACE(static_cast<int>(c.type));
    stage.effects.clear();
    // Driven by hand: the battle would also move each sparkle in the frame it appears.
    auto emitter = CWeaponBulletCreator::Create(attacker, c.type, stage, {80, 112}, 90.0, 3.0);
    std::vector<int> spawnUpdates;
    for (int update = 1; update <= 32; ++update) {
      const size_t before = stage.effects.size();
      emitter->Move();
      if (stage.effects.size() > before) spawnUpdates.push_back(update);
      EXPECT_EQ(emitter->IsAlive(), update <= 31);
    }
    EXPECT_EQ(spawnUpdates, (std::vector<int>{1, 11, 21, 30, 31}));
    EXPECT_EQ(emitter->position, SPointD(80, 112)) << "an emitter stays where it was made";
    ASSERT_EQ(stage.effects.size(), 5u);
    const auto& fifth = dynamic_cast<const CEffect&>(*stage.effects[4]);
    EXPECT_EQ(fifth.kind, c.sparkle);
    EXPECT_EQ(fifth.heading, c.heading);
    EXPECT_EQ(fifth.position, SPointD(80, 112) + c.first);
    EXPECT_EQ(stage.effects[3]->position, SPointD(80, 112) + c.fourth);
  }
  // Curing shows the rising red sparkles, not poison.
  EXPECT_EQ(GetSkillSparkleType(ESkill::CURE), EWeaponBulletType::SPARKLE_RED_RISING);
  EXPECT_EQ(GetSkillSparkleType(ESkill::FIRE_BOLT), std::nullopt);
}

TEST_F(WeaponBulletCreatorTest, HitStopFreezesBulletsWhileTheirSparklesDrift) {
  const CBulletHandle emitter = Launch(EWeaponBulletType::SPARKLE_POISON, {48, 48});
  stage.Update();
  ASSERT_EQ(stage.effects.size(), 1u);
  const CStageActor& sparkle = *stage.effects[0];
  stage.hitStop.SetCount(5);
  for (int i = 0; i < 4; ++i) stage.Update();
  EXPECT_EQ(emitter->GetFrameCount(), 1);
  EXPECT_EQ(sparkle.GetFrameCount(), 5);
  EXPECT_NEAR(sparkle.position.y, 48 - 31 + 5 * 0.5, 1e-9);
  stage.Update();
  EXPECT_EQ(emitter->GetFrameCount(), 2);
}

TEST_F(WeaponBulletCreatorTest, StoppedProjectilesLeaveASparkWhereTheyStopped) {
  auto arrow = CWeaponBulletCreator::Create(attacker, EWeaponBulletType::ARROW, stage, {100, 100}, 90.0, 3.2);
  for (int i = 0; i < 10; ++i) arrow->Move();
  EXPECT_EQ(arrow->drawData.angle, 90.0);
  arrow->Draw();
  EXPECT_EQ(stage.GetDrawQueue().GetEntries().at(0).priority, 9100) << "over the units of its row";
  arrow->Stop();
  ASSERT_EQ(stage.effects.size(), 1u);
  EXPECT_EQ(dynamic_cast<const CEffect&>(*stage.effects[0]).kind, EEffectType::SHOT_HIT);
  EXPECT_NEAR(stage.effects[0]->position.x, 132.0, 1e-9);
  EXPECT_NEAR(stage.effects[0]->position.y, 100.0, 1e-9);

  // One that reached its target is simply removed; a weapon leaves nothing.
  CWeaponBulletCreator::Create(attacker, EWeaponBulletType::FIRE_BOLT, stage, {0, 0}, 0.0, 3.0)->Kill();
  CWeaponBulletCreator::Create(attacker, EWeaponBulletType::LONG_SWORD, stage, {0, 0}, 0.0, 0.0)->Stop();
  EXPECT_EQ(stage.effects.size(), 1u);
  for (int type : {1, 12, WEAPON_BULLET_TYPE_COUNT}) {
    EXPECT_THROW(CWeaponBulletCreator::Create(attacker, static_cast<EWeaponBulletType>(type), stage, {0, 0}, 0, 0),
                 std::runtime_error);
  }
}

}  // namespace
