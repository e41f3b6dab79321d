#include "images/units.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "images/palette.h"

namespace contentgen {

namespace {

// ---------------------------------------------------------------------------
// What a unit kind looks like. Humanoids share one body painter; slimes and
// the snake have their own.

enum class EPlan { Humanoid, Slime, Snake };
enum class EBuild { Normal, Small, Tiny, Big };
enum class EHeadKind { Human, Dog };
enum class EHair { None, Short, Spiky, Long, Bob, Shaggy, Flame, Drop, Leafy, Glow };
enum class EHat { None, Helmet, WitchHat, Veil, Cap, Bandana, Horns, OneHorn, Halo, LeafCrown };
enum class ELower { Legs, Robe, Dress, Wisp };
enum class EHeld { None, Spear, GreatSword, Bow, Staff, Rod, Club, Sword, Trident };
enum class EBack { None, Cape, Quiver, FairyWings, BatWings };
enum class ETrim { None, Collar, Centre, Cross, Plate };

struct SLook {
  const char* name;
  EPlan plan;
  EBuild build = EBuild::Normal;
  EHeadKind head = EHeadKind::Human;
  SColor skin{}, hair{}, eyes{}, outfit{}, trim{}, boots{}, gear{}, accent{};
  EHair hairStyle = EHair::Short;
  EHat hat = EHat::None;
  ELower lower = ELower::Legs;
  EHeld held = EHeld::None;
  EBack back = EBack::None;
  ETrim trimStyle = ETrim::None;
  bool shield = false;
  bool bareArms = false;
  bool bareChest = false;
  bool tail = false;
  bool flying = false;
  bool aura = false;
  bool belt = true;
};

SLook Humanoid(const char* name) {
  SLook l{};
  l.name = name;
  l.plan = EPlan::Humanoid;
  return l;
}

std::vector<SLook> BuildLooks() {
  std::vector<SLook> looks;
  {
    SLook l = Humanoid("knight.png");
    l.skin = pal::kSkin; l.hair = Hex(0x6b4226); l.eyes = Hex(0x2b4f9e);
    l.outfit = Hex(0x9aa9c4); l.trim = Hex(0x2f5fb3); l.boots = Hex(0x4d5670);
    l.gear = Hex(0xb8c4d8); l.accent = Hex(0xd03a3a);
    l.hat = EHat::Helmet; l.held = EHeld::Spear; l.back = EBack::Cape; l.shield = true;
    l.trimStyle = ETrim::Plate;
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("fighter.png");
    l.skin = pal::kSkinTan; l.hair = Hex(0xb8452a); l.eyes = Hex(0x5a3010);
    l.outfit = Hex(0x8c5a32); l.trim = Hex(0x5b3a1e); l.boots = Hex(0x4a3322);
    l.gear = Hex(0xc9d2dc); l.accent = Hex(0xd8b040);
    l.hairStyle = EHair::Spiky; l.hat = EHat::Bandana; l.held = EHeld::GreatSword; l.bareArms = true;
    l.trimStyle = ETrim::Collar;
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("sorcerer.png");  // the archer
    l.skin = pal::kSkin; l.hair = Hex(0xc89a4a); l.eyes = Hex(0x2e7a3a);
    l.outfit = Hex(0x4f8f3a); l.trim = Hex(0x8a5a2c); l.boots = Hex(0x6b4528);
    l.gear = Hex(0x9a6a34); l.accent = Hex(0xe04a3a);
    l.hat = EHat::Cap; l.held = EHeld::Bow; l.back = EBack::Quiver; l.trimStyle = ETrim::Collar;
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("sorceress.png");
    l.skin = pal::kSkinPale; l.hair = Hex(0xc8402e); l.eyes = Hex(0x7a2a9a);
    l.outfit = Hex(0x5b3b9c); l.trim = Hex(0xe0b848); l.boots = Hex(0x3a2850);
    l.gear = Hex(0x3f2a78); l.accent = Hex(0xff5a3c);
    l.hairStyle = EHair::Long; l.hat = EHat::WitchHat; l.lower = ELower::Robe; l.held = EHeld::Rod;
    l.trimStyle = ETrim::Centre; l.belt = false;
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("priestess.png");
    l.skin = pal::kSkinPale; l.hair = Hex(0xf0d878); l.eyes = Hex(0x3a78c8);
    l.outfit = Hex(0xf4f2ec); l.trim = Hex(0xd8b040); l.boots = Hex(0xc8b89a);
    l.gear = Hex(0xf8f8f4); l.accent = Hex(0x4aa0e8);
    l.hairStyle = EHair::Long; l.hat = EHat::Veil; l.lower = ELower::Robe; l.held = EHeld::Staff;
    l.trimStyle = ETrim::Cross; l.belt = false;
    looks.push_back(l);
  }
  {
    SLook l{};
    l.name = "slime.png"; l.plan = EPlan::Slime; l.outfit = Hex(0x3fa8e8); l.eyes = Hex(0x102040);
    looks.push_back(l);
    l.name = "slime_red.png"; l.outfit = Hex(0xe84a48);
    looks.push_back(l);
    l.name = "slime_yellow.png"; l.outfit = Hex(0xf0c830);
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("kobold.png");
    l.build = EBuild::Small; l.head = EHeadKind::Dog;
    l.skin = Hex(0xa8743c); l.hair = Hex(0x7a4e26); l.eyes = Hex(0xf0d040);
    l.outfit = Hex(0x7a6a4a); l.trim = Hex(0x4e3a22); l.boots = Hex(0x4a3a2a);
    l.gear = Hex(0xc0c8d0); l.accent = Hex(0xf2e0c0);
    l.hairStyle = EHair::None; l.held = EHeld::Sword; l.bareArms = true; l.trimStyle = ETrim::Collar;
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("fairy.png");
    l.build = EBuild::Tiny; l.flying = true;
    l.skin = pal::kSkinPale; l.hair = Hex(0xf080b8); l.eyes = Hex(0x2a8a5a);
    l.outfit = Hex(0x68c86a); l.trim = Hex(0xf8f0a0); l.boots = Hex(0x3a8a4a);
    l.gear = Hex(0xb8f0ff); l.accent = Hex(0xfff4a0);
    l.hairStyle = EHair::Bob; l.lower = ELower::Dress; l.back = EBack::FairyWings; l.belt = false;
    looks.push_back(l);
  }
  {
    SLook l{};
    l.name = "snake.png"; l.plan = EPlan::Snake; l.outfit = Hex(0x5cae4a); l.trim = Hex(0xf0e0a0);
    l.eyes = Hex(0x201818); l.accent = Hex(0xf06a9a);
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("ogre.png");
    l.build = EBuild::Big;
    l.skin = Hex(0x8fb060); l.hair = Hex(0xe07a28); l.eyes = Hex(0xe0302a);
    l.outfit = Hex(0xe0a830); l.trim = Hex(0x5a4028); l.boots = Hex(0x5a4630);
    l.gear = Hex(0x8a5a30); l.accent = Hex(0xf4ecd8);
    l.hairStyle = EHair::Shaggy; l.hat = EHat::OneHorn; l.held = EHeld::Club; l.bareArms = true; l.bareChest = true;
    l.trimStyle = ETrim::None;
    looks.push_back(l);
  }
  struct SSpirit {
    const char* name;
    std::uint32_t skin, hair, eyes, outfit, trim, accent;
    EHair hair_;
    EHat hat;
  };
  const SSpirit spirits[] = {
      {"spilit_of_fire.png", 0xffd8b8, 0xff7a1a, 0xffe040, 0xe0402a, 0xffc040, 0xffb020, EHair::Flame, EHat::None},
      {"spilit_of_water.png", 0xcfe8ff, 0x3a8ef0, 0x1a4aa0, 0x4ab0f0, 0xe0f4ff, 0x9ad8ff, EHair::Drop, EHat::None},
      {"spilit_of_forest.png", 0xe4f0c8, 0x3e9a3a, 0x2a5a1a, 0x7ac848, 0xd8b060, 0xb8f070, EHair::Leafy,
       EHat::LeafCrown},
      {"spilit_of_ray.png", 0xfff4e0, 0xffe070, 0xd08a20, 0xfff8d8, 0xffd040, 0xffffa0, EHair::Glow, EHat::Halo},
  };
  for (const SSpirit& s : spirits) {
    SLook l = Humanoid(s.name);
    l.flying = true; l.aura = true; l.lower = ELower::Wisp; l.belt = false;
    l.skin = Hex(s.skin); l.hair = Hex(s.hair); l.eyes = Hex(s.eyes);
    l.outfit = Hex(s.outfit); l.trim = Hex(s.trim); l.accent = Hex(s.accent); l.boots = l.outfit;
    l.gear = l.trim; l.hairStyle = s.hair_; l.hat = s.hat; l.trimStyle = ETrim::Collar;
    looks.push_back(l);
  }
  {
    SLook l = Humanoid("daemon.png");
    l.skin = Hex(0xc8b0d8); l.hair = Hex(0x3a2a4e); l.eyes = Hex(0xff3040);
    l.outfit = Hex(0x3a2030); l.trim = Hex(0xc82a3a); l.boots = Hex(0x2a1a24);
    l.gear = Hex(0x5a2a6a); l.accent = Hex(0xf0e0f0);
    l.hairStyle = EHair::Long; l.hat = EHat::Horns; l.held = EHeld::Trident; l.back = EBack::BatWings;
    l.tail = true; l.trimStyle = ETrim::Centre;
    looks.push_back(l);
  }
  return looks;
}

const std::vector<SLook>& Looks() {
  static const std::vector<SLook> looks = BuildLooks();
  return looks;
}

const SLook& LookOf(const std::string& name) {
  for (const SLook& l : Looks())
    if (name == l.name) return l;
  throw std::runtime_error("no unit sprite is defined for \"" + name + "\"");
}

// ---------------------------------------------------------------------------
// Humanoid body.

struct SBody {
  double headCy, headRx, headRy, torsoTop, torsoBottom, torsoHalf, footY;
  int legW;
};

SBody BodyOf(EBuild b) {
  switch (b) {
    case EBuild::Small: return {13.0, 6.0, 5.6, 18.0, 25.0, 3.5, 30.0, 3};
    case EBuild::Tiny: return {10.0, 5.6, 5.3, 15.0, 20.0, 3.0, 25.0, 2};
    case EBuild::Big: return {10.0, 6.5, 6.0, 15.0, 24.0, 6.0, 30.0, 4};
    case EBuild::Normal: break;
  }
  return {11.0, 6.5, 6.0, 17.0, 24.0, 4.0, 30.0, 3};
}

class CHumanoid {
 public:
  CHumanoid(const SLook& look, EFacing facing, int frame)
      : l_(look), f_(facing), frame_(frame), b_(BodyOf(look.build)), p_(NewCell()) {
    if (l_.flying && l_.build == EBuild::Normal) {
      // Hovering spirits float a pixel lower so their bob stays in the cell.
      b_.headCy += 1;
      b_.torsoTop += 1;
      b_.torsoBottom += 1;
    }
    step_ = frame == 0 ? -1 : frame == 2 ? 1 : 0;
    bob_ = l_.flying ? frame - 1 : (step_ != 0 ? 1 : 0);
    top_ = b_.torsoTop + bob_;
    bot_ = b_.torsoBottom + bob_;
    headC_ = {f_ == EFacing::Right ? 16.5 : 16.0, b_.headCy + bob_};
    skin_ = MakeRamp(l_.skin);
    hair_ = MakeRamp(l_.hair);
    cloth_ = MakeRamp(l_.outfit);
    trim_ = MakeRamp(l_.trim);
    boots_ = MakeRamp(l_.boots);
    gear_ = MakeRamp(l_.gear);
  }

