// Weapon sprites. The game centres each one `reach` pixels in front of the
// attacker and turns it with the attacker, so every picture shows an attacker
// facing up: its centre lies below the picture's centre and the blade swings
// from its left to its right across the cell in front.
#include <cmath>
#include <stdexcept>
#include <vector>

#include "images/artwork.h"
#include "images/painter.h"
#include "images/palette.h"

namespace contentgen {

namespace {

constexpr int kFine = 4;

struct SBlade {
  double grip;       // length behind the hand
  double guardHalf;  // half width of the cross guard
  double length;     // blade length from the guard
  double half;       // half width of the blade
  SColor steel, guard, handle;
};

// The arc a blade leaves behind: a band from angle a0 to a1 around the
// pivot, thin at its tail and widest at the blade, brightest on its rim.
void Swoosh(CPainter& p, SPt pivot, double radius, double a0, double a1, double width, SColor outer, SColor inner) {
  if (a1 == a0) return;
  const int steps = 32;
  auto band = [&](double w, double inset) {
    std::vector<SPt> pts;
    for (int i = 0; i <= steps; ++i) pts.push_back(Polar(pivot, radius - inset, a0 + (a1 - a0) * i / steps));
    for (int i = steps; i >= 0; --i) {
      const double t = double(i) / steps;
      pts.push_back(Polar(pivot, radius - inset - w * std::sqrt(t), a0 + (a1 - a0) * i / steps));
    }
    return pts;
  };
  p.FillPolygon(band(width, 0), outer);
  p.FillPolygon(band(width * 0.3, 0.6), inner);
}

void PaintBlade(CPainter& p, SPt hand, double angle, const SBlade& b) {
  auto at = [&](double d, double across = 0) { return Polar(Polar(hand, d, angle), across, angle + 90); };
  const SRamp steel = MakeRamp(b.steel), guard = MakeRamp(b.guard), handle = MakeRamp(b.handle);
  p.StrokeLine(at(-b.grip), at(0), 2.4, handle.base);
  p.FillCircle(at(-b.grip - 1), 1.8, guard.mid);
  const double tip = b.length + b.half * 1.8;
  // Two halves of the blade catch the light differently.
  p.FillPolygon({at(1.5, 0), at(1.5, -b.half), at(b.length, -b.half), at(tip, 0)}, steel.hi);
  p.FillPolygon({at(1.5, 0), at(tip, 0), at(b.length, b.half), at(1.5, b.half)}, steel.mid);
  p.StrokeLine(at(3, 0), at(b.length - 1, 0), std::max(0.8, b.half * 0.35), steel.base);
  p.FillPolygon({at(0, -b.guardHalf), at(2, -b.guardHalf - 0.5), at(2.2, b.guardHalf + 0.5), at(0, b.guardHalf)},
                guard.base);
  p.FillCircle(at(1, 0), 1.2, Hex(0x3aa0e0));
}

CCanvas Finish(const CPainter& p) {
  CCanvas c = p.Resolve(true);
  AddOutline(c, pal::kOutline);
  return c;
}

struct SSwingPose {
  double angle;
  double trailFrom;  // equal to angle when there is no trail
  double trailWidth;
};

CCanvas PaintSwing(int w, int h, SPt pivot, const SBlade& blade, const SSwingPose& pose) {
  CPainter p(w, h, kFine);
  const double reachTip = blade.length + blade.half * 1.8;
  Swoosh(p, pivot, reachTip + 0.5, pose.trailFrom, pose.angle, pose.trailWidth, Hex(0xbfe4ff), Hex(0xffffff));
  PaintBlade(p, pivot, pose.angle, blade);
  return Finish(p);
}

CCanvas PaintSpear(int pattern) {
  CPainter p(96, 64, kFine);
  // Tip height per pattern: ready, drawn back, thrust, recovering.
  const double tips[] = {30, 38, 5, 14};
  const double tipY = tips[pattern];
  const double x = 48.5;
  const SRamp wood = MakeRamp(Hex(0x9a6a34)), steel = MakeRamp(Hex(0xd0d8e4));
  if (pattern == 2) {
    // Speed lines along the thrust and a flash at the point.
    for (int i = -2; i <= 2; ++i) {
      if (i == 0) continue;
      const double lx = x + i * 3.5, top = tipY + 8 + std::abs(i) * 4;
      p.StrokeLine({lx, top}, {lx, top + 22 - std::abs(i) * 5}, 1.1, Hex(0xdff0ff));
    }
    std::vector<SPt> flash;
    for (int i = 0; i < 16; ++i) flash.push_back(Polar({x, tipY + 1}, i % 2 ? 2.0 : (i % 4 ? 5.0 : 8.0), i * 22.5));
    p.FillPolygon(flash, Hex(0xffffff));
  }
  p.StrokeLine({x, tipY + 10}, {x, 66}, 2.6, wood.base);
  p.StrokeLine({x - 0.7, tipY + 10}, {x - 0.7, 66}, 0.8, wood.hi);
  // Red tassel under the head.
  p.FillPolygon({{x - 2.5, tipY + 9}, {x + 2.5, tipY + 9}, {x + 3.5, tipY + 15}, {x, tipY + 13}, {x - 3.5, tipY + 15}},
                Hex(0xd03a3a));
  p.FillPolygon({{x, tipY}, {x - 3.5, tipY + 6}, {x - 1.5, tipY + 10}, {x, tipY + 10}}, steel.hi);
  p.FillPolygon({{x, tipY}, {x, tipY + 10}, {x + 1.5, tipY + 10}, {x + 3.5, tipY + 6}}, steel.mid);
  p.FillRect(x - 2.5, tipY + 9.5, 5, 1.5, MakeRamp(pal::kGold).base);
  return Finish(p);
}

}  // namespace

CCanvas DrawSwing(const std::string& kind, int pattern) {
  if (kind == "spier") {
    if (pattern < 0 || pattern > 3) throw std::runtime_error("the spear has patterns 0 to 3");
    return PaintSpear(pattern);
  }
  if (kind == "knife") {
    static const SSwingPose poses[] = {{-35, -35, 0}, {-70, -70, 0}, {35, -65, 6}, {10, 10, 0}};
    if (pattern < 0 || pattern > 3) throw std::runtime_error("the knife has patterns 0 to 3");
    const SBlade b{4, 3, 11, 1.6, Hex(0xd8e0e8), Hex(0x8a6a3a), Hex(0x5a3a20)};
    return PaintSwing(96, 64, {51, 45}, b, poses[pattern]);
  }
  if (kind == "long_sword") {
    static const SSwingPose poses[] = {{-110, -110, 0}, {-72, -72, 0}, {-12, -80, 9}, {72, -66, 14}};
    if (pattern < 0 || pattern > 3) throw std::runtime_error("the long sword has patterns 0 to 3");
    const SBlade b{5, 4.5, 22, 2.0, Hex(0xd8e0ea), pal::kGold, Hex(0x6a3a20)};
    return PaintSwing(96, 64, {50, 50}, b, poses[pattern]);
  }
  if (kind == "large_sword") {
    static const SSwingPose poses[] = {
        {-98, -98, 0}, {-68, -68, 0}, {-25, -92, 12}, {48, -100, 18}, {104, 30, 8}};
    if (pattern < 0 || pattern > 4) throw std::runtime_error("the large sword has patterns 0 to 4");
    const SBlade b{6, 6.5, 27, 3.4, Hex(0xc8d2dc), Hex(0xc89a30), Hex(0x4a2a18)};
    return PaintSwing(96, 64, {50, 52}, b, poses[pattern]);
  }
  throw std::runtime_error("no weapon swing is drawn for \"" + kind + "\"");
}

CCanvas DrawRod(int pattern) {
  if (pattern < 0 || pattern > 3) throw std::runtime_error("the rod has patterns 0 to 3");
  // Hand position and lean per pattern: ready, raised, casting, after-glow.
  const SPt hands[] = {{55, 58}, {53, 50}, {50, 47}, {51, 50}};
  const double angles[] = {18, -14, 0, 6};
  CPainter p(96, 96, kFine);
  const SPt hand = hands[pattern];
  const double angle = angles[pattern];
  auto at = [&](double d, double across = 0) { return Polar(Polar(hand, d, angle), across, angle + 90); };
  const SPt orb = at(24);
  const SColor glow = Hex(0xfff2a8), magic = Hex(0x9ad8ff);
  if (pattern == 2) {
    // The casting flash: a ring of light with a star inside.
    CPainter ring(96, 96, kFine);
    ring.FillEllipse(orb, 17, 17, Shader([=](double x, double y) {
                       const double d = std::hypot(x - orb.x, y - orb.y);
                       return (d > 15.5 || (d > 12.5 && d < 13.8)) ? magic : kClear;
                     }));
    for (int i = 0; i < 8; ++i) {
      const SPt q = Polar(orb, 14.5, i * 45.0);
      ring.FillCircle(q, 1.6, pal::kWhite);
    }
    std::vector<SPt> star;
    for (int i = 0; i < 10; ++i) star.push_back(Polar(orb, i % 2 ? 4.0 : 11.0, i * 36.0));
    ring.FillPolygon(star, glow);
    p.DrawLayer(ring);
  }
  if (pattern == 3) {
    for (int i = 0; i < 6; ++i) {
      const SPt q = Polar(orb, 9.0 + (i % 2) * 5, 20 + i * 60.0);
      p.FillPolygon({{q.x, q.y - 2.5}, {q.x + 1, q.y}, {q.x, q.y + 2.5}, {q.x - 1, q.y}}, i % 2 ? magic : glow);
    }
  }
  const SRamp wood = MakeRamp(Hex(0x7a4a8a)), gold = MakeRamp(pal::kGold);
  p.StrokeLine(at(-4), at(20), 2.6, wood.base);
  p.StrokeLine(at(-4, -0.6), at(20, -0.6), 0.8, wood.hi);
  // Gold claws holding the orb.
  p.FillPolygon({at(19, -1.5), at(21, -5), at(25, -5.5), at(22, -3), at(21, 0)}, gold.base);
  p.FillPolygon({at(19, 1.5), at(21, 5), at(25, 5.5), at(22, 3), at(21, 0)}, gold.mid);
  const double orbR = pattern == 2 ? 5.0 : 4.2;
  if (pattern >= 2) p.FillCircle(orb, orbR + 2, WithAlpha(glow, 255));
  p.FillCircle(orb, orbR, RadialGradient({orb.x - 1.5, orb.y - 1.5}, orbR * 1.6, Hex(0xffffff), Hex(0x3a78e0)));
  p.FillCircle({orb.x - 1.5, orb.y - 1.5}, 1.1, pal::kWhite);
  return Finish(p);
}

CCanvas DrawBow() {
  CPainter p(24, 24, kFine);
  const SRamp wood = MakeRamp(Hex(0x9a5e2a));
  // Held across the shot: limbs left and right, drawn string toward the archer.
  const SPt l{2.5, 15.5}, r{21.5, 15.5}, draw{12, 21};
  p.StrokeLine(l, draw, 0.7, Hex(0xf0ece0));
  p.StrokeLine(r, draw, 0.7, Hex(0xf0ece0));
  // Nocked arrow.
  p.StrokeLine({12, 21.5}, {12, 4.5}, 1.0, Hex(0xc8a070));
  p.FillPolygon({{12, 1.5}, {14, 5.5}, {10, 5.5}}, Hex(0xd8e0e8));
  p.StrokeTapered(QuadBezier(l, {12, 1.0}, r, 16), 2.6, 2.6, wood.base);
  p.StrokeTapered(QuadBezier({l.x + 0.3, l.y - 0.6}, {12, 0.6}, {r.x - 0.3, r.y - 0.6}, 16), 0.9, 0.9, wood.hi);
  p.FillRect(10.5, 7.0, 3, 2.5, Hex(0x5a3020));
  return Finish(p);
}

CCanvas DrawArrow() {
  CPainter p(32, 32, kFine);
  const double x = 16;
  p.StrokeLine({x, 7}, {x, 28}, 1.6, Hex(0xc8a070));
  p.StrokeLine({x - 0.4, 7}, {x - 0.4, 28}, 0.5, Hex(0xe8d0a8));
  p.FillPolygon({{x, 1.5}, {x + 3, 8}, {x, 7}, {x - 3, 8}}, Hex(0xd8e0ea));
  p.FillPolygon({{x, 1.5}, {x, 7}, {x + 3, 8}}, Hex(0x9aa4b4));
  for (int side : {-1, 1}) {
    p.FillPolygon({{x, 22}, {x + side * 3.5, 25}, {x + side * 3.5, 30}, {x, 27.5}}, side < 0 ? Hex(0xe84a3a) : Hex(0xb8302a));
  }
  p.FillRect(x - 1, 29, 2, 1.5, Hex(0x8a6040));
  return Finish(p);
}

}  // namespace contentgen
