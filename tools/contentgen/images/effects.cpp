// Spell visuals and battle effects: fire, lightning, sparks, sparkles,
// damage digits and the floating status words.
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "images/artwork.h"
#include "images/fonts.h"
#include "images/painter.h"
#include "images/palette.h"
#include "images/sprite_kit.h"

namespace contentgen {

namespace {

constexpr int kFine = 4;

const SColor kFireDark = Hex(0x6a1408);
const SColor kFireRed = Hex(0xe0401c);
const SColor kFireOrange = Hex(0xff8a1c);
const SColor kFireYellow = Hex(0xffd84a);
const SColor kFireCore = Hex(0xfff8d8);

CCanvas Finish(const CPainter& p, SColor outline, bool diagonal = false) {
  CCanvas c = p.Resolve(true);
  AddOutline(c, outline, diagonal);
  return c;
}

// A tongue of flame standing on (x, base) and reaching up to height h,
// leaning by lean pixels at the tip.
std::vector<SPt> Tongue(double x, double base, double halfWidth, double h, double lean) {
  const SPt tip{x + lean, base - h};
  return Join(Join(QuadBezier({x - halfWidth, base}, {x - halfWidth * 1.1, base - h * 0.45}, tip, 10),
                   QuadBezier(tip, {x + halfWidth * 1.1, base - h * 0.45}, {x + halfWidth, base}, 10)),
              QuadBezier({x + halfWidth, base}, {x, base + halfWidth * 0.9}, {x - halfWidth, base}, 8));
}

// Star with n points: alternating outer and inner radii.
std::vector<SPt> Star(SPt c, int points, double outer, double inner, double rotation = 0) {
  std::vector<SPt> pts;
  for (int i = 0; i < points * 2; ++i) pts.push_back(Polar(c, i % 2 ? inner : outer, rotation + i * 180.0 / points));
  return pts;
}

}  // namespace

CCanvas DrawFireball() {
  CPainter p(32, 32, kFine);
  const SPt c{16, 11};
  // Flames stream back (down) from the ball as it flies up.
  p.FillPolygon(Tongue(16, 9, 7.5, -21, 0), kFireRed);
  p.FillPolygon(Tongue(11.5, 12, 3.2, -13, -1.5), kFireRed);
  p.FillPolygon(Tongue(20.5, 12, 3.2, -12, 1.5), kFireRed);
  p.FillPolygon(Tongue(16, 10, 5.5, -16, 0.5), kFireOrange);
  p.FillPolygon(Tongue(16, 10, 3.5, -10, 0), kFireYellow);
  p.FillCircle(c, 7.0, RadialGradient({c.x - 1, c.y - 2}, 8.5, kFireCore, kFireOrange));
  p.FillCircle({c.x - 0.5, c.y - 1}, 4.0, RadialGradient({c.x - 1.5, c.y - 2.5}, 4.5, Hex(0xffffff), kFireYellow));
  return Finish(p, kFireDark);
}

CCanvas DrawFirewall(int frame) {
  if (frame < 0 || frame > 1) throw std::runtime_error("the fire pillar has frames 0 and 1");
  CPainter p(32, 64, kFine);
  const double ph = frame == 0 ? 1.0 : -1.0;
  // Outer tongues, then hotter layers inside.
  struct STongue { double x, w, h, lean; };
  const std::array<STongue, 5> outer{{{7, 5, 34 + 6 * ph, -2 * ph}, {13, 6, 52 - 4 * ph, 1.5 * ph}, {19, 6, 58 + 3 * ph, -1.5 * ph},
                                      {25, 5, 40 - 6 * ph, 2 * ph}, {16, 9, 30, 0}}};
  for (const STongue& t : outer) p.FillPolygon(Tongue(t.x, 60, t.w, t.h, t.lean), kFireRed);
  const std::array<STongue, 3> mid{{{11, 4.5, 36 + 5 * ph, 1.5 * ph}, {18, 5.5, 46 - 5 * ph, -2 * ph}, {23, 4, 30 + 4 * ph, 1 * ph}}};
  for (const STongue& t : mid) p.FillPolygon(Tongue(t.x, 60, t.w, t.h, t.lean), kFireOrange);
  const std::array<STongue, 2> hot{{{14, 4, 26 + 4 * ph, 1 * ph}, {19, 4, 30 - 4 * ph, -1 * ph}}};
  for (const STongue& t : hot) p.FillPolygon(Tongue(t.x, 60, t.w, t.h, t.lean), kFireYellow);
  p.FillEllipse({16, 57}, 8, 4.5, kFireCore);
  // Embers flying up.
  const SPt embers[] = {{6, 20 + 6 * ph}, {26, 14 - 5 * ph}, {12, 8 + 4 * ph}, {22, 26 + 3 * ph}};
  for (const SPt& e : embers) p.FillCircle(e, 1.2, kFireYellow);
  return Finish(p, kFireDark);
}

CCanvas DrawThunder(int frame) {
  if (frame < 0 || frame > 4) throw std::runtime_error("the lightning has frames 0 to 4");
  CPainter p(32, 96, kFine);
  const double strikeY = 75;
  // A zigzag from the sky to the strike point, different on every frame.
  std::vector<SPt> bolt{{16 + (Hash01(frame, 0, 11) - 0.5) * 10, -2}};
  const int segments = 9;
  for (int i = 1; i < segments; ++i) {
    const double y = -2 + (strikeY + 2) * i / segments;
    const double swing = (i % 2 ? 1 : -1) * (3 + Hash01(frame, i, 12) * 4);
    bolt.push_back({16 + swing, y});
  }
  bolt.push_back({16, strikeY});
  const double widths[] = {2.0, 3.6, 3.2, 2.4, 1.4};
  const double w = widths[frame];
  const SColor glow = Hex(0x8a78ff), edge = Hex(0xb8e8ff), core = Hex(0xffffff);
  // Branches split off the main bolt.
  for (int i = 2; i < segments - 1; i += 2) {
    if (Hash01(frame, i, 13) < 0.35) continue;
    const SPt a = bolt[i];
    const double dir = bolt[i].x > 16 ? 1 : -1;
    const SPt b{a.x + dir * (4 + Hash01(frame, i, 14) * 5), a.y + 7};
    const SPt c{b.x + dir * 2, b.y + 6};
    p.StrokePolyline({a, b, c}, w * 0.9 + 1, glow);
    p.StrokePolyline({a, b, c}, std::max(0.8, w * 0.5), edge);
  }
  p.StrokePolyline(bolt, w + 3.5, glow);
  p.StrokePolyline(bolt, w + 1.2, edge);
  p.StrokePolyline(bolt, std::max(0.9, w * 0.55), core);
  // Flash where it strikes, strongest on the second frame.
  const double flash[] = {4, 11, 9, 7, 4};
  const double r = flash[frame];
  p.FillPolygon(Star({16, strikeY}, 8, r + 3, r * 0.45, frame * 11.0), edge);
  p.FillEllipse({16, strikeY + 1}, r, r * 0.6, core);
  if (frame >= 2) {
    for (int i = 0; i < 5; ++i) {
      const SPt s = Polar({16, strikeY}, r + 3 + Hash01(frame, i, 15) * 6, i * 72.0 + frame * 20);
      p.FillCircle(s, 1.2, edge);
    }
  }
  return Finish(p, Hex(0x2a2070));
}

CCanvas DrawWaterBall() {
  CPainter p(16, 16, kFine);
  const SPt c{8, 8};
  p.FillCircle(c, 6.0, RadialGradient({6.5, 6}, 8.0, Hex(0xe8f8ff), Hex(0x2a6ad8)));
  p.FillEllipse({6, 5.5}, 2.0, 1.3, pal::kWhite, -35);
  p.FillCircle({10.5, 10.5}, 0.9, Hex(0xb8e8ff));
  return Finish(p, Hex(0x142a60));
}

CCanvas DrawShotHit(int frame) {
  if (frame < 0 || frame > 7) throw std::runtime_error("the hit spark has frames 0 to 7");
  CPainter p(16, 16, kFine);
  const SPt c{8, 8};
  const SColor hot = Hex(0xfff4b0), ray = Hex(0xffb030);
  switch (frame) {
    case 0:
      p.FillPolygon(Star(c, 4, 4.0, 1.2), pal::kWhite);
      break;
    case 1:
      p.FillPolygon(Star(c, 4, 7.0, 1.6), hot);
      p.FillPolygon(Star(c, 4, 4.0, 1.0, 45), pal::kWhite);
      break;
    case 2:
      p.FillPolygon(Star(c, 8, 7.5, 2.4, 22.5), ray);
      p.FillCircle(c, 2.6, pal::kWhite);
      break;
    case 3:
      p.FillEllipse(c, 6.5, 6.5, Shader([=](double x, double y) {
                      return std::hypot(x - c.x, y - c.y) > 4.6 ? hot : kClear;
                    }));
      p.FillPolygon(Star(c, 4, 7.5, 1.0, 45), ray);
      break;
    default: {
      // The ring breaks into sparks that drift out and shrink.
      const double t = (frame - 4) / 3.0;
      const double r = 5.5 + t * 2.0, size = 1.5 - t * 0.7;
      for (int i = 0; i < 8; ++i) {
        if (frame == 7 && i % 2) continue;
        p.FillCircle(Polar(c, r, i * 45.0 + frame * 8), size, i % 2 ? ray : hot);
      }
      break;
    }
  }
  return Finish(p, Hex(0x5a2a10));
}

CCanvas DrawHealSparkle() {
  CPainter p(16, 16, kFine);
  const SPt c{8, 8};
  p.FillPolygon(Star(c, 4, 7.3, 2.0), Hex(0x8af08a));
  p.FillPolygon(Star(c, 4, 4.5, 1.2, 45), Hex(0xd8ffd0));
  p.FillCircle(c, 1.6, pal::kWhite);
  return Finish(p, Hex(0x14501e));
}

CCanvas DrawPoisonBubble() {
  CPainter p(16, 16, kFine);
  p.FillCircle({8.5, 8.5}, 5.6, RadialGradient({7, 7}, 7.5, Hex(0xe0a8ff), Hex(0x6a2a9a)));
  p.FillEllipse({6.8, 6.4}, 1.8, 1.1, pal::kWhite, -40);
  p.FillCircle({3.2, 3.2}, 1.6, Hex(0xa8e060));
  p.FillCircle({12.8, 13.2}, 1.1, Hex(0xa8e060));
  return Finish(p, Hex(0x2a0a40));
}

CCanvas DrawSpeedStreak(bool blue) {
  CPainter p(16, 32, kFine);
  const SColor edge = blue ? Hex(0x3a8aff) : Hex(0xff5a2a);
  const SColor body = blue ? Hex(0x9ad8ff) : Hex(0xffb060);
  p.FillPolygon({{8, 1}, {11.5, 14}, {8, 31}, {4.5, 14}}, edge);
  p.FillPolygon({{8, 3}, {10, 14}, {8, 28}, {6, 14}}, body);
  p.FillPolygon({{8, 6}, {8.9, 14}, {8, 23}, {7.1, 14}}, pal::kWhite);
  p.FillPolygon(Star({3, 24}, 4, 2.6, 0.7), body);
  p.FillPolygon(Star({13, 7}, 4, 2.6, 0.7), body);
  return Finish(p, blue ? Hex(0x0a2060) : Hex(0x601a08));
}

CCanvas DrawDigit(int digit, bool healing) {
  // A chunky 7 x 10 pixel face so numbers read at a glance.
  static const char* const glyphs[10][10] = {
      {".#####.", "##...##", "##...##", "##..###", "##.#.##", "###..##", "##...##", "##...##", "##...##", ".#####."},
      {"...##..", "..###..", ".####..", "...##..", "...##..", "...##..", "...##..", "...##..", "...##..", ".######"},
      {".#####.", "##...##", ".....##", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "#######"},
      {".#####.", "##...##", ".....##", ".....##", "..####.", ".....##", ".....##", ".....##", "##...##", ".#####."},
      {"....##.", "...###.", "..####.", ".##.##.", "##..##.", "##..##.", "#######", "....##.", "....##.", "....##."},
      {"#######", "##.....", "##.....", "######.", ".....##", ".....##", ".....##", ".....##", "##...##", ".#####."},
      {"..####.", ".##....", "##.....", "##.....", "######.", "##...##", "##...##", "##...##", "##...##", ".#####."},
      {"#######", ".....##", ".....##", "....##.", "....##.", "...##..", "...##..", "..##...", "..##...", "..##..."},
      {".#####.", "##...##", "##...##", "##...##", ".#####.", "##...##", "##...##", "##...##", "##...##", ".#####."},
      {".#####.", "##...##", "##...##", "##...##", "##...##", ".######", ".....##", ".....##", "....##.", ".####.."},
  };
  if (digit < 0 || digit > 9) throw std::runtime_error("a digit is 0 to 9, not " + std::to_string(digit));
  const SColor top = healing ? Hex(0xd8ffd0) : pal::kWhite;
  const SColor bottom = healing ? Hex(0x4ad860) : Hex(0xffd070);
  const SColor edge = healing ? Hex(0x0a3a14) : Hex(0x4a1010);
  CCanvas c(16, 16);
  const int ox = 4, oy = 3;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 7; ++x)
      if (glyphs[digit][y][x] == '#') c.Put(ox + x, oy + y, Mix(top, bottom, y / 9.0));
  AddOutline(c, edge, true);
  return c;
}

