// Portraits for the talk and status windows: a bust on a framed card in the
// character's colour. Every part is its own inked layer, so the parts keep
// a clean line between them as in a cel drawing.
#include <cmath>
#include <stdexcept>
#include <vector>

#include "images/artwork.h"
#include "images/painter.h"
#include "images/palette.h"

namespace contentgen {

namespace {

constexpr int kSize = 96;
constexpr int kFine = 4;
const SColor kInk = Hex(0x2a1826);

enum class EFaceHair { Short, Spiky, Long, Bob, Flame, Water, Leafy, Light };
enum class EFaceGear { None, Helmet, WitchHat, Veil, Cap, Bandana, Flower, Halo, Tiara };
enum class EMouth { Smile, Grin, Calm, Open };
enum class EFaceKind { Human, Dog, Unknown };

struct SFaceLook {
  const char* name;
  EFaceKind kind;
  SColor skin, hair, eyes, outfit, trim, back1, back2, gear, accent;
  EFaceHair hair_;
  EFaceGear gear_;
  EMouth mouth;
  bool pointedEars, wings, fierce;
};

const std::vector<SFaceLook>& FaceLooks() {
  static const std::vector<SFaceLook> looks = {
      {"knight_face.png", EFaceKind::Human, pal::kSkin, Hex(0x6b4226), Hex(0x2b5fbe), Hex(0x9aa9c4), Hex(0x2f5fb3),
       Hex(0xa8c8f0), Hex(0x3a5a9a), Hex(0xc0ccdc), Hex(0xd03a3a), EFaceHair::Short, EFaceGear::Helmet, EMouth::Calm,
       false, false, false},
      {"fighter_face.png", EFaceKind::Human, pal::kSkinTan, Hex(0xc8482a), Hex(0x6a3a10), Hex(0x8c5a32),
       Hex(0x5b3a1e), Hex(0xffc890), Hex(0xc84a2a), Hex(0xc83030), Hex(0xd8b040), EFaceHair::Spiky, EFaceGear::Bandana,
       EMouth::Grin, false, false, true},
      {"sorcerer_face.png", EFaceKind::Human, pal::kSkin, Hex(0xd8a850), Hex(0x2e7a3a), Hex(0x4f8f3a), Hex(0x8a5a2c),
       Hex(0xc8f0a8), Hex(0x3a7a3a), Hex(0x3f7a30), Hex(0xe04a3a), EFaceHair::Short, EFaceGear::Cap, EMouth::Smile,
       false, false, false},
      {"sorceress_face.png", EFaceKind::Human, pal::kSkinPale, Hex(0xd0402e), Hex(0x8a3ab0), Hex(0x5b3b9c),
       Hex(0xe0b848), Hex(0xd8b8f8), Hex(0x4a2a8a), Hex(0x3f2a78), Hex(0xff6a3c), EFaceHair::Long,
       EFaceGear::WitchHat, EMouth::Smile, false, false, false},
      {"priestess_face.png", EFaceKind::Human, pal::kSkinPale, Hex(0xf2d878), Hex(0x3a80d0), Hex(0xf4f2ec),
       Hex(0xd8b040), Hex(0xfff4d0), Hex(0x9ac8f0), Hex(0xf8f8f4), Hex(0x4aa0e8), EFaceHair::Long, EFaceGear::Veil,
       EMouth::Calm, false, false, false},
      {"unknown_face.png", EFaceKind::Unknown, Hex(0x3a3448), Hex(0x3a3448), Hex(0x3a3448), Hex(0x3a3448),
       Hex(0x3a3448), Hex(0xb8b8c8), Hex(0x585868), Hex(0x3a3448), Hex(0xf0e8ff), EFaceHair::Short, EFaceGear::None,
       EMouth::Calm, false, false, false},
      {"kobold_face.png", EFaceKind::Dog, Hex(0xb07a40), Hex(0x7a4e26), Hex(0xe8c020), Hex(0x7a6a4a), Hex(0x4e3a22),
       Hex(0xf0d8a8), Hex(0x9a6a3a), Hex(0xc0c8d0), Hex(0xf4e4c8), EFaceHair::Short, EFaceGear::None, EMouth::Open,
       false, false, true},
      {"fairy_face.png", EFaceKind::Human, pal::kSkinPale, Hex(0xf088c0), Hex(0x2a9a6a), Hex(0x68c86a), Hex(0xf8f0a0),
       Hex(0xd8ffd8), Hex(0xf0a8d8), Hex(0xb8f0ff), Hex(0xfff4a0), EFaceHair::Bob, EFaceGear::Flower, EMouth::Open,
       true, true, false},
      {"spilit_of_fire_face.png", EFaceKind::Human, Hex(0xffd8b8), Hex(0xff7a1a), Hex(0xffb020), Hex(0xe0402a),
       Hex(0xffc040), Hex(0xffe0a0), Hex(0xe85020), Hex(0xffc040), Hex(0xfff0a0), EFaceHair::Flame, EFaceGear::Tiara,
       EMouth::Grin, true, false, true},
      {"spilit_of_water_face.png", EFaceKind::Human, Hex(0xdaeeff), Hex(0x3a8ef0), Hex(0x1a5ac0), Hex(0x4ab0f0),
       Hex(0xe0f4ff), Hex(0xd0f0ff), Hex(0x3a7ad0), Hex(0x9ad8ff), Hex(0xffffff), EFaceHair::Water, EFaceGear::Tiara,
       EMouth::Calm, true, false, false},
      {"spilit_of_forest_face.png", EFaceKind::Human, Hex(0xeaf4d0), Hex(0x3e9a3a), Hex(0x2a7a1a), Hex(0x7ac848),
       Hex(0xd8b060), Hex(0xe8f8c0), Hex(0x5a9a3a), Hex(0x9ad84a), Hex(0xff7aa0), EFaceHair::Leafy, EFaceGear::Flower,
       EMouth::Smile, true, false, false},
      {"spilit_of_ray_face.png", EFaceKind::Human, Hex(0xfff4e4), Hex(0xffd860), Hex(0xd08a20), Hex(0xfff8e0),
       Hex(0xffc840), Hex(0xfffff0), Hex(0xffd880), Hex(0xffe860), Hex(0xffffff), EFaceHair::Light, EFaceGear::Halo,
       EMouth::Smile, true, false, false},
  };
  return looks;
}

std::vector<SPt> Arc(SPt c, double rx, double ry, double a0, double a1, int n = 24) {
  std::vector<SPt> pts;
  for (int i = 0; i <= n; ++i) {
    const double a = (a0 + (a1 - a0) * i / n) * 3.14159265358979 / 180.0;
    pts.push_back({c.x + rx * std::sin(a), c.y - ry * std::cos(a)});
  }
  return pts;
}

class CPortrait {
 public:
  explicit CPortrait(const SFaceLook& look) : l_(look), out_(kSize, kSize, kFine) {}

