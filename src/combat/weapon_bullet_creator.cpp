#include "combat/weapon_bullet_creator.h"

#include <stdexcept>
#include <string>

#include "combat/effect.h"
#include "combat/sprite_record.h"
#include "field/battlefield.h"

namespace {

using enum EWeaponBulletType;

// What a bullet does on its own before each update.
enum class EBulletStep {
  NONE,
  BURN_OUT,   // fire pillar: full strength for 31 updates, fades for 20, gone
  FLASH,      // lightning: gone after its 21st update
  SPARKLES,   // emitter: five sparkles over 31 updates, then gone
};

struct SBulletLook {
  EWeaponBulletType type;
  const char* images;  // key, or pattern numbered from 1
  int imageCount;
  int width;
  int height;
  int frameWait;  // below 0: the act picks the image
  bool rotate;
  EBulletStep step;
  bool sparkOnStop;
};

// clang-format off
constexpr SBulletLook bulletLooks[] = {
  // type        images                          n   w   h  wait rotate step                   spark
  {SHORT_SWORD, "weapon/knife_%02d.png",         4, 96, 64, -1, true,  EBulletStep::NONE,      false},
  {LONG_SWORD,  "weapon/long_sword_%02d.png",    4, 96, 64, -1, true,  EBulletStep::NONE,      false},
  {LARGE_SWORD, "weapon/large_sword_%02d.png",   5, 96, 64, -1, true,  EBulletStep::NONE,      false},
  {SPIER,       "weapon/spier_%02d.png",         4, 96, 64, -1, true,  EBulletStep::NONE,      false},
  {BOW,         "weapon/bow.png",                1, 24, 24, -1, true,  EBulletStep::NONE,      false},
  {ARROW,       "weapon/arrow_01.png",           1, 32, 32, -1, true,  EBulletStep::NONE,      true},
  {ROD,         "weapon/rod_%02d.png",           4, 96, 96, -1, true,  EBulletStep::NONE,      false},
  {FIRE_BOLT,   "ziki/fireball_effect.png",      1, 32, 32, -1, true,  EBulletStep::NONE,      true},
  {FIRE_WALL,   "ziki/firewall%d.png",           2, 32, 64,  6, false, EBulletStep::BURN_OUT,  true},
  {THUNDER,     "ziki/thunder%d.png",            5, 32, 96,  4, false, EBulletStep::FLASH,     true},
};
// clang-format on

struct SSparkleEmitter {
  EWeaponBulletType type;
  EEffectType kind;
  SPointD offsets[4];  // when the frame count mod 30 is 0, 10, 20 and 29
  double heading;
  double speed;
};

// clang-format off
constexpr SSparkleEmitter sparkleEmitters[] = {
  // type                 sparkle                  offsets                                  heading speed
  {SPARKLE_HEAL,         EEffectType::HEAL,       {{0, -31}, {0, -24}, {7, -24}, {-8, -39}}, 180.0, 0.5},
  {SPARKLE_POISON,       EEffectType::POISON,     {{0, -31}, {0, -24}, {7, -24}, {-8, -39}}, 180.0, 0.5},
  {SPARKLE_BLUE_RISING,  EEffectType::SPEED_BLUE, {{0, 1},   {0, 8},   {7, 8},   {-8, -7}},    0.0, 0.8},
  {SPARKLE_BLUE_FALLING, EEffectType::SPEED_BLUE, {{0, -47}, {0, -40}, {7, -40}, {-8, -55}}, 180.0, 0.8},
  {SPARKLE_RED_RISING,   EEffectType::SPEED_RED,  {{0, 1},   {0, 8},   {7, 8},   {-8, -7}},    0.0, 0.8},
  {SPARKLE_RED_FALLING,  EEffectType::SPEED_RED,  {{0, -47}, {0, -40}, {7, -40}, {-8, -55}}, 180.0, 0.8},
};
// clang-format on

// The emitter's own body: the small water ball on the struck grid.
constexpr const char* EMITTER_IMAGE = "ziki/water_ball_small.png";

void LeaveHitSpark(CBullet& bullet) {
  CBattlefield& stage = bullet.GetBattle();
  stage.AddEffect(CEffectCreator::Create(stage, EEffectType::SHOT_HIT, bullet.position, 0.0, 0.0));
}

void BurnOut(CBullet& pillar) {
  const int f = pillar.GetFrameCount();
  if (f > 30) pillar.drawData.SetAlpha(pillar.drawData.GetAlpha() - 10.0);
  if (f > 50) pillar.Kill();
}

void Flash(CBullet& lightning) {
  if (lightning.GetFrameCount() > 20) lightning.Kill();
}

void EmitSparkles(const SSparkleEmitter& emitter, CBullet& bullet) {
  const int f = bullet.GetFrameCount();
  int moment = -1;
  switch (f % 30) {
    case 0: moment = 0; break;
    case 10: moment = 1; break;
    case 20: moment = 2; break;
    case 29: moment = 3; break;
    default: break;
  }
  if (moment >= 0) {
    CBattlefield& stage = bullet.GetBattle();
    stage.AddEffect(CEffectCreator::Create(stage, emitter.kind, bullet.position + emitter.offsets[moment],
                                           emitter.heading, emitter.speed));
  }
  if (f > 30) bullet.Kill();
}

std::unique_ptr<CBullet> MakeBullet(const CStageActor& owner, CBattlefield& stage, const SDrawData& record,
                                    SPointD position, double angle, double speed) {
  auto bullet = std::make_unique<CBullet>(stage, owner, record, position, angle, speed);
  bullet->drawData.SetAngle(angle);
  return bullet;
}

std::unique_ptr<CBullet> CreateSparkleEmitter(const CStageActor& owner, const SSparkleEmitter& emitter,
                                              CBattlefield& stage, SPointD position, double angle) {
  SDrawData record = MakeSpriteRecord(EMITTER_IMAGE, 1, 16, 16);
  record.SetRotate(true);
  auto bullet = MakeBullet(owner, stage, record, position, angle, 0.0);
  bullet->followHeading = false;
  bullet->name = ToString(emitter.type);
  bullet->onUpdate = [&emitter](CBullet& b) { EmitSparkles(emitter, b); };
  bullet->onStop = LeaveHitSpark;
  return bullet;
}

}  // namespace