  CCanvas Paint() {
    // Painted for facing right; facing left is its mirror image.
    if (f_ == EFacing::Right) PaintSide();
    else PaintFrontOrBack(f_ == EFacing::Down);
    CCanvas c = p_.Resolve(true);
    AddOutline(c, pal::kOutline);
    return c;
  }

 private:
  void Px(double x, double y, SColor c) { p_.FillRect(std::floor(x), std::floor(y), 1, 1, c); }
  double FeetY() const { return l_.flying ? b_.footY - 1 + bob_ : b_.footY; }
  double HandY() const { return bot_ - 1; }

  // ---- front and back --------------------------------------------------
  void PaintFrontOrBack(bool front) {
    const double h = b_.torsoHalf;
    // Right hand: viewer's left from the front, viewer's right from behind.
    const double handOff = h + ArmWidth() / 2 + 0.5;
    const double rightHandX = front ? 16 - handOff : 16 + handOff;
    const double leftHandX = front ? 16 + handOff : 16 - handOff;
    const int armSwingR = -step_, armSwingL = step_;

    if (front) BackItemsBehind();
    else if (l_.shield) ShieldBack(leftHandX);
    Lower(front);
    Torso(front);
    Arm(16 - handOff, front ? armSwingR : armSwingL);
    Arm(16 + handOff, front ? armSwingL : armSwingR);
    if (!front) BackItemsOver();
    Head(front ? EFacing::Down : EFacing::Up);
    if (!front && l_.back == EBack::Quiver) {
      // Arrow feathers stick up past the shoulder.
      Px(16 + 4, top_ - 3, pal::kWhite);
      Px(16 + 5, top_ - 4, l_.accent);
      Px(16 + 6, top_ - 3, pal::kWhite);
      Px(16 + 5, top_ - 2, gear_.dark);
    }
    if (front) {
      if (l_.shield) Shield(leftHandX);
      Held(rightHandX, HandY() + armSwingR * 0.5, EFacing::Down);
    } else {
      Held(rightHandX, HandY(), EFacing::Up);
    }
    Aura();
  }

  // Seen from the front: what is carried on the back peeks out around the body.
  void BackItemsBehind() {
    const double h = b_.torsoHalf;
    switch (l_.back) {
      case EBack::Cape: {
        const SRamp r = MakeRamp(l_.accent);
        p_.FillPolygon({{16 - h - 1.5, top_ + 1}, {16 + h + 1.5, top_ + 1}, {16 + h + 2.5, FeetY() - 3},
                        {16 - h - 2.5, FeetY() - 3}},
                       r.dark);
        break;
      }
      case EBack::Quiver:
        // Feathers over the left shoulder.
        Px(16 + h + 1, top_ - 2, pal::kWhite);
        Px(16 + h + 2, top_ - 3, l_.accent);
        Px(16 + h + 1, top_ - 1, MakeRamp(l_.gear).mid);
        break;
      case EBack::FairyWings: Wings(true); break;
      case EBack::BatWings: Wings(false); break;
      case EBack::None: break;
    }
    if (l_.tail) Tail(16 + h + 2, bot_ - 1, 1);
  }

  void BackItemsOver() {
    const double h = b_.torsoHalf;
    switch (l_.back) {
      case EBack::Cape: {
        const SRamp r = MakeRamp(l_.accent);
        const double sway = step_ * 0.5;
        std::vector<SPt> cape{{16 - h - 0.5, top_}, {16 + h + 0.5, top_}, {16 + h + 2 + sway, FeetY() - 3},
                              {16 - h - 2 + sway, FeetY() - 3}};
        p_.FillPolygon(cape, ColumnShade(16 - h - 2, 16 + h + 2, r));
        // Folds.
        for (double x : {16 - h + 1.0, 16.0, 16 + h - 1.0})
          p_.FillRect(std::floor(x + sway * 0.5), top_ + 4, 1, FeetY() - 3 - top_ - 5, r.mid);
        p_.FillRect(16 - h - 0.5, top_, 2 * h + 1, 1, MakeRamp(l_.trim).hi);
        break;
      }
      case EBack::Quiver: {
        const SRamp r = MakeRamp(l_.gear);
        p_.FillPolygon({{16 + 1, top_ - 2}, {16 + 4, top_ - 1}, {16 - 1, bot_ - 1}, {16 - 3.5, bot_ - 2}},
                       ColumnShade(12.5, 20, r));
        Px(16 + 1, top_ - 3, pal::kWhite);
        Px(16 + 2, top_ - 4, l_.accent);
        Px(16 + 3, top_ - 3, pal::kWhite);
        p_.FillRect(16 - 3, bot_ - 3, 3, 1, r.dark);
        break;
      }
      case EBack::FairyWings: Wings(true); break;
      case EBack::BatWings: Wings(false); break;
      case EBack::None: break;
    }
    if (l_.tail) Tail(16, bot_ - 1, -1);
  }

  // A pair of wings, flapping with the frames: behind the body seen from the
  // front, over it seen from the back.
  void Wings(bool fairy) {
    const double flap = l_.flying ? (frame_ - 1) * 14.0 : step_ * 6.0;  // degrees
    const SRamp r = MakeRamp(l_.gear);
    for (int side : {-1, 1}) {
      const SPt root{16.0 + side * 1.5, top_ + 2};
      if (fairy) {
        const SPt upper = Polar(root, 6.0, side * (60 - flap)), lower = Polar(root, 4.5, side * (115 - flap * 0.5));
        p_.FillEllipse(lower, 3.0, 1.9, r.mid, side * (20 - flap * 0.5) + 90);
        p_.FillEllipse(upper, 4.2, 2.6, r.mid, side * (-30 + flap) + 90);
        p_.FillEllipse(upper, 3.2, 1.6, r.base, side * (-30 + flap) + 90);
        const SPt shine = Polar(root, 6.5, side * (60 - flap));
        Px(shine.x, shine.y, pal::kWhite);
      } else {
        const double a = side * (70 - flap);
        const SPt tip = Polar(root, 10.0, a - side * 25);
        const SPt mid = Polar(root, 9.0, a + side * 10);
        const SPt low = Polar(root, 6.5, a + side * 45);
        p_.FillPolygon({root, tip, mid, Polar(root, 5.5, a + side * 25), low}, r.base);
        p_.StrokeLine(root, tip, 1.0, r.dark);
        p_.StrokeLine(root, mid, 1.0, r.mid);
      }
    }
  }