  CCanvas Paint() {
    Card();
    if (l_.kind == EFaceKind::Unknown) {
      Unknown();
    } else {
      if (l_.wings) Wings();
      BackHair();
      if (l_.gear_ == EFaceGear::Halo) Halo();
      Body();
      if (l_.kind == EFaceKind::Dog) {
        DogHead();
      } else {
        Head();
        FrontHair();
        Gear();
      }
    }
    Frame();
    return out_.Resolve(true);
  }

 private:
  CPainter Layer() const { return CPainter(kSize, kSize, kFine); }
  void Ink(CPainter& layer, double width = 1.0) {
    layer.Outline(width, kInk);
    out_.DrawLayer(layer);
  }

  // ---- card ---------------------------------------------------------------
  std::vector<SPt> CardShape() const {
    std::vector<SPt> pts;
    const double r = 7;
    const SPt corners[] = {{kSize - r, r}, {kSize - r, kSize - r}, {r, kSize - r}, {r, r}};
    for (int k = 0; k < 4; ++k)
      for (int i = 0; i <= 6; ++i) pts.push_back(Polar(corners[k], r, k * 90.0 + i * 15.0));
    return pts;
  }

  void Card() {
    out_.FillPolygon(CardShape(), LinearGradient({0, 0}, {0, kSize}, l_.back1, l_.back2));
    // Soft rays from behind the head.
    const SPt c{48, 40};
    for (int i = 0; i < 12; i += 2)
      out_.FillPolygon({c, Polar(c, 90, i * 30.0 - 8), Polar(c, 90, i * 30.0 + 8)}, WithAlpha(pal::kWhite, 40));
    out_.FillCircle(c, 30, WithAlpha(pal::kWhite, 50));
  }