std::unique_ptr<CBullet> CWeaponBulletCreator::Create(const CStageActor& owner, EWeaponBulletType type, CBattlefield& stage,
                                                      SPointD position, double angle, double speed) {
  for (const SSparkleEmitter& emitter : sparkleEmitters) {
    if (emitter.type == type) return CreateSparkleEmitter(owner, emitter, stage, position, angle);
  }
  for (const SBulletLook& look : bulletLooks) {
    if (look.type != type) continue;
    SDrawData record = MakeSpriteRecord(look.images, look.imageCount, look.width, look.height);
    record.frameWait = look.frameWait;
    record.SetRotate(look.rotate);
    auto bullet = MakeBullet(owner, stage, record, position, angle, speed);
    bullet->name = ToString(type);
    if (look.step == EBulletStep::BURN_OUT) bullet->onUpdate = BurnOut;
    if (look.step == EBulletStep::FLASH) bullet->onUpdate = Flash;
    if (look.sparkOnStop) bullet->onStop = LeaveHitSpark;
    return bullet;
  }
  throw std::runtime_error("no bullet is made of type " + std::to_string(static_cast<int>(type)));
}

std::optional<EWeaponBulletType> GetSkillSparkleType(ESkill skill) {
  switch (skill) {
    case ESkill::HEAL:
    case ESkill::LONG_HEAL:
    case ESkill::AREA_HEAL:
    case ESkill::RESURRECTION:
      return SPARKLE_HEAL;
    case ESkill::POISON:
    case ESkill::POISON_CLOUD:
      return SPARKLE_POISON;
    case ESkill::MOVE_UP:
      return SPARKLE_BLUE_RISING;
    case ESkill::MOVE_DOWN:
      return SPARKLE_BLUE_FALLING;
    case ESkill::WT_DOWN:
    case ESkill::PROVOCATION:
    case ESkill::CURE:
    case ESkill::CONCENTRATION:
      return SPARKLE_RED_RISING;
    case ESkill::WT_UP:
      return SPARKLE_RED_FALLING;
    default:
      return std::nullopt;
  }
}
