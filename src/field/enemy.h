// The map actor of every unit, party member or monster alike: the walking
// sprite in the unit's facing, a shadow at its feet, its HP bar while the
// map overlay is on and, in story scenes, an emotion balloon.
#pragma once

#include <array>
#include <memory>

#include "assets/unit_sprites.h"
#include "field/emotion.h"
#include "gfx/draw_strategy.h"
#include "gfx/stage_actor.h"

class CBattlefield;
class CUnit;

class CEnemy : public CStageActor {
 public:
  // The sprite stands this many pixels above the actor's position.
  static constexpr double kSpriteLift = 2.0;

  CEnemy(CBattlefield& stage, CUnit& unit);
  // A unit drawn from a sheet of its own (a story scene's cast): `frames`
  // in facing order as LoadUnitSpriteSheet cuts them.
  CEnemy(CBattlefield& stage, CUnit& unit, const int (&frames)[UNIT_SPRITE_FRAMES]);

  // Advances the walk cycle and the balloon; a balloon whose time is up goes.
  void Move() override;
  // Turns the sprite to the new facing at once, hit stop or not.
  void SetDirection(EDirection4 d) override;
  // Queues the shadow, the sprite and the balloon.
  void Draw() override;
  // Queues the HP bar (only while the map overlay is on).
  void DrawHpBar();
  // The unit has left the battle: the actor goes with the next clean-up.
  void Vanish() { Kill(); }
  // Replaces the balloon over the unit by `emotion` for `frames` updates.
  void ShowEmotion(EEmotion emotion, int frames);
  const CEmotion* GetEmotion() const { return emotion.get(); }

  CUnit& GetUnit() const { return *unit; }
  CDrawStrategyDir4& GetDrawStrategy() { return *strategy; }
  const CDrawStrategyDir4& GetDrawStrategy() const { return *strategy; }

 private:
  CEnemy(CBattlefield& stage, CUnit& unit, const std::array<SDrawData, 4>& walk);

  CUnit* unit;
  std::unique_ptr<CDrawStrategyDir4> strategy;
  SDrawData shadow;
  std::unique_ptr<CEmotion> emotion;
};

// Makes every unit that joins a battle build a CEnemy as its map actor.
void InstallUnitActorMaker();