  void Frame() {
    CPainter f = Layer();
    const std::vector<SPt> outer = CardShape();
    f.StrokePolyline(outer, 2.2, Hex(0x2a2040), true);
    std::vector<SPt> inner;
    for (const SPt& p : outer) inner.push_back({48 + (p.x - 48) * 0.955, 48 + (p.y - 48) * 0.955});
    f.StrokePolyline(inner, 1.0, Mix(l_.back1, pal::kWhite, 0.6), true);
    out_.DrawLayer(f);
  }

  // ---- body -----------------------------------------------------------------
  void Body() {
    CPainter b = Layer();
    const SRamp cloth = MakeRamp(l_.outfit), trim = MakeRamp(l_.trim);
    // Neck.
    b.FillRect(41, 60, 14, 18, MakeRamp(l_.skin).mid);
    b.FillPolygon({{41, 60}, {55, 60}, {55, 68}, {48, 71}, {41, 68}}, Shade(l_.skin, 0.45));
    Ink(b, 0.9);
    CPainter s = Layer();
    const std::vector<SPt> shoulders = Join(CubicBezier({8, 97}, {10, 82}, {24, 76}, {40, 74}),
                                            CubicBezier({56, 74}, {72, 76}, {86, 82}, {88, 97}));
    s.FillPolygon(shoulders, LinearGradient({20, 74}, {70, 97}, cloth.hi, cloth.mid));
    // Neckline.
    s.FillPolygon({{39, 73.5}, {57, 73.5}, {48, 86}}, MakeRamp(l_.skin).base);
    s.FillPolygon({{41, 73.5}, {55, 73.5}, {48, 78}}, Shade(l_.skin, 0.4));
    const std::string name = l_.name;
    if (name == "knight_face.png") {
      // Gorget and pauldrons.
      s.FillPolygon({{34, 73}, {62, 73}, {66, 84}, {48, 88}, {30, 84}}, LinearGradient({30, 73}, {66, 88}, Hex(0xe8eef8), Hex(0x8a98b8)));
      s.FillEllipse({18, 86}, 14, 9, LinearGradient({6, 78}, {30, 94}, Hex(0xe8eef8), Hex(0x7a88a8)), -15);
      s.FillEllipse({78, 86}, 14, 9, LinearGradient({66, 78}, {90, 94}, Hex(0xe8eef8), Hex(0x7a88a8)), 15);
      s.FillRect(44, 80, 8, 3, l_.trim);
    } else if (name == "fighter_face.png") {
      s.FillEllipse({80, 86}, 13, 8, LinearGradient({68, 78}, {92, 94}, Hex(0xd8dde4), Hex(0x6a7280)), 18);
      s.StrokeLine({20, 78}, {70, 97}, 4, trim.base);  // strap of the sword belt
    } else if (name == "sorcerer_face.png") {
      s.StrokeLine({62, 75}, {30, 97}, 4, Hex(0x7a4a22));  // quiver strap
      s.FillPolygon({{36, 73}, {60, 73}, {64, 80}, {48, 84}, {32, 80}}, trim.base);
    } else if (name == "sorceress_face.png" || name == "priestess_face.png") {
      s.FillPolygon({{36, 73}, {60, 73}, {66, 81}, {48, 90}, {30, 81}}, trim.base);
      s.FillPolygon({{39, 74}, {57, 74}, {48, 85}}, cloth.base);
      if (name == "priestess_face.png") {
        s.FillRect(46.5, 86, 3, 10, trim.base);
        s.FillRect(43, 89, 10, 3, trim.base);
        s.FillCircle({48, 90.5}, 1.6, l_.accent);
      }
    } else {
      s.FillPolygon({{38, 73.5}, {58, 73.5}, {60, 78}, {48, 82}, {36, 78}}, trim.base);
    }
    Ink(s);
  }

  // ---- head ----------------------------------------------------------------
  std::vector<SPt> FaceShape() const {
    return Join(Join(CubicBezier({27, 40}, {26, 56}, {38, 66}, {48, 67.5}), CubicBezier({48, 67.5}, {58, 66}, {70, 56}, {69, 40})),
                Arc({48, 40}, 21, 23, 90, -90));
  }