  void Tail(double x, double y, int dir) {
    const SRamp r = MakeRamp(l_.skin);
    const double s = step_ * 0.7;
    const std::vector<SPt> curve = QuadBezier({x, y}, {x + dir * 3.0, y + 4.0 + s}, {x + dir * 5.5, y + 1.0}, 6);
    p_.StrokePolyline(curve, 1.0, r.mid);
    const SPt t = curve.back();
    p_.FillPolygon({{t.x - 1.5, t.y + 0.5}, {t.x, t.y - 2.5}, {t.x + 1.5, t.y + 0.5}, {t.x, t.y + 1.5}},
                   MakeRamp(l_.trim).base);
  }

  void Lower(bool front) {
    const double h = b_.torsoHalf;
    const double feet = FeetY();
    switch (l_.lower) {
      case ELower::Legs: {
        const int w = b_.legW;
        const double lx = 16 - w, rx = 16;
        // The lifted leg is a little shorter.
        const double liftL = step_ == 1 ? 2 : 0, liftR = step_ == -1 ? 2 : 0;
        LegFront(lx, w, feet - liftL);
        LegFront(rx, w, feet - liftR);
        break;
      }
      case ELower::Robe: {
        const double sway = step_ * 0.5;
        // Feet peep out under the hem.
        const double fy = feet - 2;
        if (step_ <= 0) p_.FillRect(16 - 3, fy, 3, 2, step_ < 0 ? boots_.base : boots_.mid);
        if (step_ >= 0) p_.FillRect(16, fy, 3, 2, step_ > 0 ? boots_.base : boots_.mid);
        std::vector<SPt> robe{{16 - h, bot_ - 1}, {16 + h, bot_ - 1}, {16 + h + 2 + sway, feet - 1.5},
                              {16 - h - 2 + sway, feet - 1.5}};
        p_.FillPolygon(robe, ColumnShade(16 - h - 2, 16 + h + 2, cloth_));
        p_.FillRect(std::floor(16 - h - 2 + sway), feet - 2.5, 2 * h + 5, 1, trim_.base);
        if (l_.trimStyle == ETrim::Centre || l_.trimStyle == ETrim::Cross)
          p_.FillRect(15, bot_ - 1, 2, feet - 2.5 - (bot_ - 1), front ? trim_.base : cloth_.mid);
        break;
      }
      case ELower::Dress: {
        const int w = b_.legW;
        LegFront(16 - w - 0.5, w, feet - (step_ == 1 ? 1 : 0));
        LegFront(16 + 0.5, w, feet - (step_ == -1 ? 1 : 0));
        p_.FillPolygon({{16 - h, bot_ - 2}, {16 + h, bot_ - 2}, {16 + h + 2.5, bot_ + 2.5}, {16 - h - 2.5, bot_ + 2.5}},
                       ColumnShade(16 - h - 2, 16 + h + 2, cloth_));
        p_.FillRect(16 - h - 2, bot_ + 1.5, 2 * h + 4, 1, trim_.base);
        break;
      }
      case ELower::Wisp: Wisp(0); break;
    }
  }

  void LegFront(double x, int w, double feet) {
    p_.FillRect(x, bot_, w, feet - bot_ - 2, ColumnShade(x, x + w, LegRamp()));
    p_.FillRect(x, feet - 2, w, 2, ColumnShade(x, x + w, boots_));
  }

  // A spirit's tail of mist, swaying; seen from the side (trail) it streams
  // back behind her.
  void Wisp(int trail) {
    const double h = b_.torsoHalf;
    const double sway = (frame_ - 1) * 1.5;
    const double feet = FeetY();
    std::vector<SPt> body;
    if (trail == 0) {
      const SPt tip{16 + sway, feet - 1};
      body = Join(CubicBezier({16 - h, bot_ - 1}, {16 - h - 1.5, bot_ + 3}, {16 - 2 + sway * 0.5, feet - 4}, tip, 10),
                  CubicBezier(tip, {16 + 2 + sway * 0.5, feet - 4}, {16 + h + 1.5, bot_ + 3}, {16 + h, bot_ - 1}, 10));
    } else {
      const SPt tip{16 - h - 2 + sway * 0.7, feet - 1};
      body = Join(QuadBezier({16 - h, bot_ - 1}, {16 - h - 0.5, bot_ + 3}, tip, 10),
                  QuadBezier(tip, {16 + h + 0.5, feet - 2}, {16 + h, bot_ - 1}, 10));
    }
    const SColor light = Light(l_.outfit, 0.55);
    p_.FillPolygon(body, LinearGradient({16, bot_}, {16, feet}, l_.outfit, light));
    const SPt streakEnd = trail == 0 ? SPt{16 + sway * 0.8, feet - 3} : SPt{16 - h + sway * 0.5, feet - 3};
    p_.StrokeLine({16 - 1, bot_ + 1}, streakEnd, 1.0, Light(l_.outfit, 0.8));
  }

  void Torso(bool front) {
    const double h = b_.torsoHalf;
    std::vector<SPt> t{{16 - h + 1, top_}, {16 + h - 1, top_}, {16 + h, top_ + 1}, {16 + h, bot_},
                       {16 - h, bot_},     {16 - h, top_ + 1}};
    p_.FillPolygon(t, ColumnShade(16 - h, 16 + h, l_.bareChest ? skin_ : cloth_, 0.1));
    if (l_.bareChest) {
      // A strap across the chest and a fur loincloth.
      if (front) p_.FillRect(16 - 1, top_ + 3, 2, 2, skin_.mid);
      p_.StrokeLine({16 - h + 1, top_ + 0.5}, {16 + h - 1, bot_ - 3}, 1.0, trim_.base);
      // Tiger-striped fur.
      p_.FillRect(16 - h, bot_ - 3, 2 * h, 3, ColumnShade(16 - h, 16 + h, cloth_));
      for (double x = 16 - h + 1; x < 16 + h; x += 3) p_.FillRect(x, bot_ - 3, 1, 2, pal::kOutline);
      for (double x = 16 - h; x < 16 + h; x += 2) Px(x, bot_, cloth_.mid);
    }
    switch (l_.trimStyle) {
      case ETrim::Collar:
        if (front) p_.FillRect(15, top_, 2, 2, trim_.base), Px(15, top_ + 2, trim_.mid);
        else p_.FillRect(16 - h + 1, top_, 2 * h - 2, 1, trim_.mid);
        break;
      case ETrim::Centre:
        if (front) p_.FillRect(15, top_, 2, bot_ - top_, trim_.base);
        break;
      case ETrim::Cross:
        if (front) {
          p_.FillRect(15, top_ + 1, 2, 5, trim_.base);
          p_.FillRect(14, top_ + 2, 4, 1, trim_.base);
        } else {
          p_.FillRect(16 - h + 1, top_, 2 * h - 2, 1, trim_.base);
        }
        break;
      case ETrim::Plate:
        if (front) {
          p_.FillRect(16 - h + 1, top_ + 1, 2 * h - 2, 3, ColumnShade(16 - h, 16 + h, gear_, 0.3));
          p_.FillRect(15, top_ + 1, 2, 3, trim_.base);
          Px(14, top_ + 1, gear_.hi);
        } else {
          p_.FillRect(16 - h + 1, top_ + 1, 2 * h - 2, 4, ColumnShade(16 - h, 16 + h, gear_));
        }
        break;
      case ETrim::None: break;
    }
    if (l_.belt) {
      p_.FillRect(16 - h, bot_ - 2, 2 * h, 1, trim_.mid);
      if (front) Px(15.5, bot_ - 2, pal::kGold);
    }
  }

  SRamp LegRamp() const {
    if (l_.bareChest) return skin_;
    return l_.bareArms ? cloth_ : MakeRamp(Shade(l_.outfit, 0.25));
  }

  double ArmWidth() const { return l_.build == EBuild::Big ? 3 : 2; }

  // x is the middle of the arm.
  void Arm(double x, int swing) {
    const double w = ArmWidth();
    const double len = bot_ - top_ - 2 + swing + 0.5;
    const SRamp sleeve = l_.bareArms ? skin_ : cloth_;
    p_.FillRect(x - w / 2, top_ + 1, w, len, ColumnShade(x - w / 2, x + w / 2, sleeve, -0.1));
    p_.FillRect(x - w / 2, top_ + 1 + len, w, 1.5, l_.bareArms ? skin_.mid : skin_.base);
    if (l_.bareArms && !l_.bareChest) p_.FillRect(x - w / 2, top_ + 1, w, 1, cloth_.mid);  // shoulder strap
  }

