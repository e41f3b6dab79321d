// The map actor of every unit, party member or monster alike: the walking
// sprite in the unit's facing, a shadow at its feet and, while the map
// overlay is on, its HP bar.
#pragma once

#include <memory>

#include "gfx/draw_strategy.h"
#include "gfx/stage_actor.h"

class CStage;
class CUnit;

class CEnemy : public CStageActor {
 public:
  // The sprite stands this many pixels above the actor's position.
  static constexpr double kSpriteLift = 2.0;

  CEnemy(CStage& stage, CUnit& unit);

  // Advances the walk cycle.
  void Move() override;
  // Turns the sprite to the new facing at once, hit stop or not.
  void SetDirection(EDirection4 d) override;
  // Queues the shadow and the sprite.
  void Draw() override;
  // Queues the HP bar (only while the map overlay is on).
  void DrawHpBar();
  // The unit has left the battle: the actor goes with the next clean-up.
  void Vanish() { Kill(); }

  CUnit& GetUnit() const { return *unit; }
  CDrawStrategyDir4& GetDrawStrategy() { return *strategy; }
  const CDrawStrategyDir4& GetDrawStrategy() const { return *strategy; }

 private:
  CUnit* unit;
  std::unique_ptr<CDrawStrategyDir4> strategy;
  SDrawData shadow;
};

// Makes every unit that joins a battle build a CEnemy as its map actor.
void InstallUnitActorMaker();