  void Head() {
    CPainter h = Layer();
    const SRamp skin = MakeRamp(l_.skin);
    // Ears.
    for (double side : {-1.0, 1.0}) {
      const double x = 48 + side * 20.5;
      if (l_.pointedEars)
        h.FillPolygon({{x, 44}, {x + side * 10, 34}, {x + side * 2, 52}}, skin.base);
      else
        h.FillEllipse({x, 48}, 3.2, 5, skin.base);
    }
    h.FillPolygon(FaceShape(), skin.base);
    // Shade down the far side of the face and under the hair line.
    h.SetLockAlpha(true);
    h.FillPolygon(Join(CubicBezier({62, 30}, {70, 46}, {66, 60}, {50, 68}), {{74, 70}, {74, 30}}), WithAlpha(skin.mid, 160));
    h.FillPolygon({{20, 20}, {76, 20}, {76, 40}, {20, 40}}, WithAlpha(skin.mid, 200));
    h.SetLockAlpha(false);
    Ink(h);
    CPainter f = Layer();
    Eyes(f);
    Mouth(f);
    // Blush.
    f.FillEllipse({35.5, 57}, 4.2, 2.0, WithAlpha(Hex(0xf06a7a), 90));
    f.FillEllipse({60.5, 57}, 4.2, 2.0, WithAlpha(Hex(0xf06a7a), 90));
    f.StrokeLine({49, 53}, {48.2, 55}, 0.9, Shade(l_.skin, 0.5));
    out_.DrawLayer(f);
  }

  void Eyes(CPainter& f) {
    const SRamp iris = MakeRamp(l_.eyes);
    for (double side : {-1.0, 1.0}) {
      const SPt c{48 + side * 10.5, 48};
      // White, iris, pupil, shines.
      f.FillEllipse({c.x, c.y + 0.5}, 5.2, 5.6, pal::kWhite);
      f.FillEllipse({c.x + side * 0.4, c.y + 1}, 3.8, 5.2, LinearGradient({0, c.y - 4}, {0, c.y + 6}, iris.dark, Light(l_.eyes, 0.35)));
      f.FillEllipse({c.x + side * 0.4, c.y + 1.5}, 1.7, 2.6, Shade(l_.eyes, 0.85));
      f.FillCircle({c.x - 1.4, c.y - 1.2}, 1.5, pal::kWhite);
      f.FillCircle({c.x + 1.6, c.y + 3.6}, 0.7, pal::kWhite);
      // Lashes and lid.
      const double tilt = l_.fierce ? -side * 1.6 : 0;
      f.StrokeTapered(QuadBezier({c.x - side * 6.5, c.y - 1.5 - tilt}, {c.x - side * 1, c.y - 7.5}, {c.x + side * 6.5, c.y - 2.5 + tilt}, 10),
                      1.2, 2.6, kInk);
      f.StrokeLine({c.x + side * 6.3, c.y - 2.4 + tilt}, {c.x + side * 7.6, c.y - 0.6 + tilt}, 1.0, kInk);
      f.StrokeLine({c.x - 2.5, c.y + 6.6}, {c.x + 2.5, c.y + 6.6}, 0.7, Shade(l_.skin, 0.5));
      // Brows: level, or slanted down to the middle when fierce.
      const double browIn = l_.fierce ? 2.5 : -0.5;
      f.StrokeTapered({{c.x - side * 5.5, c.y - 9.5 + browIn}, {c.x + side * 0.5, c.y - 11.5 + browIn * 0.3}, {c.x + side * 5.5, c.y - 10.5}},
                      1.6, 0.8, Shade(l_.hair, 0.5));
    }
  }