CCanvas DrawStatusText(CFontBook& fonts, const std::string& line1, const std::string& line2, SColor fill,
                       SColor edge) {
  const Shader shade = LinearGradient({0, 4}, {0, 28}, Light(fill, 0.6), fill);
  if (line2.empty()) {
    // One short word: large letters with a dark edge.
    CPainter p(32, 32, 1);
    int size = 20;
    SMask m = fonts.Render(line1, size, false, true);
    while (m.width > 29 && size > 8) m = fonts.Render(line1, --size, false, true);
    if (m.width > 29) throw std::runtime_error("the status word \"" + line1 + "\" is too wide for its 32-pixel picture");
    p.FillMask(m, std::floor((32 - m.width) / 2.0), std::floor((32 - m.height) / 2.0), shade);
    CCanvas c = p.Resolve(true);
    AddOutline(c, edge, true);
    return c;
  }
  // Two lines are too small for an edge around every stroke, so they sit on
  // a dark plate instead.
  CCanvas c(32, 32);
  const SColor border = Mix(fill, edge, 0.35);
  for (int y = 3; y < 30; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool cornerX = x == 0 || x == 31, cornerY = y == 3 || y == 29;
      if (cornerX && cornerY) continue;
      c.Put(x, y, (cornerX || cornerY) ? border : edge);
    }
  auto put = [&](const SMask& m, int left, int top, SColor col) {
    for (int y = 0; y < m.height; ++y)
      for (int x = 0; x < m.width; ++x)
        if (m.At(x, y) >= 128) c.Put(left + x, top + y, col);
  };
  const SMask a = fonts.Render(line1, 10, false, true);
  const SMask b = fonts.Render(line2, 10, false, true);
  if (a.width > 30 || b.width + 6 > 30)
    throw std::runtime_error("the status words \"" + line1 + "\" / \"" + line2 + "\" are too wide for their 32-pixel picture");
  put(a, (32 - a.width) / 2, 4, pal::kWhite);
  // The second line carries an arrow: down for a loss, up for a gain.
  const bool up = line2 == "増加";
  const int bx = (32 - b.width - 6) / 2;
  put(b, bx, 16, Light(fill, 0.3));
  const int ax = bx + b.width + 1, ay = 18;
  static const char* const arrowUp[] = {"..#..", ".###.", "#####", ".###.", ".###."};
  for (int row = 0; row < 5; ++row)
    for (int dx = 0; dx < 5; ++dx)
      if (arrowUp[up ? row : 4 - row][dx] == '#') c.Put(ax + dx, ay + row, fill);
  return c;
}

}  // namespace contentgen
