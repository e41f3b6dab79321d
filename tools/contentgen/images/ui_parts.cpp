// Interface parts: range highlights, cursors, arrows, markers, status icons,
// emotion balloons, the shadow and the turn-order portal.
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "images/artwork.h"
#include "images/fonts.h"
#include "images/painter.h"
#include "images/palette.h"

namespace contentgen {

namespace {

constexpr int kFine = 4;

CCanvas Finish(const CPainter& p, SColor outline = pal::kOutline, bool diagonal = false) {
  CCanvas c = p.Resolve(true);
  AddOutline(c, outline, diagonal);
  return c;
}

std::vector<SPt> RoundedRect(double x, double y, double w, double h, double r) {
  std::vector<SPt> pts;
  const SPt corners[] = {{x + w - r, y + r}, {x + w - r, y + h - r}, {x + r, y + h - r}, {x + r, y + r}};
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i <= 6; ++i) pts.push_back(Polar(corners[k], r, k * 90.0 + i * 15.0));
  return pts;
}

// An arrow pointing up, filling a box of size w x h.
std::vector<SPt> UpArrow(double cx, double top, double w, double h, double shaftHalf, double headH) {
  return {{cx, top},
          {cx + w / 2, top + headH},
          {cx + shaftHalf, top + headH},
          {cx + shaftHalf, top + h},
          {cx - shaftHalf, top + h},
          {cx - shaftHalf, top + headH},
          {cx - w / 2, top + headH}};
}

// The popping-vein mark of anger: four bent strokes around a cross gap.
void AngerVein(CPainter& p, SPt c, double size, double width, SColor col) {
  const double g = size * 0.22;
  for (int k = 0; k < 4; ++k) {
    const double sx = (k % 2) ? 1 : -1, sy = (k / 2) ? 1 : -1;
    p.StrokePolyline(QuadBezier({c.x + sx * g, c.y + sy * size}, {c.x + sx * g * 0.6, c.y + sy * g * 0.6}, {c.x + sx * size, c.y + sy * g}, 8),
                     width, col);
  }
}

}  // namespace

CCanvas DrawRangeTile(EGridTint tint) {
  struct STint { std::uint32_t edge, light, fill; };
  const STint tints[] = {{0x1a50c8, 0x8ad0ff, 0x3a8af0},
                         {0xb88a10, 0xfff29a, 0xf0d040},
                         {0xb01a1a, 0xffa0a0, 0xf04040},
                         {0x1a8a2a, 0xa8ffa8, 0x40d060},
                         {0x6a3aa0, 0xe0c0ff, 0xa070e0}};
  const STint& t = tints[static_cast<int>(tint)];
  const bool sight = tint == EGridTint::Sight;
  CCanvas c(34, 34);
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 34; ++x) {
      const int edge = std::min(std::min(x, y), std::min(33 - x, 33 - y));
      const bool corner = (x < 2 || x > 31) && (y < 2 || y > 31);
      if (corner && edge == 0) continue;
      if (edge == 0) {
        // Watched cells get a dashed edge so they never read as moves.
        if (!sight || ((x + y) / 3) % 2 == 0) c.Put(x, y, Hex(t.edge));
      } else if (edge == 1) {
        if (!sight) c.Put(x, y, Hex(t.light));
      } else if (!sight && (x + y) % 2 == 0) {
        // Half the inside is tinted, so the ground shows through.
        c.Put(x, y, Hex(t.fill));
      } else if (sight && x % 4 == 1 && y % 4 == 1) {
        c.Put(x, y, Hex(t.light));
      }
    }
  return c;
}

CCanvas DrawCursor() {
  CPainter p(32, 32, kFine);
  const Shader gold = LinearGradient({0, 0}, {32, 32}, Hex(0xffffff), Hex(0xffd040));
  // Four corner brackets around the cell.
  for (int k = 0; k < 4; ++k) {
    const double sx = (k % 2) ? -1 : 1, sy = (k / 2) ? -1 : 1;
    const double x = (k % 2) ? 30.5 : 1.5, y = (k / 2) ? 30.5 : 1.5;
    std::vector<SPt> l{{x, y}, {x + sx * 9, y}, {x + sx * 9, y + sy * 3}, {x + sx * 3, y + sy * 3}, {x + sx * 3, y + sy * 9}, {x, y + sy * 9}};
    p.FillPolygon(l, gold);
  }
  return Finish(p);
}