  void Mouth(CPainter& f) {
    const SColor lip = Hex(0x8a3030);
    switch (l_.mouth) {
      case EMouth::Smile: f.StrokePolyline(QuadBezier({44.5, 60}, {48, 62.5}, {51.5, 60}), 1.1, lip); break;
      case EMouth::Calm: f.StrokePolyline(QuadBezier({45.5, 60.5}, {48, 61.5}, {50.5, 60.5}), 1.0, lip); break;
      case EMouth::Grin:
        f.FillPolygon(Join(QuadBezier({43.5, 59}, {48, 60.5}, {52.5, 58.5}), QuadBezier({52.5, 58.5}, {49, 64.5}, {43.5, 59})), lip);
        f.FillPolygon(Join(QuadBezier({44.5, 59.4}, {48, 60.8}, {51.5, 59}), QuadBezier({51.5, 59}, {48, 61.5}, {44.5, 59.4})), pal::kWhite);
        break;
      case EMouth::Open:
        f.FillEllipse({48, 60.8}, 2.8, 2.2, lip);
        f.FillEllipse({48, 61.8}, 1.8, 1.0, Hex(0xf07a80));
        break;
    }
  }

  // ---- hair ----------------------------------------------------------------
  void BackHair() {
    CPainter h = Layer();
    const SRamp hr = MakeRamp(l_.hair);
    const Shader fill = LinearGradient({30, 20}, {70, 90}, hr.base, hr.mid);
    switch (l_.hair_) {
      case EFaceHair::Long:
      case EFaceHair::Light:
        h.FillPolygon(Join(Arc({48, 42}, 25, 27, -100, 100), {{76, 92}, {64, 97}, {32, 97}, {20, 92}}), fill);
        break;
      case EFaceHair::Water: {
        std::vector<SPt> flow = Arc({48, 42}, 25, 27, -100, 100);
        flow = Join(flow, CubicBezier({73, 50}, {86, 70}, {70, 80}, {84, 96}));
        flow = Join(flow, {{60, 97}, {36, 97}});
        flow = Join(flow, CubicBezier({12, 96}, {26, 80}, {10, 70}, {23, 50}));
        h.FillPolygon(flow, fill);
        break;
      }
      case EFaceHair::Flame: {
        // Hair of fire: curling tongues that lean away from the middle.
        const double xs[] = {24, 33, 42, 53, 63, 72};
        const double tops[] = {16, 8, 3, 5, 10, 18};
        for (int i = 0; i < 6; ++i) {
          const double lean = (xs[i] - 48) * 0.35;
          const SPt tip{xs[i] + lean, tops[i]};
          const std::vector<SPt> tongue =
              Join(CubicBezier({xs[i] - 8, 42}, {xs[i] - 9, 28}, {tip.x - 6, tip.y + 12}, tip, 12),
                   CubicBezier(tip, {tip.x + 1, tip.y + 10}, {xs[i] + 9, 30}, {xs[i] + 8, 42}, 12));
          h.FillPolygon(tongue, LinearGradient({0, tops[i]}, {0, 40}, Hex(0xfff080), l_.hair));
        }
        h.FillPolygon(Join(Join(Arc({48, 42}, 25, 25, -100, 100), QuadBezier({73, 46}, {74, 58}, {66, 66})),
                           QuadBezier({30, 66}, {22, 58}, {23, 46})),
                      fill);
        break;
      }
      case EFaceHair::Leafy:
        h.FillPolygon(Join(Arc({48, 42}, 25, 26, -100, 100), {{74, 80}, {22, 80}}), fill);
        for (int i = 0; i < 7; ++i) {
          const SPt c = Polar({48, 44}, 28, -120 + i * 40.0);
          h.FillEllipse(c, 4, 7, hr.base, -120 + i * 40.0);
        }
        break;
      case EFaceHair::Bob:
        h.FillPolygon(Join(Arc({48, 42}, 25, 26, -100, 100), {{72, 66}, {24, 66}}), fill);
        break;
      case EFaceHair::Short:
      case EFaceHair::Spiky: break;
    }
    if (l_.hair_ != EFaceHair::Short && l_.hair_ != EFaceHair::Spiky) Ink(h);
  }

  // Bangs: locks hanging from the crown, points at their tips.
  std::vector<SPt> Bangs(int locks, double depth, double jag) const {
    std::vector<SPt> pts = Arc({48, 40}, 22.5, 25, -96, 96, 30);
    const double left = 26, right = 70;
    std::vector<SPt> fringe;
    for (int i = locks; i >= 0; --i) {
      const double x = left + (right - left) * i / locks;
      const double tipY = depth + ((i % 2) ? jag : 0) - std::abs(x - 48) * 0.12;
      fringe.push_back({x, tipY});
      if (i > 0) fringe.push_back({x - (right - left) / locks * 0.5, depth - jag * 2.2});
    }
    return Join(pts, fringe);
  }