  // ---- heads -------------------------------------------------------------
  void Head(EFacing view) {
    const double rx = b_.headRx, ry = b_.headRy;

    const SPt c = headC_;
    if (l_.hairStyle == EHair::Long || l_.hairStyle == EHair::Flame || l_.hairStyle == EHair::Drop ||
        l_.hairStyle == EHair::Leafy || l_.hairStyle == EHair::Glow)
      HairBack(view);
    if (l_.head == EHeadKind::Dog) {
      DogHead(view);
      return;
    }
    p_.FillEllipse(c, rx, ry, BallShade(c, rx, ry, skin_, 0.55));
    if (view == EFacing::Down) {
      const double ey = std::floor(c.y + 1);
      for (double ex : {12.5, 18.5}) {
        p_.FillRect(std::floor(ex), ey, 1, 2, l_.eyes);
        Px(ex, ey, Shade(l_.eyes, 0.7));
      }
      if (l_.build != EBuild::Big) {
        Px(11.5, ey + 2, Mix(l_.skin, Hex(0xf07080), 0.35));
        Px(19.5, ey + 2, Mix(l_.skin, Hex(0xf07080), 0.35));
      }
      if (l_.build == EBuild::Big) {
        // Tusks.
        Px(13.5, ey + 3, l_.accent);
        Px(17.5, ey + 3, l_.accent);
        p_.FillRect(14, ey + 3, 3, 1, skin_.dark);
      }
    } else if (view == EFacing::Right) {
      const double ey = std::floor(c.y + 1);
      p_.FillRect(19, ey, 1, 2, l_.eyes);
      Px(19, ey, Shade(l_.eyes, 0.7));
      Px(20, ey + 2, Mix(l_.skin, Hex(0xf07080), 0.35));
      Px(22.5, ey + 1, skin_.base);  // nose
      if (l_.build == EBuild::Big) Px(21, ey + 3, l_.accent);
    }
    HairFront(view);
    Hat(view);
  }

  void HairBack(EFacing view) {
    const double rx = b_.headRx;
    const SPt c = headC_;
    const double len = l_.hairStyle == EHair::Long ? top_ + 5 : c.y + 4;
    if (view == EFacing::Right) {
      p_.FillPolygon({{c.x - rx + 1, c.y - 2}, {c.x + 1, c.y - 2}, {c.x - 1, len + 1}, {c.x - rx - 1, len}},
                     ColumnShade(c.x - rx - 1, c.x + 1, hair_));
    } else {
      p_.FillPolygon({{c.x - rx - 0.5, c.y - 1}, {c.x + rx + 0.5, c.y - 1}, {c.x + rx + 1, len}, {c.x - rx - 1, len}},
                     ColumnShade(c.x - rx - 1, c.x + rx + 1, hair_, -0.2));
    }
  }

  // Hair over the head: a cap down to a jagged fringe, with side locks.
  void HairFront(EFacing view) {
    if (l_.hairStyle == EHair::None) return;
    const double rx = b_.headRx, ry = b_.headRy;
    const SPt c = headC_;
    const SPt hc{c.x, c.y - 1.0};
    const double hrx = rx + 0.8, hry = ry + 0.6;
    const double fringe = c.y - 1.0;
    double sideLen = c.y + 2.5;
    if (l_.hairStyle == EHair::Bob || l_.hairStyle == EHair::Long || l_.hairStyle == EHair::Glow ||
        l_.hairStyle == EHair::Drop)
      sideLen = c.y + 4.5;
    const SRamp hr = hair_;
    const EHair style = l_.hairStyle;
    auto shader = [=](double x, double y) -> SColor {
      const double nx = (x - hc.x) / hrx, ny = (y - hc.y) / hry;
      if (nx * nx + ny * ny > 1.0) return kClear;
      bool covered;
      if (view == EFacing::Up) {
        covered = true;
      } else if (view == EFacing::Right) {
        const double back = c.x - 1.0;
        covered = x < back || y < fringe - (x > c.x + 3 ? 1 : 0) + ((int(std::floor(x)) % 3 == 0) ? 1 : 0);
        if (x >= back && x < back + 1.0 && y < c.y + 1.5) covered = true;
      } else {
        const int ix = static_cast<int>(std::floor(x));
        const double jag = (ix % 3 == 1) ? 1.0 : 0.0;
        covered = y < fringe + jag || std::fabs(x - c.x) > rx - 1.8;
        if (std::fabs(x - c.x) > rx - 1.8 && y > sideLen) covered = false;
      }
      if (!covered) return kClear;
      const double lit = -0.55 * nx - 0.85 * ny - 0.25 * (nx * nx + ny * ny) + 0.1;
      // A light band across the crown.
      if (std::fabs(ny + 0.55) < 0.12 && nx < 0.3 && nx > -0.6) return hr.hi;
      return RampTone(hr, lit - 0.2);
    };
    p_.FillEllipse(hc, hrx, hry, Shader(shader));
    if (style == EHair::Spiky || style == EHair::Shaggy) {
      // Tufts pointing outward around the crown, swept back when seen from the side.
      const std::vector<double> angles = style == EHair::Spiky ? std::vector<double>{-80, -45, -12, 22, 58}
                                                               : std::vector<double>{-70, -20, 30, 75};
      const double sweep = view == EFacing::Right ? -25 : 0;
      for (std::size_t i = 0; i < angles.size(); ++i) {
        const double a = angles[i] + sweep;
        if (view == EFacing::Right && a > 15) continue;  // keep the face clear
        const SPt base = Polar(hc, std::min(hrx, hry) - 0.8, a);
        const SPt tip = Polar(hc, std::max(hrx, hry) + (style == EHair::Spiky ? 2.8 : 1.8), a - 18);
        const SPt l = Polar(base, 1.8, a - 90), r = Polar(base, 1.8, a + 90);
        p_.FillPolygon({l, tip, r}, a < 0 ? hr.base : hr.mid);
      }
    }
    if (style == EHair::Flame) {
      const double flick = (frame_ - 1) * 0.7;
      for (int i = 0; i < 3; ++i) {
        const double x = c.x - 3.5 + i * 3.5;
        const double hgt = (i == 1 ? 5.5 : 3.8) + (i == 1 ? flick : -flick * 0.5);
        p_.FillPolygon({{x - 2, hc.y - hry + 2.5}, {x + 0.5 + flick * 0.3, hc.y - hry - hgt + 2}, {x + 2, hc.y - hry + 2.5}},
                       i == 1 ? Light(l_.hair, 0.45) : l_.hair);
      }
      Px(c.x - 0.5 + flick * 0.4, hc.y - hry - 1.5, Hex(0xfff0a0));
    }
    if (style == EHair::Drop) {
      p_.FillPolygon({{c.x - 2.5, hc.y - hry + 1.5}, {c.x + 2.5 - (view == EFacing::Right ? 3 : 0), hc.y - hry - 3.5},
                      {c.x + 2.5, hc.y - hry + 1.5}},
                     hr.base);
      Px(c.x - 1, hc.y - hry + 0.5, hr.hi);
    }
    if (style == EHair::Glow) {
      Px(c.x - 3, hc.y - hry + 1.5, pal::kWhite);
    }
  }

  void DogHead(EFacing view) {
    const double rx = b_.headRx, ry = b_.headRy;
    const SPt c = headC_;
    const SRamp fur = skin_;
    // Ears first, so the head overlaps their roots.
    for (int side : {-1, 1}) {
      if (view == EFacing::Right && side == 1) continue;
      const double ex = view == EFacing::Right ? c.x - 1.5 : c.x + side * (rx - 2.5);
      p_.FillPolygon({{ex - 2.2, c.y - ry + 2.5}, {ex + side * 0.8, c.y - ry - 3.5}, {ex + 2.2, c.y - ry + 2.5}},
                     view == EFacing::Up ? fur.mid : fur.base);
      if (view == EFacing::Down) Px(ex, c.y - ry + 0.5, Hex(0xd89a8a));
    }
    p_.FillEllipse(c, rx, ry, BallShade(c, rx, ry, fur, 0.4));
    const SColor muzzle = l_.accent;
    if (view == EFacing::Down) {
      p_.FillEllipse({c.x, c.y + 2.5}, 3.2, 2.4, muzzle);
      p_.FillRect(15, c.y + 1, 2, 1, pal::kOutline);
      p_.FillRect(15, c.y + 3.5, 2, 1, Shade(muzzle, 0.4));
      for (double ex : {12.5, 18.5}) {
        p_.FillRect(std::floor(ex), std::floor(c.y - 1), 1, 2, l_.eyes);
        Px(ex, c.y - 1, pal::kOutline);
      }
    } else if (view == EFacing::Right) {
      p_.FillEllipse({c.x + 4.5, c.y + 1.5}, 3.6, 2.2, BallShade({c.x + 4.5, c.y + 1}, 3.6, 2.2, fur, 0.5));
      p_.FillRect(std::floor(c.x + 3), std::floor(c.y + 3), 4, 1, muzzle);
      Px(c.x + 7.5, c.y + 0.5, pal::kOutline);
      p_.FillRect(std::floor(c.x + 2.5), std::floor(c.y - 1), 1, 2, l_.eyes);
      Px(c.x + 2.5, c.y - 1, pal::kOutline);
    } else {
      p_.FillRect(std::floor(c.x - 1), std::floor(c.y + 2), 2, 2, fur.mid);
    }
  }