CCanvas DrawCursorDown() {
  CPainter p(16, 16, kFine);
  p.FillPolygon({{2.5, 4}, {13.5, 4}, {8, 12.5}}, LinearGradient({0, 4}, {0, 12}, pal::kWhite, Hex(0xffc830)));
  p.FillPolygon({{4.5, 5}, {8, 5}, {6.2, 8}}, pal::kWhite);
  return Finish(p);
}

CCanvas DrawSmallArrow() {
  CPainter p(16, 16, kFine);
  p.FillPolygon(UpArrow(8, 1.5, 12, 13, 2.6, 6.5), LinearGradient({0, 1}, {0, 15}, Hex(0xfff4b0), Hex(0xf08a20)));
  p.FillPolygon({{8, 3}, {10.5, 6.5}, {8, 6.5}}, pal::kWhite);
  return Finish(p);
}

CCanvas DrawLargeArrow() {
  CPainter p(48, 48, kFine);
  p.FillPolygon(UpArrow(24, 3, 38, 42, 8, 19), LinearGradient({0, 3}, {0, 45}, Hex(0xfff6c0), Hex(0xe86a18)));
  // Bevel light along the left edges.
  p.FillPolygon({{24, 6}, {9, 20}, {13, 20}, {24, 10}}, Hex(0xffffff));
  p.FillRect(17, 22, 3, 20, Hex(0xffe8a0));
  p.FillRect(28, 22, 3, 20, Hex(0xd05a10));
  return Finish(p, Hex(0x3a1808));
}

CCanvas DrawHand() {
  CPainter p(30, 32, kFine);
  const SColor glove = Hex(0xfcfcf4), shade = Hex(0xc8c8d8), cuff = Hex(0x4a7ad0);
  // A gloved hand pointing right with the index finger.
  p.FillPolygon(RoundedRect(4, 11, 14, 13, 3.5), glove);
  p.FillPolygon(RoundedRect(14, 11, 14, 4.6, 2.3), glove);  // index finger
  p.FillPolygon(RoundedRect(9, 6.5, 6, 7, 2.5), glove);       // thumb
  for (int i = 0; i < 3; ++i) {
    p.FillPolygon(RoundedRect(13, 15.5 + i * 3, 6.5, 3.4, 1.6), glove);
    p.StrokeLine({14, 18.7 + i * 3}, {18.8, 18.7 + i * 3}, 0.7, shade);
  }
  p.StrokeLine({15, 15.2}, {27, 15.2}, 0.7, shade);
  p.FillPolygon(RoundedRect(1, 12, 5, 11, 1.5), cuff);
  p.FillRect(2, 12.5, 1.2, 10, Hex(0x8ab0f0));
  return Finish(p);
}

CCanvas DrawCoins() {
  CPainter p(32, 32, kFine);
  const SColor rim = Hex(0xc88a18), face = Hex(0xffd040), hi = Hex(0xfff4b0);
  auto coin = [&](double cx, double cy) {
    p.FillEllipse({cx, cy + 1.6}, 8, 3.2, rim);
    p.FillRect(cx - 8, cy, 16, 1.6, rim);
    p.FillEllipse({cx, cy}, 8, 3.2, face);
    p.FillEllipse({cx, cy}, 5.5, 2.0, Shader([=](double x, double y) {
                    const double nx = (x - cx) / 5.5, ny = (y - cy) / 2.0;
                    return nx * nx + ny * ny > 0.55 ? hi : face;
                  }));
  };
  // A stack of coins and one standing up against it.
  for (int i = 0; i < 4; ++i) coin(12, 26 - i * 3.2);
  p.FillEllipse({23, 17}, 6.5, 8.5, rim);
  p.FillEllipse({22.2, 17}, 6.0, 8.0, RadialGradient({20.5, 14}, 9, hi, face));
  p.FillEllipse({22.2, 17}, 3.6, 5.2, face);
  p.StrokeLine({22.2, 13.5}, {22.2, 20.5}, 1.4, rim);
  p.FillPolygon({{4, 5}, {5, 8}, {8, 9}, {5, 10}, {4, 13}, {3, 10}, {0.5, 9}, {3, 8}}, pal::kWhite);
  return Finish(p);
}

CCanvas DrawShadow() {
  // Under the feet: the bottom of the unit's cell.
  CPainter p(32, 32, kFine);
  p.FillEllipse({16, 27}, 9.5, 3.6, Hex(0x28203a));
  return p.Resolve(true);
}

