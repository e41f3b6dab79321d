// Everything an attack shows besides the attacker: the swung sword, the
// held bow and rod, the flying arrow and fire ball, fire pillars, lightning
// and the emitters that scatter sparkles over a unit a spell touched.
// Bullets live in the battle's bullet list and stand still during a hit stop.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "core/geometry.h"
#include "gfx/draw_data.h"
#include "gfx/stage_actor.h"

class CBattlefield;
class CBulletHandle;

enum class EWeaponBulletType : int {
  SHORT_SWORD = 0,
  SHORT_SWORD_THROW = 1,
  LONG_SWORD = 2,
  LONG_SWORD_SPECIAL = 3,
  LARGE_SWORD = 4,
  SPIER = 5,
  SPIER_SPECIAL = 6,
  SHIELD = 7,
  BOW = 8,
  ARROW = 9,
  ROD = 10,
  FIRE_BOLT = 11,
  FIRE_SPEEDUP = 12,
  FIRE_WALL = 13,
  THUNDER = 14,
  THUNDER2 = 15,
  WATER_BALL = 16,
  WATER_ARROW = 17,
  BUBBLE_1 = 18,
  BUBBLE_2 = 19,
  WIND_CUTTER = 20,
  WIND_CUTTER2 = 21,
  TORNADO_1 = 22,
  TORNADO_2 = 23,
  SHOKUSHU = 24,
  // The sparkle emitters of the healing and status spells; they have no name.
  SPARKLE_HEAL = 25,          // healing falls gently from above
  SPARKLE_POISON = 26,        // so does poison
  SPARKLE_BLUE_RISING = 27,   // movement raised
  SPARKLE_BLUE_FALLING = 28,  // movement lowered
  SPARKLE_RED_RISING = 29,    // hastened, provoked, cured, concentrated
  SPARKLE_RED_FALLING = 30,   // slowed
};
constexpr int WEAPON_BULLET_TYPE_COUNT = 31;

// The name a bullet of this type carries as its actor name; "" for the
// sparkle emitters and for values outside 0..30.
const char* ToString(EWeaponBulletType type);

class CBullet : public CStageActor {
 public:
  using Callback = std::function<void(CBullet&)>;
  using HitCallback = std::function<bool(CBullet&)>;
  static constexpr int UNLIMITED = -1;

  // Drawn on the unit layer, `record` centred on `position` at its own size.
  // `owner` is the actor that made it (the attacker's); `stage` must outlive
  // the bullet.
  CBullet(CBattlefield& stage, const CStageActor& owner, const SDrawData& record, SPointD position, double heading,
          double speed);
  ~CBullet() override;
  CBullet(const CBullet&) = delete;
  CBullet& operator=(const CBullet&) = delete;

  // Once per unfrozen battle frame: ends the bullet when its lifetime is
  // over or it has left the map (when asked to); otherwise onUpdate sees
  // the frame count before this update, then the bullet ages and moves.
  void Move() override;

  // The result of onHit; false without one.
  virtual bool Hit();
  // Ends the bullet where it is, leaving whatever onStop leaves (a hit
  // spark for projectiles and spells). A bullet already ended stays quiet.
  virtual void Stop();

  // More than 32 pixels outside the map's pixel area; never on a battle
  // without a map.
  bool IsOffMap() const;
  // A reference that turns empty once the battle has freed the bullet.
  CBulletHandle GetHandle() const;
  CBattlefield& GetBattle() const { return *battle; }

  int lifetime = UNLIMITED;       // updates after which the bullet ends itself
  int ownerId;                    // id of the actor that made it, for reference
  bool removeWhenOffMap = false;
  SPointD displacement;           // added to the position after every step
  Callback onUpdate;
  HitCallback onHit;
  Callback onStop;

 private:
  CBattlefield* battle;
  std::shared_ptr<CBullet*> self;  // emptied by the destructor; shared with handles
};

// What an attack keeps of a bullet it made after handing it to the battle:
// the battle frees a bullet at the end of the frame in which it ended.
class CBulletHandle {
 public:
  CBulletHandle() = default;

  // The bullet, or nullptr once it has been freed.
  CBullet* Get() const { return self ? *self : nullptr; }
  CBullet* operator->() const { return Get(); }
  explicit operator bool() const { return Get() != nullptr; }
  // Still held by the battle and not ended.
  bool IsAlive() const { return Get() != nullptr && Get()->IsAlive(); }
  void Reset() { self.reset(); }

 private:
  friend class CBullet;
  explicit CBulletHandle(std::shared_ptr<CBullet*> self_) : self(std::move(self_)) {}

  std::shared_ptr<CBullet*> self;
};