  void Hat(EFacing view) {
    const double rx = b_.headRx, ry = b_.headRy;
    const SPt c = headC_;
    const bool side = view == EFacing::Right;
    switch (l_.hat) {
      case EHat::Helmet: {
        const SPt hc{c.x, c.y - 0.5};
        const double hrx = rx + 0.8, hry = ry + 0.8;
        const SRamp g = gear_;
        auto shader = [=](double x, double y) -> SColor {
          bool face;
          if (view == EFacing::Up) face = false;
          else if (side) face = x > c.x - 0.5 && y > c.y - 1.5;
          else face = std::fabs(x - c.x) < rx - 1.6 && y > c.y - 1.5;
          if (face) return kClear;
          const double nx = (x - hc.x) / hrx, ny = (y - hc.y) / hry;
          return RampTone(g, -0.6 * nx - 0.8 * ny - 0.3 * (nx * nx + ny * ny) + 0.35);
        };
        p_.FillEllipse(hc, hrx, hry, Shader(shader));
        if (view != EFacing::Up) {
          const double x0 = side ? c.x - 0.5 : c.x - rx + 1.6;
          const double w = side ? rx + 0.5 : 2 * rx - 3.2;
          p_.FillRect(std::floor(x0), std::floor(c.y - 2.5), std::ceil(w), 1, MakeRamp(l_.trim).base);
        }
        // Plume.
        const SRamp pl = MakeRamp(l_.accent);
        const double sway = step_ * 0.4;
        if (side) {
          p_.StrokePolyline(QuadBezier({c.x, hc.y - hry + 0.5}, {c.x - 2, hc.y - hry - 3}, {c.x - 6.5 + sway, hc.y - hry + 1}, 6),
                            2.0, pl.base);
        } else {
          p_.FillRect(15, hc.y - hry - 2, 2, 3, view == EFacing::Up ? pl.mid : pl.base);
          Px(15, hc.y - hry - 2, pl.hi);
        }
        break;
      }
      case EHat::WitchHat: {
        const SRamp g = gear_;
        const double brimY = c.y - ry + 2.5;
        const double tipDir = side ? -1 : 1;
        // The tip bends over so the hat stays inside the cell.
        p_.FillPolygon({{c.x - 4.5, brimY}, {c.x + 4.5, brimY}, {c.x + tipDir * 2.0, brimY - 5.2},
                        {c.x + tipDir * 6.0, brimY - 6.0}, {c.x - tipDir * 0.2, brimY - 5.0}},
                       ColumnShade(c.x - 4.5, c.x + 4.5, g, 0.2));
        p_.FillRect(std::floor(c.x - 4.5), brimY - 2, 9, 1.5, MakeRamp(l_.trim).base);
        p_.FillEllipse({c.x, brimY + 0.5}, side ? 9.0 : 9.5, 2.0, BallShade({c.x, brimY - 1}, 9.5, 3, g, 0.3));
        break;
      }
      case EHat::Veil: {
        const SRamp g = gear_;
        const SPt hc{c.x, c.y - 0.5};
        auto shader = [=](double x, double y) -> SColor {
          if (view != EFacing::Up) {
            const SPt fc{side ? c.x + 2.5 : c.x, c.y + 1.8};
            const double fx = (x - fc.x) / (side ? 4.2 : 4.8), fy = (y - fc.y) / 4.6;
            if (fx * fx + fy * fy < 1.0) return kClear;
          }
          return ColumnShade(c.x - rx - 1.5, c.x + rx + 1.5, g, 0.4)(x, y);
        };
        p_.FillEllipse(hc, rx + 1.2, ry + 1.0, Shader(shader));
        // Drape over the shoulders.
        if (view == EFacing::Up)
          p_.FillPolygon({{c.x - rx, c.y}, {c.x + rx, c.y}, {c.x + rx - 0.5, top_ + 5}, {c.x - rx + 0.5, top_ + 5}},
                         ColumnShade(c.x - rx, c.x + rx, g, 0.3));
        else if (side)
          p_.FillPolygon({{c.x - rx - 0.5, c.y - 1}, {c.x - 1, c.y - 1}, {c.x - 1.5, top_ + 4}, {c.x - rx - 1, top_ + 4}},
                         ColumnShade(c.x - rx - 1, c.x, g, 0.3));
        else {
          p_.FillPolygon({{c.x - rx - 1.2, c.y}, {c.x - rx + 1.5, c.y + 3}, {c.x - rx + 1.5, top_ + 3}, {c.x - rx - 1.5, top_ + 3}},
                         g.mid);
          p_.FillPolygon({{c.x + rx + 1.2, c.y}, {c.x + rx - 1.5, c.y + 3}, {c.x + rx - 1.5, top_ + 3}, {c.x + rx + 1.5, top_ + 3}},
                         g.mid);
        }
        if (view != EFacing::Up) {
          // Gold band and the fringe under it.
          const double x0 = side ? c.x - 1 : c.x - 4;
          p_.FillRect(x0, std::floor(c.y - 3), side ? 5 : 8, 1, MakeRamp(l_.trim).base);
          p_.FillRect(x0 + 1, std::floor(c.y - 2), side ? 4 : 6, 1, hair_.base);
          if (!side) Px(c.x - 0.5, c.y - 3, l_.accent);
        }
        break;
      }
      case EHat::Cap: {
        const SRamp g = MakeRamp(l_.outfit);
        const SPt hc{c.x, c.y - 2.0};
        auto shader = [=](double x, double y) -> SColor {
          if (y > c.y - 2.0 + (view == EFacing::Up ? 1.5 : 0)) return kClear;
          const double nx = (x - hc.x) / (rx + 1), ny = (y - hc.y) / (ry);
          return RampTone(g, -0.6 * nx - 0.8 * ny + 0.1);
        };
        p_.FillEllipse(hc, rx + 1, ry, Shader(shader));
        if (view == EFacing::Down) p_.FillRect(std::floor(c.x - rx + 1), std::floor(c.y - 2), std::ceil(2 * rx - 2), 1, g.dark);
        if (side) p_.FillRect(std::floor(c.x + 1), std::floor(c.y - 2), 6, 1, g.dark);
        // Feather.
        const SRamp fr = MakeRamp(l_.accent);
        const SPt root = side ? SPt{c.x - 3, c.y - 4} : SPt{c.x + rx - 1, c.y - 4};
        const double dir = side ? -1 : 1;
        p_.StrokePolyline(QuadBezier(root, {root.x + dir * 2, root.y - 3}, {root.x + dir * 4.5, root.y - 4}, 5), 1.4,
                          fr.base);
        Px(root.x + dir * 4, root.y - 4, fr.hi);
        break;
      }
      case EHat::Bandana: {
        const SRamp g = MakeRamp(Hex(0xc83030));
        if (view == EFacing::Up) {
          p_.FillRect(std::floor(c.x - rx), std::floor(c.y - 2), std::ceil(2 * rx), 2, g.base);
          p_.FillPolygon({{c.x - 0.5, c.y - 1}, {c.x + 1, c.y - 1}, {c.x + 2.5 + step_ * 0.5, c.y + 4}, {c.x + 0.5, c.y + 3}}, g.mid);
          p_.FillPolygon({{c.x - 0.5, c.y - 1}, {c.x + 1, c.y - 1}, {c.x - 2.0 + step_ * 0.5, c.y + 4}, {c.x - 2.5, c.y + 2}}, g.base);
        } else if (side) {
          p_.FillRect(std::floor(c.x - rx + 0.5), std::floor(c.y - 2.5), std::ceil(2 * rx), 2, g.base);
          p_.FillPolygon({{c.x - rx + 1, c.y - 2}, {c.x - rx - 3 - step_ * 0.5, c.y + 1}, {c.x - rx - 2, c.y + 2.5}, {c.x - rx + 1.5, c.y - 0.5}},
                         g.mid);
        } else {
          p_.FillRect(std::floor(c.x - rx + 0.5), std::floor(c.y - 2.5), std::ceil(2 * rx - 1), 2,
                      ColumnShade(c.x - rx, c.x + rx, g, 0.3));
          p_.FillPolygon({{c.x + rx - 1, c.y - 2}, {c.x + rx + 2.5, c.y + 1 + step_ * 0.5}, {c.x + rx + 1.5, c.y + 2.5}, {c.x + rx - 1, c.y}},
                         g.mid);
        }
        break;
      }
      case EHat::Horns:
      case EHat::OneHorn: {
        const SRamp hr = MakeRamp(l_.hat == EHat::Horns ? Hex(0xe8e0d0) : Hex(0xf0e8d8));
        const std::vector<int> sides = l_.hat == EHat::Horns ? std::vector<int>{-1, 1} : std::vector<int>{0};
        for (int s : sides) {
          if (side && s == 1) continue;
          const SPt root{side ? c.x - 0.5 : c.x + s * (rx - 2.5), c.y - ry + 0.5};
          const double dir = side ? -1 : (s == 0 ? 0 : s);
          p_.FillPolygon({{root.x - 1.6, root.y + 1}, {root.x + dir * 2.5, root.y - 4},
                          {root.x + dir * 1.5 + 0.8, root.y - 2.5}, {root.x + 1.6, root.y + 1}},
                         s <= 0 ? hr.base : hr.mid);
          Px(root.x + dir * 2.2 - 0.2, root.y - 3.4, hr.hi);
        }
        break;
      }
      case EHat::Halo: {
        const SPt hc{c.x, c.y - ry - 2.5};
        const SColor gold = Hex(0xffe85a);
        p_.FillEllipse(hc, 4.6, 1.6, Shader([=](double x, double y) {
                         const double nx = (x - hc.x) / 3.0, ny = (y - hc.y) / 0.7;
                         return nx * nx + ny * ny < 1.0 ? kClear : gold;
                       }));
        break;
      }
      case EHat::LeafCrown: {
        const SRamp lr = MakeRamp(Hex(0x9ad84a));
        for (int i = -1; i <= 1; ++i) {
          if (side && i == 1) continue;
          const SPt lc{c.x + i * 3.5 + (side ? 1 : 0), c.y - ry + 0.5 - (i == 0 ? 1 : 0)};
          p_.FillEllipse(lc, 1.6, 2.6, i == 0 ? lr.hi : lr.base, i * 35.0);
        }
        Px(c.x + 2.5, c.y - ry + 2.0, Hex(0xff7aa0));
        break;
      }
      case EHat::None: break;
    }
  }