  void FrontHair() {
    CPainter h = Layer();
    const SRamp hr = MakeRamp(l_.hair);
    const Shader fill = LinearGradient({30, 16}, {60, 50}, hr.base, hr.mid);
    switch (l_.hair_) {
      case EFaceHair::Spiky: {
        h.FillPolygon(Bangs(7, 41, 3), fill);
        for (int i = 0; i < 8; ++i) {
          const double a = -110 + i * 31.0;
          const SPt base = Polar({48, 38}, 20, a);
          h.FillPolygon({Polar(base, 6, a - 90), Polar({48, 38}, 33 + (i % 2) * 3, a + 10), Polar(base, 6, a + 90)}, fill);
        }
        break;
      }
      case EFaceHair::Short:
        h.FillPolygon(Bangs(6, 38, 3), fill);
        break;
      case EFaceHair::Bob:
      case EFaceHair::Light:
      case EFaceHair::Long:
      case EFaceHair::Water:
        h.FillPolygon(Bangs(7, 40, 3), fill);
        // Side locks framing the face.
        for (double side : {-1.0, 1.0}) {
          const double x = 48 + side * 21;
          const double len = l_.hair_ == EFaceHair::Bob ? 62 : 72;
          h.FillPolygon({{x - side * 4, 34}, {x + side * 3, 36}, {x + side * 2, len}, {x - side * 2, len - 6}}, fill);
        }
        break;
      case EFaceHair::Flame:
        h.FillPolygon(Bangs(5, 37, 4), LinearGradient({0, 16}, {0, 44}, Hex(0xffe060), l_.hair));
        break;
      case EFaceHair::Leafy:
        h.FillPolygon(Bangs(6, 39, 3), fill);
        break;
    }
    // A band of shine across the crown.
    h.SetLockAlpha(true);
    h.StrokePolyline(Arc({48, 40}, 16, 17, -60, 40, 12), 2.4, WithAlpha(Light(l_.hair, 0.6), 220));
    h.SetLockAlpha(false);
    Ink(h);
    if (l_.hair_ == EFaceHair::Water) {
      CPainter d = Layer();
      for (double side : {-1.0, 1.0}) {
        const SPt c{48 + side * 26, 72};
        d.FillPolygon(Join(QuadBezier({c.x, c.y - 7}, {c.x + 4.5, c.y}, {c.x, c.y + 3.5}), QuadBezier({c.x, c.y + 3.5}, {c.x - 4.5, c.y}, {c.x, c.y - 7})),
                      Hex(0xc8f0ff));
      }
      Ink(d, 0.8);
    }
  }