CCanvas DrawPortal(int frame) {
  if (frame < 0 || frame > 2) throw std::runtime_error("the portal has frames 0 to 2");
  CPainter p(32, 32, kFine);
  const SPt c{16, 23};
  const double grow = frame * 0.8;
  const SColor outer = Hex(0x3a8aff), inner = Hex(0xa8f0ff);
  p.FillEllipse(c, 13 + grow * 0.5, 6 + grow * 0.3, Shader([=](double x, double y) {
                  const double nx = (x - c.x) / (13 + grow * 0.5), ny = (y - c.y) / (6 + grow * 0.3);
                  const double d = nx * nx + ny * ny;
                  if (d > 0.72) return outer;
                  if (d > 0.5) return inner;
                  return d > 0.2 ? Hex(0x5ab0ff) : Hex(0xd8f8ff);
                }));
  // Motes rising out of it, higher on each frame.
  const double xs[] = {8, 13, 19, 24};
  for (int i = 0; i < 4; ++i) {
    const double y = 18 - ((frame * 5 + i * 7) % 15);
    p.FillPolygon({{xs[i], y - 2.2}, {xs[i] + 1, y}, {xs[i], y + 2.2}, {xs[i] - 1, y}}, i % 2 ? inner : pal::kWhite);
  }
  return Finish(p, Hex(0x102a60));
}

CCanvas DrawStateIcon(const std::string& state) {
  const bool good = state == "fast" || state == "move_up" || state == "concentrate";
  SColor top = good ? Hex(0xffb040) : Hex(0x4a7ae0), bottom = good ? Hex(0xc8501a) : Hex(0x1a3a9a);
  if (state == "poison") top = Hex(0xb060e0), bottom = Hex(0x4a1a7a);
  if (state == "provocation") top = Hex(0xff6060), bottom = Hex(0x9a1a1a);
  if (state == "concentrate") top = Hex(0x50e0c0), bottom = Hex(0x107a6a);
  CPainter p(24, 24, kFine);
  p.FillPolygon(RoundedRect(1, 1, 22, 22, 4), LinearGradient({0, 1}, {0, 23}, top, bottom));
  p.FillPolygon(RoundedRect(2.5, 2.5, 19, 8, 3), WithAlpha(pal::kWhite, 70));
  const SColor w = pal::kWhite, ink = Hex(0x1a1430);
  auto arrow = [&](double cx, double cy, bool up, SColor col) {
    const double s = up ? -1 : 1;
    p.FillPolygon({{cx, cy + s * 4.5}, {cx + 4, cy + s * 0.5}, {cx + 1.6, cy + s * 0.5}, {cx + 1.6, cy - s * 4},
                   {cx - 1.6, cy - s * 4}, {cx - 1.6, cy + s * 0.5}, {cx - 4, cy + s * 0.5}},
                  col);
  };
  if (state == "poison") {
    // A drop of venom with bubbles.
    p.FillPolygon(Join(QuadBezier({12, 4}, {17.5, 11}, {16.5, 15}), QuadBezier({16.5, 15}, {12, 21.5}, {7.5, 15})), Hex(0x9af050));
    p.FillPolygon(QuadBezier({7.5, 15}, {6.5, 11}, {12, 4}), Hex(0x9af050));
    p.FillEllipse({10.3, 13.5}, 1.3, 2.2, w, 20);
    p.FillCircle({18.5, 6}, 1.4, Hex(0xd8ffb0));
  } else if (state == "slow" || state == "fast") {
    p.FillCircle({11, 12}, 7, w);
    p.FillCircle({11, 12}, 5.6, Hex(0xe8ecf8));
    p.StrokeLine({11, 12}, {11, 7.5}, 1.4, ink);
    p.StrokeLine({11, 12}, {14, 13.5}, 1.4, ink);
    arrow(18.5, 16, state == "fast", state == "fast" ? Hex(0xfff070) : Hex(0x9ae0ff));
  } else if (state == "move_down" || state == "move_up") {
    // A boot.
    p.FillPolygon({{6, 4}, {12, 4}, {12, 13}, {17, 15}, {17, 19}, {6, 19}}, w);
    p.FillRect(6, 4, 6, 2.2, Hex(0xc8c8e0));
    p.FillRect(6, 17, 11, 2, Hex(0xa8a8c8));
    arrow(18.5, 8.5, state == "move_up", state == "move_up" ? Hex(0xfff070) : Hex(0x9ae0ff));
  } else if (state == "provocation") {
    AngerVein(p, {12, 12}, 7.0, 2.2, w);
  } else if (state == "concentrate") {
    // A target sight.
    p.FillEllipse({12, 12}, 7.5, 7.5, Shader([](double x, double y) {
                    const double d = std::hypot(x - 12, y - 12);
                    return (d > 5.8 || (d < 3.6 && d > 2.2)) ? pal::kWhite : kClear;
                  }));
    p.FillRect(11.2, 2.5, 1.6, 6, w);
    p.FillRect(11.2, 15.5, 1.6, 6, w);
    p.FillRect(2.5, 11.2, 6, 1.6, w);
    p.FillRect(15.5, 11.2, 6, 1.6, w);
    p.FillCircle({12, 12}, 1.2, Hex(0xff4040));
  } else {
    throw std::runtime_error("no status icon is drawn for \"" + state + "\"");
  }
  return Finish(p);
}