  // ---- held things -------------------------------------------------------
  // A held weapon is laid along an axis from the hand; angle 0 is straight up.
  // Seen from the side, weapons lean forward so they pass in front of the face.
  double HeldAngle(EFacing view) const {
    if (view != EFacing::Right) return 0;
    if (l_.build == EBuild::Small) return 48;
    return (l_.held == EHeld::GreatSword || l_.held == EHeld::Club) ? 34 : 24;
  }

  void Held(double hx, double hy, EFacing view) {
    if (l_.held == EHeld::Bow) {
      Bow(hy, view);
      return;
    }
    const SPt hand{std::floor(hx) + 0.5, std::floor(hy) + 0.5};
    const double angle = HeldAngle(view);
    auto at = [&](double d, double across = 0) { return Polar(Polar(hand, d, angle), across, angle + 90); };
    const SRamp wood = MakeRamp(Hex(0x8a5a2a));
    const SRamp steel = MakeRamp(Hex(0xc8d0dc));
    const SRamp gold = MakeRamp(pal::kGold);
    switch (l_.held) {
      case EHeld::Spear:
        p_.StrokeLine(at(-5), at(15), 1, wood.base);
        p_.FillPolygon({at(14.5, -1.6), at(21.5), at(14.5, 1.6)}, steel.base);
        p_.StrokeLine(at(15.5, -0.4), at(19.5, -0.4), 0.8, steel.hi);
        p_.StrokeLine(at(14, -1.2), at(14, 1.2), 1, l_.accent);
        break;
      case EHeld::GreatSword:
        p_.StrokeLine(at(-2.5), at(1), 1, wood.mid);
        p_.StrokeLine(at(-3), at(-3), 1, gold.mid);
        p_.StrokeLine(at(1.5, -2.6), at(1.5, 2.6), 1, gold.base);
        p_.FillPolygon({at(2, -1.6), at(15.5, -1.6), at(18, 0), at(15.5, 1.6), at(2, 1.6)}, steel.base);
        p_.StrokeLine(at(3, -1.0), at(15.5, -1.0), 0.9, steel.hi);
        p_.StrokeLine(at(3, 1.0), at(15, 1.0), 0.9, steel.mid);
        break;
      case EHeld::Sword:
        p_.StrokeLine(at(-1.5), at(0.5), 1, wood.dark);
        p_.StrokeLine(at(1, -1.8), at(1, 1.8), 1, MakeRamp(Hex(0x8a6a3a)).base);
        p_.FillPolygon({at(1.5, -1.1), at(8, -1.1), at(9.5, 0), at(8, 1.1), at(1.5, 1.1)}, steel.base);
        p_.StrokeLine(at(2, -0.6), at(8, -0.6), 0.8, steel.hi);
        break;
      case EHeld::Staff: {
        p_.StrokeLine(at(-6), at(13), 1, MakeRamp(Hex(0xd8c8a0)).base);
        const SPt ring = at(15.5);
        p_.FillEllipse(ring, 2.5, 2.5, Shader([=](double x, double y) {
                         const double d = std::hypot(x - ring.x, y - ring.y);
                         return d < 1.2 ? kClear : (y < ring.y ? gold.hi : gold.base);
                       }));
        p_.StrokeLine(ring, ring, 1, l_.accent);
        break;
      }
      case EHeld::Rod: {
        p_.StrokeLine(at(-5), at(11), 1, wood.base);
        const SPt orb = at(12.8);
        p_.FillEllipse(orb, 1.9, 1.9, BallShade(orb, 1.9, 1.9, MakeRamp(l_.accent), 0.2));
        p_.StrokeLine(at(13.3, -0.6), at(13.3, -0.6), 0.8, pal::kWhite);
        p_.StrokeLine(at(11, -1.4), at(11, 1.4), 1, gold.base);
        break;
      }
      case EHeld::Club: {
        const SRamp club = MakeRamp(l_.gear);
        p_.FillPolygon({at(-3, -0.9), at(-3, 0.9), at(10, 2.4), at(13.5, 0), at(10, -2.4)}, club.base);
        p_.StrokeLine(at(0, 0.8), at(10, 1.8), 1, club.dark);
        for (const SPt spike : {at(8, -2.8), at(10.5, 2.8), at(12.5, -2.0), at(5.5, 2.4)})
          p_.StrokeLine(spike, spike, 1, l_.accent);
        break;
      }
      case EHeld::Trident: {
        const SRamp dark = MakeRamp(Hex(0x4a3a5a));
        const SRamp tine = MakeRamp(Hex(0xc83040));
        p_.StrokeLine(at(-5), at(14), 1, dark.base);
        p_.StrokeLine(at(13.5, -2.2), at(13.5, 2.2), 1, tine.mid);
        p_.StrokeLine(at(13.5, -2.2), at(16.5, -2.2), 1, tine.base);
        p_.StrokeLine(at(13.5, 2.2), at(16.5, 2.2), 1, tine.base);
        p_.StrokeLine(at(13.5), at(18.5), 1, tine.hi);
        break;
      }
      case EHeld::Bow:
      case EHeld::None: break;
    }
  }

  // The bow sits in the left hand: the far side of the body.
  void Bow(double hy, EFacing view) {
    const bool side = view == EFacing::Right;
    const SRamp wood = MakeRamp(Hex(0x8a5a2a));
    const double bx = view == EFacing::Down ? 16 + b_.torsoHalf + 2.5 : side ? 21.5 : 16 - b_.torsoHalf - 2.5;
    const double dir = view == EFacing::Down ? 1 : side ? 1 : -1;
    const double by = hy - 3;
    const std::vector<SPt> arc = QuadBezier({bx - dir * 0.5, by - 7}, {bx + dir * 4.5, by}, {bx - dir * 0.5, by + 7}, 10);
    p_.StrokeLine({bx - dir * 0.5, by - 7}, {bx - dir * 0.5, by + 7}, 0.9, Hex(0xe8e0d0));
    p_.StrokePolyline(arc, 1.6, wood.base);
    Px(bx + dir * 1.8, by - 0.5, wood.dark);
    Px(bx + dir * 1.8, by + 0.5, wood.dark);
    Px(bx + dir * 0.2 - 0.5, by - 6, wood.hi);
  }

  void Shield(double hx) {
    const double x = std::floor(hx) - 1.5;
    const double y = top_ + 1;
    const SRamp face = MakeRamp(l_.trim);
    const SRamp rim = gear_;
    std::vector<SPt> s{{x, y}, {x + 6, y}, {x + 6, y + 5}, {x + 3, y + 9}, {x, y + 5}};
    p_.FillPolygon(s, rim.base);
    std::vector<SPt> in{{x + 1, y + 1}, {x + 5, y + 1}, {x + 5, y + 5}, {x + 3, y + 7.5}, {x + 1, y + 5}};
    p_.FillPolygon(in, ColumnShade(x + 1, x + 5, face, 0.2));
    p_.FillRect(x + 2.5, y + 2, 1, 4, pal::kGold);
    p_.FillRect(x + 1.5, y + 3, 3, 1, pal::kGold);
  }

  void ShieldBack(double hx) {
    const double x = std::floor(hx) - 4;
    const double y = top_ + 2;
    p_.FillPolygon({{x, y}, {x + 5, y}, {x + 5, y + 5}, {x + 2.5, y + 8}, {x, y + 5}}, MakeRamp(Hex(0x8a6a4a)).mid);
    p_.FillRect(x, y, 5, 1, gear_.base);
  }

