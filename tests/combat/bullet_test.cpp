#include "combat/bullet.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "battle/stage.h"
#include "field/geographical_features.h"

namespace {

// A battle on an empty map of 10 x 8 grids (320 x 256 pixels).
class CTenByEightStage : public CStage {
 public:
  CTenByEightStage() {
    map = std::make_unique<CGeographicalFeatures>(*this, 0u, 320.0, 240.0, 0, 0, "");
    map->width = 10;
    map->height = 8;
  }
};

TEST(CBulletTest, EndsOnceItsLifetimeIsOverOrItIsFarOffTheMap) {
  CTenByEightStage stage;
  CStageActor attacker(stage, SDrawData(1), {0, 0});
  CBullet timed(stage, attacker, SDrawData(1), {100, 100}, 90.0, 2.0);
  timed.lifetime = 3;
  std::vector<int> seen;
  timed.onUpdate = [&](CBullet& b) { seen.push_back(b.GetFrameCount()); };
  for (int i = 0; i < 4; ++i) timed.Move();
  EXPECT_FALSE(timed.IsAlive());
  EXPECT_NEAR(timed.position.x, 106.0, 1e-9) << "the 4th update only ends it";
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));

  for (auto [at, ends] : {std::pair{SPointD(-32.5, 100), true}, std::pair{SPointD(-32, 100), false},
                          std::pair{SPointD(352.5, 100), true}, std::pair{SPointD(100, 288), false},
                          std::pair{SPointD(100, 288.5), true}}) {
    CBullet stray(stage, attacker, SDrawData(1), at, 0.0, 0.0);
    stray.Move();
    EXPECT_TRUE(stray.IsAlive()) << "only when asked";
    stray.removeWhenOffMap = true;
    stray.Move();
    EXPECT_EQ(stray.IsAlive(), !ends) << at.x << "," << at.y;
  }
}

TEST(CBulletTest, StopRunsItsStopStepOnceAndTheHandleForgetsTheFreedBullet) {
  CStage stage;
  CStageActor attacker(stage, SDrawData(1), {0, 0});
  auto bullet = std::make_unique<CBullet>(stage, attacker, SDrawData(1), SPointD(50, 50), 0.0, 1.0);
  int stops = 0;
  bullet->onStop = [&](CBullet&) { ++stops; };
  const CBulletHandle handle = bullet->GetHandle();
  stage.AddBullet(std::move(bullet));
  stage.Update();
  ASSERT_TRUE(handle.IsAlive());
  handle->Stop();
  handle->Stop();
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(handle.IsAlive());
  EXPECT_TRUE(handle) << "held until the end of the frame";
  stage.Update();
  EXPECT_EQ(handle.Get(), nullptr);
}

}  // namespace