  // ---- headgear ------------------------------------------------------------
  void Gear() {
    CPainter g = Layer();
    const SRamp gear = MakeRamp(l_.gear);
    switch (l_.gear_) {
      case EFaceGear::Helmet: {
        // Open-faced helm with cheek guards and a plume.
        const Shader steel = LinearGradient({30, 14}, {66, 60}, Hex(0xf0f4fa), Hex(0x7a88a8));
        std::vector<SPt> dome = Join(Arc({48, 40}, 24, 27, -100, 100), {{72, 62}, {66, 62}, {64, 42}, {32, 42}, {30, 62}, {24, 62}});
        g.FillPolygon(dome, steel);
        g.FillPolygon({{26, 36}, {70, 36}, {70, 41}, {26, 41}}, MakeRamp(l_.trim).base);
        g.FillCircle({48, 38.5}, 2.2, pal::kGold);
        g.StrokeLine({48, 14}, {48, 35}, 2.0, Hex(0xf8fbff));
        Ink(g);
        CPainter plume = Layer();
        plume.FillPolygon(Join(CubicBezier({46, 15}, {50, 2}, {70, 0}, {84, 10}), CubicBezier({84, 10}, {72, 8}, {60, 12}, {52, 18})),
                          LinearGradient({46, 0}, {84, 16}, Light(l_.accent, 0.3), l_.accent));
        Ink(plume);
        break;
      }
      case EFaceGear::WitchHat: {
        const Shader felt = LinearGradient({20, 0}, {70, 40}, gear.hi, gear.mid);
        g.FillEllipse({48, 27}, 40, 8, felt, -4);
        g.FillPolygon(Join(CubicBezier({28, 26}, {34, 12}, {44, 4}, {60, -4}), CubicBezier({60, -4}, {68, 0}, {74, 6}, {82, 2})), felt);
        g.FillPolygon({{28, 26}, {82, 2}, {66, 24}}, felt);
        g.FillPolygon({{29, 22}, {67, 20}, {68, 26}, {28, 27}}, MakeRamp(l_.trim).base);
        g.FillCircle({48, 23.5}, 2.5, l_.accent);
        Ink(g);
        break;
      }
      case EFaceGear::Veil: {
        const Shader cloth = LinearGradient({20, 10}, {80, 90}, Hex(0xffffff), Hex(0xb8c0d8));
        std::vector<SPt> hood = Join(Arc({48, 40}, 26, 29, -100, 100), {{80, 84}, {70, 97}, {62, 97}, {70, 62}, {68, 36}});
        hood = Join(hood, {{48, 29}, {28, 36}, {26, 62}, {34, 97}, {26, 97}, {16, 84}});
        g.FillPolygon(hood, cloth);
        g.StrokePolyline(Arc({48, 40}, 21, 11, -80, 80, 16), 2.4, MakeRamp(l_.trim).base);
        g.FillCircle({48, 29.5}, 2.6, l_.accent);
        Ink(g);
        break;
      }
      case EFaceGear::Cap: {
        const Shader felt = LinearGradient({30, 10}, {60, 40}, gear.hi, gear.mid);
        g.FillPolygon(Join(Arc({48, 33}, 24, 22, -95, 95), {{74, 31}, {22, 31}}), felt);
        g.FillPolygon({{22, 29}, {78, 26}, {72, 32.5}, {24, 33}}, gear.dark);
        Ink(g);
        CPainter feather = Layer();
        feather.FillPolygon(Join(CubicBezier({66, 24}, {74, 8}, {84, 2}, {90, -2}), CubicBezier({90, -2}, {86, 10}, {78, 20}, {68, 28})),
                            LinearGradient({66, 26}, {90, -2}, l_.accent, Light(l_.accent, 0.4)));
        feather.StrokeLine({67, 26}, {88, 0}, 0.8, Shade(l_.accent, 0.4));
        Ink(feather);
        break;
      }
      case EFaceGear::Bandana: {
        g.FillPolygon({{24, 30}, {72, 26}, {73, 33}, {24, 37}}, LinearGradient({24, 26}, {72, 36}, Light(l_.gear, 0.3), l_.gear));
        g.FillPolygon({{70, 28}, {88, 34}, {84, 40}, {72, 33}}, Shade(l_.gear, 0.2));
        g.FillPolygon({{70, 30}, {84, 44}, {78, 46}, {70, 34}}, Shade(l_.gear, 0.35));
        Ink(g);
        break;
      }
      case EFaceGear::Flower: {
        const SPt c{28, 30};
        for (int i = 0; i < 5; ++i) g.FillCircle(Polar(c, 4, i * 72.0), 3.4, l_.accent == pal::kWhite ? Hex(0xffb8d8) : l_.accent);
        g.FillCircle(c, 2.2, Hex(0xfff0a0));
        Ink(g, 0.8);
        break;
      }
      case EFaceGear::Tiara: {
        g.FillPolygon({{36, 26}, {42, 22}, {48, 16}, {54, 22}, {60, 26}, {54, 25}, {48, 22}, {42, 25}}, MakeRamp(l_.trim).base);
        g.FillCircle({48, 21.5}, 2.4, l_.accent == pal::kWhite ? Hex(0x9ad8ff) : l_.accent);
        Ink(g, 0.8);
        break;
      }
      case EFaceGear::Halo:
      case EFaceGear::None: break;
    }
  }

  void Halo() {
    CPainter g = Layer();
    g.FillEllipse({48, 12}, 20, 5, Shader([](double x, double y) {
                    const double nx = (x - 48) / 15.0, ny = (y - 12) / 2.4;
                    return nx * nx + ny * ny < 1.0 ? kClear : Hex(0xffe860);
                  }));
    g.Glow(3, WithAlpha(Hex(0xffffc0), 200));
    out_.DrawLayer(g);
  }