  void Aura() {
    if (!l_.aura) return;
    const SColor a = l_.accent;
    // Motes circling the spirit, a different place on each frame.
    const int seed = frame_ * 7 + static_cast<int>(f_) * 3;
    const SPt spots[] = {{6, 14}, {26, 10}, {24, 24}, {8, 24}, {27, 17}, {5, 8}};
    for (int i = 0; i < 3; ++i) {
      const SPt s = spots[(seed + i * 2) % 6];
      Px(s.x, s.y - frame_, a);
      if (i == 0) {
        Px(s.x - 1, s.y - frame_, Light(a, 0.4));
        Px(s.x + 1, s.y - frame_, Light(a, 0.4));
        Px(s.x, s.y - frame_ - 1, Light(a, 0.4));
        Px(s.x, s.y - frame_ + 1, Light(a, 0.4));
        Px(s.x, s.y - frame_, pal::kWhite);
      }
    }
  }

  // ---- side view (facing right) -----------------------------------------
  void PaintSide() {
    const double h = b_.torsoHalf - 1;
    const double cx = 16;
    // Behind the body.
    switch (l_.back) {
      case EBack::Cape: {
        const SRamp r = MakeRamp(l_.accent);
        const double flow = step_ != 0 ? 1.5 : 0.5;
        p_.FillPolygon({{cx - 1, top_}, {cx + 1, top_ + 1}, {cx - 1.5, FeetY() - 3}, {cx - h - 3 - flow, FeetY() - 3.5},
                        {cx - h - 1, top_ + 2}},
                       ColumnShade(cx - h - 4, cx + 1, r));
        break;
      }
      case EBack::Quiver: {
        const SRamp r = gear_;
        p_.FillPolygon({{cx - 3, top_ - 2}, {cx - 1, top_ - 1}, {cx - 1.5, bot_ - 1}, {cx - 4, bot_ - 2}},
                       ColumnShade(cx - 4, cx, r));
        Px(cx - 3, top_ - 3, pal::kWhite);
        Px(cx - 2, top_ - 4, l_.accent);
        break;
      }
      case EBack::FairyWings:
      case EBack::BatWings: {
        const bool fairy = l_.back == EBack::FairyWings;
        const double flap = l_.flying ? (frame_ - 1) * 16.0 : step_ * 6.0;
        const SRamp r = MakeRamp(l_.gear);
        const SPt root{cx - 1, top_ + 2};
        if (fairy) {
          p_.FillEllipse(Polar(root, 6.0, -50 + flap), 4.4, 2.6, r.base, -50 + flap + 90);
          p_.FillEllipse(Polar(root, 4.5, -115 + flap * 0.5), 3.0, 1.9, r.mid, -115 + flap * 0.5 + 90);
        } else {
          const double a = -60 + flap;
          const SPt tip = Polar(root, 11.0, a + 20), mid = Polar(root, 9.5, a - 10), low = Polar(root, 6.5, a - 45);
          p_.FillPolygon({root, tip, mid, Polar(root, 5.5, a - 25), low}, r.base);
          p_.StrokeLine(root, tip, 1.0, r.dark);
        }
        break;
      }
      case EBack::None: break;
    }
    if (l_.tail) Tail(cx - h, bot_ - 1, -1);
    // Far arm, behind the body, swinging against the near one.
    SideArm(-step_, true);
    SideLower();
    // Torso.
    std::vector<SPt> t{{cx - h, top_ + 1}, {cx - h + 1, top_}, {cx + h - 1, top_}, {cx + h, top_ + 1}, {cx + h, bot_}, {cx - h, bot_}};
    p_.FillPolygon(t, ColumnShade(cx - h, cx + h, l_.bareChest ? skin_ : cloth_, 0.1));
    if (l_.bareChest) {
      p_.FillRect(cx - h, bot_ - 3, 2 * h, 3, ColumnShade(cx - h, cx + h, cloth_));
      for (double x = cx - h + 1; x < cx + h; x += 3) p_.FillRect(x, bot_ - 3, 1, 2, pal::kOutline);
      p_.StrokeLine({cx - h + 1, top_ + 0.5}, {cx + h - 1, bot_ - 3}, 1.0, trim_.base);
    }
    if (l_.trimStyle == ETrim::Plate) p_.FillRect(cx - h + 1, top_ + 1, 2 * h - 1, 3, ColumnShade(cx - h, cx + h, gear_, 0.3));
    if (l_.trimStyle == ETrim::Collar || l_.trimStyle == ETrim::Cross) p_.FillRect(cx, top_, h, 1, trim_.base);
    if (l_.trimStyle == ETrim::Centre) p_.FillRect(cx + h - 1, top_, 1, bot_ - top_, trim_.base);
    if (l_.belt) p_.FillRect(cx - h, bot_ - 2, 2 * h, 1, trim_.mid);
    if (l_.back == EBack::Quiver) p_.StrokeLine({cx - 2, top_}, {cx + 1.5, bot_ - 2}, 1.0, gear_.dark);
    const bool armed = l_.held != EHeld::None && l_.held != EHeld::Bow;
    Head(EFacing::Right);
    if (l_.shield) {
      const double x = cx + h - 1;
      const double y = top_ + 1;
      p_.FillPolygon({{x, y}, {x + 3, y}, {x + 3, y + 5}, {x + 1.5, y + 8}, {x, y + 5}}, gear_.base);
      p_.FillPolygon({{x + 1, y + 1}, {x + 3, y + 1}, {x + 3, y + 5}, {x + 1.5, y + 7}}, MakeRamp(l_.trim).base);
    }
    // Near arm and what it holds.
    if (l_.held == EHeld::Bow) Held(0, bot_ - 0.5, EFacing::Right);
    // The near hand holds the weapon out in front.
    SideArm(armed ? 1.5 : -step_, false);
    if (armed) Held(cx + 3.0, bot_ - 1.5, EFacing::Right);
    Aura();
  }

  void SideArm(double swing, bool far) {
    const double cx = 16;
    const SPt shoulder{cx + (far ? 0.5 : -0.5), top_ + 1.5};
    const SPt hand{cx + swing * 2.0 + (far ? 1 : 0), bot_ - 0.5};
    const SRamp sleeve = l_.bareArms ? skin_ : cloth_;
    // A bare arm over a bare chest needs a line of its own to read.
    if (!far && l_.bareChest) p_.StrokeLine(shoulder, hand, ArmWidth() + 1.6, pal::kOutline);
    p_.StrokeLine(shoulder, hand, ArmWidth(), far ? sleeve.dark : sleeve.mid);
    if (!far) p_.StrokeLine(shoulder, {shoulder.x + swing * 1.0, shoulder.y + 2}, ArmWidth(), sleeve.base);
    p_.FillRect(std::floor(hand.x - 0.5), std::floor(hand.y), 2, 1.5, far ? skin_.mid : skin_.base);
  }

  void SideLower() {
    const double cx = 16;
    const double feet = FeetY();
    switch (l_.lower) {
      case ELower::Legs:
      case ELower::Dress: {
        const double spread = l_.lower == ELower::Dress ? 1.5 : 2.5;
        const double nearX = cx + step_ * -spread, farX = cx + step_ * spread;
        const SRamp legs = LegRamp();
        SideLeg(farX, feet, legs, true);
        SideLeg(nearX, feet, legs, false);
        if (l_.lower == ELower::Dress) {
          const double h = b_.torsoHalf - 1;
          p_.FillPolygon({{cx - h, bot_ - 2}, {cx + h, bot_ - 2}, {cx + h + 2, bot_ + 2.5}, {cx - h - 2.5, bot_ + 2.5}},
                         ColumnShade(cx - h - 2, cx + h + 2, cloth_));
          p_.FillRect(cx - h - 2, bot_ + 1.5, 2 * h + 4, 1, trim_.base);
        }
        break;
      }
      case ELower::Robe: {
        const double h = b_.torsoHalf - 1;
        const double fx = cx + 1 + step_ * 1.5;
        p_.FillRect(std::floor(fx), feet - 2, 3, 2, boots_.base);
        if (step_ != 0) p_.FillRect(std::floor(cx - 1 - step_ * 1.5), feet - 2, 3, 2, boots_.mid);
        p_.FillPolygon({{cx - h, bot_ - 1}, {cx + h, bot_ - 1}, {cx + h + 2 + step_ * 0.5, feet - 1.5}, {cx - h - 2.5, feet - 1.5}},
                       ColumnShade(cx - h - 2, cx + h + 2, cloth_));
        p_.FillRect(cx - h - 2.5, feet - 2.5, 2 * h + 5, 1, trim_.base);
        break;
      }
      case ELower::Wisp: Wisp(1); break;
    }
  }

  void SideLeg(double footX, double feet, const SRamp& legs, bool far) {
    const SPt hip{16, bot_ - 0.5};
    const SPt ankle{footX, feet - 2};
    p_.StrokeLine(hip, ankle, static_cast<double>(b_.legW) - 0.2, far ? legs.dark : legs.mid);
    // The boot points forward.
    p_.FillRect(std::floor(footX - 1), feet - 2, 3 + (b_.legW > 2 ? 1 : 0), 2, far ? boots_.dark : boots_.base);
  }

