#include "combat/bullet.h"

#include "field/battlefield.h"
#include "field/geographical_features.h"

namespace {

// clang-format off
const char* const bulletTypeNames[WEAPON_BULLET_TYPE_COUNT] = {
  "SHORT_SWORD", "SHORT_SWORD_THROW", "LONG_SWORD",  "LONG_SWORD_SPECIAL", "LARGE_SWORD",   //  0..4
  "SPIER",       "SPIER_SPECIAL",     "SHIELD",      "BOW",                "ARROW",         //  5..9
  "ROD",         "FIRE_BOLT",         "FIRE_SPEEDUP", "FIRE_WALL",         "THUNDER",       // 10..14
  "THUNDER2",    "WATER_BALL",        "WATER_ARROW", "BUBBLE_1",           "BUBBLE_2",      // 15..19
  "WIND_CUTTER", "WIND_CUTTER2",      "TORNADO_1",   "TORNADO_2",          "SHOKUSHU",      // 20..24
  "",            "",                  "",            "",                   "",              // 25..29
  "",                                                                                       // 30
};
// clang-format on

// How far past the map's edge a bullet may fly before it is given up.
constexpr double OFF_MAP_MARGIN = 32.0;

}  // namespace

const char* ToString(EWeaponBulletType type) {
  const int i = static_cast<int>(type);
  return i >= 0 && i < WEAPON_BULLET_TYPE_COUNT ? bulletTypeNames[i] : "";
}

CBullet::CBullet(CBattlefield& stage, const CStageActor& owner, const SDrawData& record, SPointD position_, double heading_,
                 double speed_)
    : CStageActor(stage, record, position_, speed_, heading_),
      ownerId(owner.GetId()),
      battle(&stage),
      self(std::make_shared<CBullet*>(this)) {
  if (record.width != 0 || record.height != 0) {
    drawData.width = record.width;
    drawData.height = record.height;
    drawData.pivot = record.pivot;
  }
  layer = LAYER_UNIT;
}

CBullet::~CBullet() { *self = nullptr; }

bool CBullet::IsOffMap() const {
  const CGeographicalFeatures* map = battle->GetMap();
  if (!map) return false;
  const double right = map->width * static_cast<double>(MAP_GRID_SIZE);
  const double bottom = map->height * static_cast<double>(MAP_GRID_SIZE);
  return position.x < -OFF_MAP_MARGIN || position.y < -OFF_MAP_MARGIN || position.x > right + OFF_MAP_MARGIN ||
         position.y > bottom + OFF_MAP_MARGIN;
}

void CBullet::Move() {
  if ((removeWhenOffMap && IsOffMap()) || (lifetime >= 0 && frameCount >= lifetime)) {
    Kill();
    return;
  }
  if (onUpdate) {
    const Callback step = onUpdate;  // a copy: the step may replace onUpdate
    step(*this);
  }
  CStageActor::Move();
  position += displacement;
}

bool CBullet::Hit() { return onHit ? onHit(*this) : false; }

void CBullet::Stop() {
  if (!IsAlive()) return;
  if (onStop) onStop(*this);
  Kill();
}

CBulletHandle CBullet::GetHandle() const { return CBulletHandle(self); }