  void Wings() {
    CPainter w = Layer();
    const SColor mem = WithAlpha(l_.gear, 235);
    for (double side : {-1.0, 1.0}) {
      w.FillEllipse({48 + side * 30, 44}, 14, 26, mem, side * 30.0);
      w.FillEllipse({48 + side * 28, 78}, 10, 16, mem, side * 60.0);
    }
    w.SetLockAlpha(true);
    for (double side : {-1.0, 1.0}) w.StrokeLine({48 + side * 18, 62}, {48 + side * 38, 24}, 1.0, pal::kWhite);
    w.SetLockAlpha(false);
    Ink(w, 0.9);
  }

  // ---- special faces -----------------------------------------------------
  void DogHead() {
    CPainter h = Layer();
    const SRamp fur = MakeRamp(l_.skin);
    for (double side : {-1.0, 1.0})
      h.FillPolygon({{48 + side * 10, 30}, {48 + side * 28, 2}, {48 + side * 24, 40}}, fur.base);
    h.FillEllipse({48, 44}, 22, 21, LinearGradient({30, 24}, {66, 64}, fur.hi, fur.base));
    h.SetLockAlpha(true);
    for (double side : {-1.0, 1.0}) h.FillPolygon({{48 + side * 13, 28}, {48 + side * 25, 8}, {48 + side * 22, 34}}, Hex(0xe8a8a0));
    h.SetLockAlpha(false);
    Ink(h);
    CPainter m = Layer();
    m.FillEllipse({48, 58}, 12, 9, l_.accent);
    m.FillEllipse({48, 51}, 4.5, 3, Hex(0x2a1a1a));
    m.FillEllipse({46.8, 50.3}, 1.4, 0.8, Hex(0x8a7070));
    m.StrokePolyline({{48, 54}, {48, 58}, {43, 61}}, 1.0, kInk);
    m.StrokePolyline({{48, 58}, {53, 61}}, 1.0, kInk);
    m.FillPolygon({{44, 61}, {52, 61}, {50.5, 65}, {45.5, 65}}, Hex(0xe06070));
    m.FillPolygon({{43.5, 60.5}, {45, 60.5}, {44.2, 63}}, pal::kWhite);
    m.FillPolygon({{51, 60.5}, {52.5, 60.5}, {51.8, 63}}, pal::kWhite);
    Ink(m, 0.9);
    CPainter e = Layer();
    for (double side : {-1.0, 1.0}) {
      const SPt c{48 + side * 10, 42};
      e.FillEllipse(c, 4.2, 4.6, l_.eyes);
      e.FillEllipse({c.x, c.y + 0.5}, 1.6, 3.2, kInk);
      e.FillCircle({c.x - 1.3, c.y - 1.6}, 1.2, pal::kWhite);
      e.StrokeLine({c.x - side * 5, c.y - 7}, {c.x + side * 4, c.y - 5}, 1.8, Shade(l_.skin, 0.6));
    }
    Ink(e, 0.7);
  }

  void Unknown() {
    CPainter s = Layer();
    const SColor shadow = Hex(0x3a3448);
    s.FillPolygon(Join(CubicBezier({10, 97}, {12, 80}, {26, 74}, {40, 72}), CubicBezier({56, 72}, {70, 74}, {84, 80}, {86, 97})), shadow);
    s.FillEllipse({48, 44}, 21, 24, shadow);
    s.FillRect(41, 60, 14, 14, shadow);
    out_.DrawLayer(s);
    CPainter q = Layer();
    q.StrokePolyline(Join(Arc({48, 34}, 9, 9, -80, 120, 16), {{47.5, 46}, {47.5, 50}}), 6, Hex(0xf0e8ff));
    q.FillCircle({48, 59}, 3.6, Hex(0xf0e8ff));
    out_.DrawLayer(q);
  }

  const SFaceLook& l_;
  CPainter out_;
};

}  // namespace

CCanvas DrawFace(const std::string& name) {
  for (const SFaceLook& l : FaceLooks())
    if (name == l.name) return CPortrait(l).Paint();
  throw std::runtime_error("no portrait is drawn for \"" + name + "\"");
}

}  // namespace contentgen