  const SLook& l_;
  EFacing f_;
  int frame_;
  SBody b_;
  CPainter p_;
  int step_ = 0;
  double bob_ = 0;
  double top_ = 0, bot_ = 0;
  SPt headC_;
  SRamp skin_, hair_, cloth_, trim_, boots_, gear_;
};

// ---------------------------------------------------------------------------
// Slimes: a drop of jelly that squashes and stretches as it hops along.

CCanvas PaintSlime(const SLook& l, EFacing facing, int frame) {
  CPainter p = NewCell();
  const SRamp r = MakeRamp(l.outfit);
  // Squash on frame 0, rest on 1, stretch on 2.
  const double sx[] = {1.15, 1.0, 0.88};
  const double sy[] = {0.82, 1.0, 1.14};
  const double rx = 10.0 * sx[frame], ry = 8.5 * sy[frame];
  const double base = 29.5;
  const SPt c{16, base - ry};
  const double dir = facing == EFacing::Right ? 1 : 0;
  // Body: a dome with a soft peak leaning back when it moves sideways.
  std::vector<SPt> body = Join(QuadBezier({c.x - rx, base}, {c.x - rx - 1, c.y - ry * 0.4}, {c.x - 2 - dir * 2, c.y - ry - 1}, 10),
                               QuadBezier({c.x + 2 - dir * 2, c.y - ry - 1}, {c.x + rx + 1, c.y - ry * 0.4}, {c.x + rx, base}, 10));
  p.FillPolygon(body, BallShade({c.x, c.y - 1}, rx + 1, ry + 2, r, 0.25));
  // Inner glow and a bright shine.
  p.FillEllipse({c.x + 1, c.y + ry * 0.35}, rx * 0.55, ry * 0.35, Mix(r.base, r.hi, 0.5));
  p.FillRect(c.x - rx + 1.5, base - 1, 2 * rx - 3, 1, r.dark);
  p.FillEllipse({c.x - rx * 0.45, c.y - ry * 0.45}, 1.8, 1.3, pal::kWhite, -30);
  p.FillRect(std::floor(c.x - rx * 0.45 + 2.5), std::floor(c.y - ry * 0.6), 1, 1, Light(l.outfit, 0.7));
  if (facing != EFacing::Up) {
    const double ey = std::floor(c.y + 0.5);
    const double shift = facing == EFacing::Right ? 4 : 0;
    for (double ex : {c.x - 3.5 + shift, c.x + 2.5 + shift}) {
      if (facing == EFacing::Right && ex > c.x + rx - 2) continue;
      p.FillRect(std::floor(ex), ey, 1, 3, l.eyes);
      p.FillRect(std::floor(ex), ey, 1, 1, pal::kWhite);
    }
    // A small smile.
    p.FillRect(std::floor(c.x - 1 + shift), ey + 3, 2, 1, Shade(l.outfit, 0.8));
  }
  CCanvas out = p.Resolve(true);
  AddOutline(out, pal::kOutline);
  return out;
}

// ---------------------------------------------------------------------------
// The snake: a coil with a raised head that sways; she flicks her tongue.

CCanvas PaintSnake(const SLook& l, EFacing facing, int frame) {
  CPainter p = NewCell();
  const SRamp r = MakeRamp(l.outfit);
  const SRamp belly = MakeRamp(l.trim);
  const double sway = (frame - 1) * 1.0;
  const bool side = facing == EFacing::Right;
  const bool back = facing == EFacing::Up;
  // Coils.
  p.FillEllipse({16, 26.5}, 10.5, 3.8, BallShade({16, 25.5}, 10.5, 4.5, r, 0.1));
  p.FillEllipse({16 - sway * 0.5, 22.5}, 7.5, 3.2, BallShade({16, 21.5}, 7.5, 3.8, r, 0.2));
  // Scale pattern on the coils.
  for (int i = 0; i < 6; ++i) {
    const double x = 8.5 + i * 3.2 + sway * 0.3;
    p.FillRect(std::floor(x), 27, 1, 1, r.dark);
  }
  for (int i = 0; i < 4; ++i) p.FillRect(std::floor(11.5 + i * 3.3 - sway * 0.5), 23, 1, 1, r.mid);
  // Tail tip.
  const double tailX = side ? 5.0 : 26.5;
  p.StrokeTapered({{side ? 8.0 : 24.0, 27.5}, {tailX, 27.0 - sway}, {tailX + (side ? -1.5 : 1.5), 24.5 - sway}}, 3.0, 1.0, r.base);
  // Neck rising to the head.
  const SPt neckBase{16 - sway * 0.5, 21};
  const SPt headC{side ? 18.5 + sway : 16 + sway, 10.5};
  p.StrokeTapered(QuadBezier(neckBase, {neckBase.x + (side ? -3 : -2.5), 16}, {headC.x, headC.y + 3}, 8), 5.5, 4.5,
                  ColumnShade(10, 22, r));
  if (!back) p.StrokeTapered(QuadBezier({neckBase.x + 0.5, neckBase.y}, {neckBase.x - 1.5 + (side ? 1 : 0), 16}, {headC.x + (side ? 1 : 0), headC.y + 4}, 8), 2.0, 2.0, belly.base);
  // Head.
  const double hrx = side ? 5.5 : 5.2, hry = 4.2;
  p.FillEllipse(headC, hrx, hry, BallShade(headC, hrx, hry, r, 0.35));
  if (side) p.FillEllipse({headC.x + 3, headC.y + 1}, 3.0, 2.5, BallShade(headC, hrx, hry, r, 0.35));
  // Ribbon on her head.
  const SRamp rib = MakeRamp(l.accent);
  // Worn on one side, tilted, so it never reads as a pair of ears.
  const SPt rc{headC.x + (side ? -3.0 : 3.0), headC.y - hry + 1.0};
  const auto wing = [&](double dir) {
    return Rotated({{rc.x + dir * 3.2, rc.y - 1.8}, {rc.x, rc.y}, {rc.x + dir * 3.2, rc.y + 1.6}}, rc, 25);
  };
  p.FillPolygon(wing(-1), rib.base);
  p.FillPolygon(wing(1), rib.mid);
  p.FillRect(std::floor(rc.x - 0.5), std::floor(rc.y - 0.5), 2, 2, rib.hi);
  if (!back) {
    const double ey = std::floor(headC.y - 0.5);
    if (side) {
      p.FillRect(std::floor(headC.x + 1.5), ey, 2, 2, l.eyes);
      p.FillRect(std::floor(headC.x + 1.5), ey, 1, 1, pal::kWhite);
    } else {
      for (double ex : {headC.x - 3.0, headC.x + 1.0}) {
        p.FillRect(std::floor(ex), ey, 2, 2, l.eyes);
        p.FillRect(std::floor(ex), ey, 1, 1, pal::kWhite);
      }
    }
    // Tongue on the first frame.
    if (frame == 0) {
      const SColor tongue = Hex(0xe03050);
      if (side) {
        p.FillRect(std::floor(headC.x + 6), std::floor(headC.y + 2), 2, 1, tongue);
        p.FillRect(std::floor(headC.x + 8), std::floor(headC.y + 1), 1, 1, tongue);
        p.FillRect(std::floor(headC.x + 8), std::floor(headC.y + 3), 1, 1, tongue);
      } else {
        p.FillRect(std::floor(headC.x - 0.5), std::floor(headC.y + hry), 1, 2, tongue);
        p.FillRect(std::floor(headC.x - 1.5), std::floor(headC.y + hry + 2), 1, 1, tongue);
        p.FillRect(std::floor(headC.x + 0.5), std::floor(headC.y + hry + 2), 1, 1, tongue);
      }
    }
  }
  CCanvas out = p.Resolve(true);
  AddOutline(out, pal::kOutline);
  return out;
}

}  // namespace

const std::vector<std::string>& UnitSheetNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const SLook& l : Looks()) n.emplace_back(l.name);
    return n;
  }();
  return names;
}

CCanvas DrawUnitFrame(const std::string& name, EFacing facing, int frame) {
  const SLook& look = LookOf(name);
  if (frame < 0 || frame > 2) throw std::runtime_error("a walking frame is 0, 1 or 2, not " + std::to_string(frame));
  // Facing left is the mirror image of facing right.
  const EFacing drawn = facing == EFacing::Left ? EFacing::Right : facing;
  CCanvas cell;
  switch (look.plan) {
    case EPlan::Humanoid: cell = CHumanoid(look, drawn, frame).Paint(); break;
    case EPlan::Slime: cell = PaintSlime(look, drawn, frame); break;
    case EPlan::Snake: cell = PaintSnake(look, drawn, frame); break;
  }
  return facing == EFacing::Left ? cell.FlippedX() : cell;
}

CCanvas DrawUnitSheet(const std::string& name) {
  CCanvas sheet(kCell * kSheetColumns, kCell * kSheetRows);
  for (int row = 0; row < kSheetRows; ++row)
    for (int col = 0; col < kSheetColumns; ++col)
      sheet.Stamp(DrawUnitFrame(name, static_cast<EFacing>(row), col), col * kCell, row * kCell);
  return sheet;
}

}  // namespace contentgen