CCanvas DrawEmotionSheet(CFontBook& fonts) {
  CCanvas sheet(128, 64);
  for (int i = 0; i < 8; ++i) {
    CPainter p(32, 32, kFine);
    // A speech balloon with its tail toward the unit below.
    const SColor paper = Hex(0xfffdf4);
    p.FillPolygon(RoundedRect(2.5, 2.5, 27, 21, 8), paper);
    p.FillPolygon({{12, 22}, {19, 22}, {13, 29}}, paper);
    const SPt c{16, 13};
    STextStyle mark;
    mark.bold = true;
    switch (i) {
      case 0:  // surprise
        p.FillPolygon({{14, 5}, {18.5, 5}, {17.3, 15.5}, {15.2, 15.5}}, Hex(0xe83030));
        p.FillCircle({16.2, 19}, 2.0, Hex(0xe83030));
        break;
      case 1:  // question
        mark.size = 18;
        mark.fill = Hex(0x2a6ae0);
        DrawText(p, fonts, "?", c.x, c.y + 0.5, mark);
        break;
      case 2:  // silence
        for (int k = 0; k < 3; ++k) p.FillCircle({9.5 + k * 6.5, 14}, 1.9, Hex(0x403850));
        break;
      case 3:  // anger
        AngerVein(p, c, 7.5, 2.4, Hex(0xe02828));
        break;
      case 4:  // pleased
        p.FillPolygon(Join(CubicBezier({16, 20.5}, {4, 12}, {9, 3}, {16, 8.5}), CubicBezier({16, 8.5}, {23, 3}, {28, 12}, {16, 20.5})),
                      Hex(0xf04a7a));
        p.FillEllipse({11.5, 9.5}, 1.6, 1.1, pal::kWhite, -30);
        break;
      case 5:  // sweat
        p.FillPolygon(Join(QuadBezier({16, 4}, {22, 13}, {20, 17}), QuadBezier({20, 17}, {16, 22}, {12, 17})), Hex(0x4ab0f0));
        p.FillPolygon(QuadBezier({12, 17}, {10, 13}, {16, 4}), Hex(0x4ab0f0));
        p.FillEllipse({14.2, 14}, 1.1, 2.2, pal::kWhite, 20);
        break;
      case 6:  // musical note
        p.FillEllipse({12, 18}, 3.6, 2.7, Hex(0x30a050), -20);
        p.FillRect(14.4, 6, 1.8, 12, Hex(0x30a050));
        p.FillPolygon({{14.4, 5}, {22, 8}, {22, 11.5}, {16.2, 9}}, Hex(0x30a050));
        p.FillEllipse({22, 16}, 2.4, 1.9, Hex(0x30a050), -20);
        p.FillRect(23, 9.5, 1.3, 6.5, Hex(0x30a050));
        break;
      default: {  // spare: an idea
        p.FillCircle({16, 11}, 5.5, Hex(0xffe050));
        p.FillRect(13.5, 15.5, 5, 4, Hex(0xa8a8b8));
        p.FillEllipse({14, 9}, 1.4, 2.0, pal::kWhite, 30);
        break;
      }
    }
    CCanvas cell = p.Resolve(true);
    AddOutline(cell, pal::kOutline);
    sheet.Stamp(cell, (i % 4) * 32, (i / 4) * 32);
  }
  return sheet;
}

}  // namespace contentgen
