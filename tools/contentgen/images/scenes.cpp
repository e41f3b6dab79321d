// The two full-screen pictures: the title (the party facing monsters across
// a battle grid under the logo) and the camp (a town gate at dusk). Both are
// opaque; the menus open over their upper left corner, so that corner is kept
// quiet.
#include <cmath>
#include <string>
#include <vector>

#include "images/artwork.h"
#include "images/fonts.h"
#include "images/painter.h"
#include "images/palette.h"
#include "images/sprite_kit.h"
#include "images/units.h"

namespace contentgen {

namespace {

constexpr int kW = 640, kH = 480;
constexpr int kFine = 2;

// A ridge line across the picture from deterministic noise.
std::vector<SPt> Ridge(double baseY, double amplitude, double wavelength, int seed, double bottom) {
  std::vector<SPt> pts{{-2, bottom}};
  for (int x = -2; x <= kW + 2; x += 4) {
    const double t = x / wavelength;
    const double y = baseY - amplitude * (0.55 * std::sin(t + seed) + 0.3 * std::sin(2.3 * t + seed * 1.7) +
                                          0.15 * std::sin(5.1 * t + seed * 0.3));
    pts.push_back({double(x), y});
  }
  pts.push_back({kW + 2.0, bottom});
  return pts;
}

void Cloud(CPainter& p, SPt c, double size, SColor light, SColor shadow) {
  const SPt puffs[] = {{-1.0, 0.1}, {-0.45, -0.3}, {0.2, -0.45}, {0.8, -0.15}, {1.2, 0.15}, {0.1, 0.15}};
  for (const SPt& q : puffs) p.FillEllipse({c.x + q.x * size, c.y + q.y * size + size * 0.12}, size * 0.55, size * 0.38, shadow);
  for (const SPt& q : puffs) p.FillEllipse({c.x + q.x * size, c.y + q.y * size}, size * 0.52, size * 0.36, light);
}

// A conifer: stacked triangles.
void Tree(CPainter& p, double x, double baseY, double h, SColor dark, SColor light) {
  p.FillRect(x - h * 0.04, baseY - h * 0.15, h * 0.08, h * 0.15, Hex(0x3a2a20));
  for (int i = 0; i < 3; ++i) {
    const double top = baseY - h * (0.45 + i * 0.25), bot = baseY - h * (0.1 + i * 0.22);
    const double w = h * (0.34 - i * 0.07);
    p.FillPolygon({{x, top}, {x + w, bot}, {x - w, bot}}, dark);
    p.FillPolygon({{x, top}, {x - w * 0.15, bot - (bot - top) * 0.1}, {x - w, bot}}, light);
  }
}

void Sword(CPainter& p, SPt hilt, double angle, double length) {
  auto at = [&](double d, double across = 0) { return Polar(Polar(hilt, d, angle), across, angle + 90); };
  CPainter s(kW, kH, p.Scale());
  s.FillPolygon({at(6, -6), at(length - 18, -6), at(length, 0), at(length - 18, 6), at(6, 6)},
                LinearGradient(at(0, -6), at(0, 6), Hex(0xf8fcff), Hex(0x8a98b0)));
  s.StrokeLine(at(8), at(length - 16), 2.2, Hex(0xa8b4c8));
  s.FillPolygon({at(0, -20), at(6, -22), at(6, 22), at(0, 20)}, LinearGradient(at(0, -20), at(6, 20), Hex(0xfff0a0), Hex(0xb07a18)));
  s.StrokeLine(at(-2), at(-30), 7, Hex(0x5a2a18));
  s.FillCircle(at(-34), 6, Hex(0xe8b830));
  s.FillCircle(at(3, 0), 4, Hex(0x3a8ae0));
  s.Outline(2.5, Hex(0x1a1020));
  p.DrawLayer(s);
}

// Projects a point of the battle ground (x across, z into the picture) to
// the screen: the grid narrows toward the horizon.
SPt Ground(double x, double z) {
  const double s = 3.0 / (z + 3.0);
  return {320 + x * 96 * s, 150 + 330 * s};
}

void PaintGroundCell(CPainter& p, int x, int z, SColor c) {
  const double in = 0.06;
  p.FillPolygon({Ground(x + in, z + in), Ground(x + 1 - in, z + in), Ground(x + 1 - in, z + 1 - in), Ground(x + in, z + 1 - in)}, c);
}

void PlaceUnit(CPainter& p, const std::string& name, EFacing facing, int frame, double x, double z, int scale) {
  const CCanvas sprite = DrawUnitFrame(name, facing, frame);
  const SPt feet = Ground(x, z);
  // Soft shadow on the ground under the feet.
  p.FillEllipse({feet.x, feet.y - 2}, 10.0 * scale, 3.0 * scale, WithAlpha(Hex(0x102010), 110));
  p.DrawCanvas(sprite, std::round(feet.x - 16 * scale), std::round(feet.y - 30 * scale), scale);
}

}  // namespace

CCanvas DrawTitle(CFontBook& fonts) {
  CPainter p(kW, kH, kFine);
  // Morning sky.
  p.FillAll(LinearGradient({0, 0}, {0, 260}, Hex(0x2a4a9a), Hex(0xf8d8a0)));
  p.FillCircle({470, 200}, 90, RadialGradient({470, 200}, 90, WithAlpha(Hex(0xfffbe8), 230), WithAlpha(Hex(0xfff4d0), 0)));
  Cloud(p, {120, 120}, 60, Hex(0xf8f4ff), Hex(0xb8b4d8));
  Cloud(p, {560, 80}, 48, Hex(0xf8f4ff), Hex(0xb8b4d8));
  Cloud(p, {330, 205}, 36, Hex(0xfff0e0), Hex(0xd8b8c0));
  // Far mountains, the castle of the last battles, nearer hills.
  p.FillPolygon(Ridge(210, 60, 70, 3, 400), LinearGradient({0, 140}, {0, 260}, Hex(0x8a98c8), Hex(0xb8b8d8)));
  {
    const SColor stone = Hex(0x6a6a98), roof = Hex(0x4a4a7a);
    p.FillPolygon(Ridge(236, 14, 40, 9, 400), Hex(0x9aa8c8));
    p.FillRect(486, 176, 62, 60, stone);
    for (double x : {480.0, 540.0}) {
      p.FillRect(x, 158, 16, 80, stone);
      p.FillPolygon({{x - 3, 160}, {x + 8, 134}, {x + 19, 160}}, roof);
    }
    p.FillRect(508, 146, 20, 60, stone);
    p.FillPolygon({{504, 148}, {518, 112}, {532, 148}}, roof);
    p.StrokeLine({518, 112}, {518, 98}, 1.5, Hex(0x3a3a5a));
    p.FillPolygon({{518, 98}, {532, 102}, {518, 106}}, Hex(0xd04040));
    for (int i = 0; i < 4; ++i) p.FillRect(490 + i * 14, 170, 7, 7, stone);
    p.FillRect(512, 190, 12, 14, Hex(0xffe8a0));
  }
  p.FillPolygon(Ridge(262, 20, 55, 5, 400), Hex(0x5a8a6a));
  for (int i = 0; i < 34; ++i) {
    const double x = i * 20 + Hash01(i, 1, 2) * 12;
    Tree(p, x, 292 + Hash01(i, 2, 2) * 6, 34 + Hash01(i, 3, 2) * 18, Hex(0x2a5a3a), Hex(0x3a7a4a));
  }
  // The battle ground and its grid.
  p.FillRect(0, 286, kW, kH - 286, LinearGradient({0, 286}, {0, 480}, Hex(0x6aa84a), Hex(0x3a7a2a)));
  for (int i = 0; i < 900; ++i) {
    const double x = Hash01(i, 7, 3) * kW, y = 292 + std::pow(Hash01(i, 8, 3), 0.7) * 188;
    const double s = 0.6 + (y - 292) / 188 * 1.6;
    p.FillEllipse({x, y}, s * 1.6, s * 0.7, Hash01(i, 9, 3) < 0.5 ? Hex(0x7ab85a) : Hex(0x4a8a3a));
  }
  for (int i = 0; i < 40; ++i) {
    const double x = Hash01(i, 10, 3) * kW, y = 300 + Hash01(i, 11, 3) * 170;
    p.FillCircle({x, y}, 1.6, Hash01(i, 12, 3) < 0.5 ? Hex(0xfff4a0) : Hex(0xffffff));
  }
  // Movement range around the knight, attack range on the enemy.
  const SColor blue = WithAlpha(Hex(0x50a8ff), 120), red = WithAlpha(Hex(0xff5050), 130);
  for (const auto& [x, z] : std::vector<std::pair<int, int>>{{-3, 0}, {-2, 0}, {-1, 0}, {-2, 1}, {-1, 1}, {0, 1}, {-1, 2}, {0, 0}, {-2, -1}})
    PaintGroundCell(p, x, z, blue);
  PaintGroundCell(p, 1, 1, red);
  PaintGroundCell(p, 1, 2, red);
  // The grid fades out toward the tree line.
  for (int z = -1; z <= 4; ++z) p.StrokeLine(Ground(-12, z), Ground(12, z), 1.0, WithAlpha(Hex(0xe8ffd8), 110 - z * 18));
  for (int x = -12; x <= 12; ++x)
    for (int z = -2; z < 4; ++z) p.StrokeLine(Ground(x, z), Ground(x, z + 1), 1.0, WithAlpha(Hex(0xe8ffd8), 110 - z * 18));
  // Monsters across the field, the party on the near side.
  PlaceUnit(p, "daemon.png", EFacing::Left, 1, 2.5, 3.6, 2);
  PlaceUnit(p, "ogre.png", EFacing::Left, 0, 3.5, 2.8, 2);
  PlaceUnit(p, "kobold.png", EFacing::Left, 2, 1.5, 3.3, 2);
  PlaceUnit(p, "fairy.png", EFacing::Left, 0, 4.5, 1.9, 2);
  PlaceUnit(p, "slime_red.png", EFacing::Left, 1, 1.5, 2.5, 2);
  PlaceUnit(p, "slime_yellow.png", EFacing::Left, 2, 2.5, 2.3, 2);
  PlaceUnit(p, "slime.png", EFacing::Left, 0, 1.5, 1.5, 3);
  PlaceUnit(p, "sorceress.png", EFacing::Right, 1, -3.0, 1.9, 3);
  PlaceUnit(p, "fighter.png", EFacing::Right, 0, -1.3, 1.8, 3);
  PlaceUnit(p, "priestess.png", EFacing::Right, 1, -3.9, 0.9, 3);
  PlaceUnit(p, "sorcerer.png", EFacing::Right, 2, -2.3, 0.8, 3);
  PlaceUnit(p, "knight.png", EFacing::Right, 2, -0.5, 0.6, 3);
  // The map cursor on the slime.
  {
    const SPt a = Ground(1.05, 1.05), b = Ground(1.95, 1.95);
    CPainter c(kW, kH, kFine);
    const double w = b.x - a.x, h = a.y - b.y;
    for (int k = 0; k < 4; ++k) {
      const double sx = (k % 2) ? -1 : 1, sy = (k / 2) ? -1 : 1;
      const double x = (k % 2) ? b.x : a.x, y = (k / 2) ? b.y : a.y;
      c.FillPolygon({{x, y}, {x + sx * w * 0.3, y}, {x + sx * w * 0.3, y - sy * 5}, {x + sx * 5, y - sy * 5}, {x + sx * 5, y - sy * h * 0.35}, {x, y - sy * h * 0.35}},
                    Hex(0xfff0a0));
    }
    c.Outline(1.5, Hex(0x2a1a10));
    p.DrawLayer(c);
  }
  // The crest: crossed swords behind the name.
  Sword(p, {250, 250}, 42, 260);
  Sword(p, {390, 250}, -42, 260);
  STextStyle logo;
  logo.size = 92;
  logo.bold = true;
  logo.fill = LinearGradient({0, 100}, {0, 175}, Hex(0xfffbe0), Hex(0xf0a020));
  {
    // Shadow, then the dark edge and the letters.
    STextStyle shadow = logo;
    shadow.fill = WithAlpha(Hex(0x101030), 160);
    DrawText(p, fonts, "Quorvane", 326, 146, shadow);
    CPainter t(kW, kH, kFine);
    DrawText(t, fonts, "Quorvane", 320, 140, logo);
    t.Outline(3.5, Hex(0x3a1a08));
    t.Outline(1.5, Hex(0xfff4c8));
    p.DrawLayer(t);
  }
  // Ribbon with the kind of game.
  {
    CPainter r(kW, kH, kFine);
    const SColor cloth = Hex(0xb8282a), fold = Hex(0x7a141a);
    r.FillPolygon({{170, 198}, {212, 198}, {212, 232}, {170, 232}, {184, 215}}, fold);
    r.FillPolygon({{470, 198}, {428, 198}, {428, 232}, {470, 232}, {456, 215}}, fold);
    r.FillPolygon(Join(QuadBezier({196, 190}, {320, 178}, {444, 190}), QuadBezier({444, 224}, {320, 212}, {196, 224})),
                  LinearGradient({0, 180}, {0, 224}, Hex(0xe04040), cloth));
    r.Outline(2.0, Hex(0x2a0a0a));
    p.DrawLayer(r);
    STextStyle sub;
    sub.size = 22;
    sub.bold = true;
    sub.fill = Hex(0xfff0c0);
    sub.outline = Hex(0x4a0a0a);
    sub.outlineWidth = 1.5;
    DrawText(p, fonts, "TACTICS  RPG", 320, 203, sub);
  }
  STextStyle ver;
  ver.size = 13;
  ver.fill = pal::kWhite;
  ver.outline = Hex(0x1a2a1a);
  ver.outlineWidth = 1.2;
  DrawText(p, fonts, "ver1.00", 598, 466, ver);
  return p.Resolve(false);
}

CCanvas DrawTownEntrance() {
  CPainter p(kW, kH, kFine);
  // Dusk: deep blue overhead, a warm band at the horizon.
  const Shader sky = [](double, double y) {
    const SColor top = Hex(0x141c48), mid = Hex(0x4a3a78), low = Hex(0xf09a58);
    if (y < 150) return Mix(top, mid, y / 150);
    return Mix(mid, low, std::min(1.0, (y - 150) / 140));
  };
  p.FillAll(sky);
  for (int i = 0; i < 140; ++i) {
    const double x = Hash01(i, 1, 7) * kW, y = std::pow(Hash01(i, 2, 7), 1.6) * 200;
    const double r = 0.5 + Hash01(i, 3, 7) * 0.9;
    p.FillCircle({x, y}, r, WithAlpha(Hex(0xfff8e0), static_cast<std::uint8_t>(255 - y)));
  }
  // Crescent moon.
  const SPt moon{548, 64};
  p.FillCircle(moon, 34, RadialGradient(moon, 34, WithAlpha(Hex(0xfff4c8), 70), WithAlpha(Hex(0xfff4c8), 0)));
  p.FillCircle(moon, 18, Hex(0xfff4c8));
  p.FillCircle({moon.x + 9, moon.y - 6}, 16, sky);
  // Sunset glow behind the far hills.
  p.FillEllipse({330, 300}, 380, 70, WithAlpha(Hex(0xffc070), 120));
  p.FillPolygon(Ridge(262, 26, 60, 2, 400), Hex(0x4a3a6a));
  p.FillPolygon(Ridge(290, 14, 40, 6, 400), Hex(0x3a3058));
  // Rooftops of the town peeking over the wall.
  const SColor roofDark = Hex(0x2a2040), wallWarm = Hex(0x5a4a5a);
  struct SHouse { double x, w, h; };
  for (const SHouse& h : {SHouse{300, 60, 50}, SHouse{350, 70, 74}, SHouse{455, 64, 60}, SHouse{510, 80, 44}, SHouse{220, 56, 40}, SHouse{580, 60, 56}}) {
    const double base = 250;
    p.FillRect(h.x - h.w / 2, base - h.h, h.w, h.h, wallWarm);
    p.FillPolygon({{h.x - h.w / 2 - 6, base - h.h}, {h.x, base - h.h - h.w * 0.45}, {h.x + h.w / 2 + 6, base - h.h}}, roofDark);
    for (int i = 0; i < 2; ++i)
      p.FillRect(h.x - h.w / 4 + i * h.w / 3, base - h.h + 10, 8, 10, Hex(0xffd070));
  }
  // Church tower.
  p.FillRect(396, 120, 34, 130, Hex(0x4a4060));
  p.FillPolygon({{390, 122}, {413, 70}, {436, 122}}, roofDark);
  p.FillCircle({413, 140}, 7, Hex(0xffe0a0));
  p.StrokeLine({413, 70}, {413, 56}, 2, roofDark);
  p.StrokeLine({407, 61}, {419, 61}, 2, roofDark);
  // The town wall.
  const SColor stone = Hex(0x6a5a70), stoneLit = Hex(0x8a7088), stoneDark = Hex(0x3a3048);
  p.FillRect(0, 238, kW, 130, LinearGradient({0, 238}, {0, 368}, stoneLit, stone));
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 24; ++col) {
      const double x = col * 30 + (row % 2) * 15, y = 242 + row * 16;
      p.StrokeLine({x, y}, {x + 28, y}, 1.0, WithAlpha(stoneDark, 120));
      p.StrokeLine({x, y}, {x, y + 15}, 1.0, WithAlpha(stoneDark, 90));
    }
  for (int i = 0; i < 22; ++i) p.FillRect(i * 30 + 2, 224, 18, 16, stoneLit);
  p.FillRect(0, 238, kW, 4, stoneDark);
  // Gate towers and the arch.
  const double gx = 410;
  for (double tx : {gx - 112.0, gx + 70.0}) {
    p.FillRect(tx, 170, 42, 210, LinearGradient({tx, 0}, {tx + 42, 0}, stoneLit, stoneDark));
    for (int i = 0; i < 3; ++i) p.FillRect(tx - 4 + i * 17, 156, 12, 16, stoneLit);
    p.FillRect(tx - 4, 168, 50, 6, stoneDark);
    p.FillRect(tx + 16, 210, 10, 22, Hex(0x2a2038));
    p.FillRect(tx + 18, 212, 6, 18, Hex(0xffc060));
  }
  p.FillRect(gx - 70, 200, 140, 180, LinearGradient({0, 200}, {0, 380}, stoneLit, stone));
  for (int i = 0; i < 5; ++i) p.FillRect(gx - 70 + i * 30, 188, 18, 14, stoneLit);
  // Warm light through the open gate.
  std::vector<SPt> arch = Join(Join({{gx - 46, 380}}, QuadBezier({gx - 46, 270}, {gx, 206}, {gx + 46, 270}, 20)), {{gx + 46, 380}});
  p.FillPolygon(arch, LinearGradient({0, 230}, {0, 380}, Hex(0xfff0b8), Hex(0xf0a050)));
  p.FillPolygon({{gx - 20, 300}, {gx + 20, 300}, {gx + 30, 380}, {gx - 30, 380}}, WithAlpha(Hex(0xfff8e0), 120));
  // Silhouettes of people in the gate.
  for (const SPt& person : {SPt{gx - 16, 336}, SPt{gx + 22, 344}}) {
    p.FillEllipse({person.x, person.y - 26}, 5, 6, Hex(0x3a2a30));
    p.FillPolygon({{person.x - 7, person.y - 20}, {person.x + 7, person.y - 20}, {person.x + 9, person.y + 10}, {person.x - 9, person.y + 10}}, Hex(0x3a2a30));
  }
  // Open doors and the arch stones.
  p.FillPolygon({{gx - 46, 272}, {gx - 64, 262}, {gx - 64, 384}, {gx - 46, 380}}, Hex(0x5a3a22));
  p.FillPolygon({{gx + 46, 272}, {gx + 64, 262}, {gx + 64, 384}, {gx + 46, 380}}, Hex(0x4a2e1a));
  for (int i = 0; i <= 12; ++i) {
    const double a = -90 + i * 15.0;
    const SPt o = Polar({gx, 272}, 58, a), in = Polar({gx, 272}, 46, a);
    p.StrokeLine(in, o, 1.2, stoneDark);
  }
  p.StrokePolyline(QuadBezier({gx - 52, 272}, {gx, 196}, {gx + 52, 272}, 20), 12, WithAlpha(stoneLit, 200));
  // Banners.
  for (double bx : {gx - 100.0, gx + 82.0}) {
    p.FillPolygon({{bx, 196}, {bx + 18, 196}, {bx + 18, 244}, {bx + 9, 236}, {bx, 244}}, Hex(0x2a4aa0));
    p.FillCircle({bx + 9, 214}, 5, Hex(0xe8c040));
  }
  // Torches with their glow.
  for (double tx : {gx - 80.0, gx + 80.0}) {
    p.FillCircle({tx, 266}, 46, RadialGradient({tx, 266}, 46, WithAlpha(Hex(0xffc060), 150), WithAlpha(Hex(0xffb050), 0)));
    p.FillRect(tx - 2, 268, 4, 18, Hex(0x3a2418));
    p.FillEllipse({tx, 262}, 5, 9, Hex(0xffb030));
    p.FillEllipse({tx, 264}, 2.5, 5, Hex(0xfff4c0));
  }
  // Ground, the road to the gate and grass at the sides.
  p.FillRect(0, 368, kW, 112, LinearGradient({0, 368}, {0, 480}, Hex(0x3a4a38), Hex(0x1e2a20)));
  p.FillPolygon({{gx - 46, 380}, {gx + 46, 380}, {gx + 200, 480}, {gx - 230, 480}}, LinearGradient({0, 380}, {0, 480}, Hex(0xb08a60), Hex(0x6a5038)));
  p.FillPolygon({{gx - 30, 380}, {gx + 30, 380}, {gx + 60, 480}, {gx - 80, 480}}, WithAlpha(Hex(0xffd8a0), 60));
  for (int i = 0; i < 260; ++i) {
    const double x = Hash01(i, 4, 7) * kW, y = 372 + Hash01(i, 5, 7) * 108;
    const SPt road0{gx - 46 - (y - 380) * 1.84, y}, road1{gx + 46 + (y - 380) * 1.54, y};
    if (x > road0.x - 4 && x < road1.x + 4) continue;
    const double h = 3 + (y - 370) / 20;
    p.StrokeLine({x, y}, {x + 1.5, y - h}, 1.2, Hash01(i, 6, 7) < 0.5 ? Hex(0x4a6a40) : Hex(0x2a4028));
  }
  // Bushes along the foot of the wall, lit from the gate side.
  for (int i = 0; i < 16; ++i) {
    const double x = i * 42 + Hash01(i, 1, 11) * 16;
    if (std::abs(x - gx) < 90) continue;
    const double r = 12 + Hash01(i, 2, 11) * 8;
    p.FillEllipse({x, 372}, r * 1.3, r * 0.8, Hex(0x1e3024));
    p.FillEllipse({x + (x < gx ? 3 : -3), 368}, r * 0.9, r * 0.5, Hex(0x2e4832));
  }
  // A signpost by the road.
  p.FillRect(gx - 176, 392, 5, 50, Hex(0x3a2a1e));
  p.FillPolygon({{gx - 206, 394}, {gx - 150, 394}, {gx - 140, 404}, {gx - 150, 414}, {gx - 206, 414}}, Hex(0x6a4a2e));
  p.StrokeLine({gx - 200, 402}, {gx - 156, 402}, 1.5, Hex(0x3a2a1e));
  p.StrokeLine({gx - 200, 407}, {gx - 166, 407}, 1.5, Hex(0x3a2a1e));
  // Fireflies over the grass.
  for (int i = 0; i < 18; ++i) {
    const SPt f{Hash01(i, 1, 13) * kW, 330 + Hash01(i, 2, 13) * 120};
    p.FillCircle(f, 4, RadialGradient(f, 4, WithAlpha(Hex(0xfff0a0), 150), WithAlpha(Hex(0xfff0a0), 0)));
    p.FillCircle(f, 1.0, Hex(0xfffbe0));
  }
  // Trees framing the right edge and the far left.
  for (const SPt& t : {SPt{604, 392}, SPt{628, 420}, SPt{24, 380}, SPt{60, 400}})
    Tree(p, t.x, t.y, 140 + Hash01(int(t.x), 1, 9) * 40, Hex(0x1a2a2a), Hex(0x2a3a38));
  // A soft vignette draws the eye to the gate.
  p.FillAll(Shader([](double x, double y) {
    const double dx = (x - 400) / 420, dy = (y - 250) / 330;
    const double d = std::min(1.0, std::sqrt(dx * dx + dy * dy));
    return WithAlpha(Hex(0x0a0818), static_cast<std::uint8_t>(std::lround(d * d * d * 130)));
  }));
  // Lantern posts along the road.
  for (const SPt& l : {SPt{gx - 120, 430}, SPt{gx + 110, 440}}) {
    p.FillCircle({l.x, l.y - 63}, 34, RadialGradient({l.x, l.y - 63}, 34, WithAlpha(Hex(0xffd070), 140), WithAlpha(Hex(0xffc060), 0)));
    p.FillRect(l.x - 2, l.y - 56, 4, 56, Hex(0x2a2020));
    p.FillRect(l.x - 6, l.y - 70, 12, 14, Hex(0xffe0a0));
    p.FillPolygon({{l.x - 8, l.y - 70}, {l.x, l.y - 78}, {l.x + 8, l.y - 70}}, Hex(0x2a2020));
  }
  return p.Resolve(false);
}

}  // namespace contentgen
