#include "map_build.h"

namespace contentgen::maps {

namespace {

class CBuilder {
 public:
  CBuilder(const SMapLayout& layout_, const CChipSheet& sheet_)
      : layout(layout_),
        sheet(sheet_),
        map(layout_.width * 2, layout_.height * 2),
        ornamented(static_cast<size_t>(layout_.width * layout_.height), 0) {}

  SMapChips Build() {
    for (int y = 0; y < layout.height; ++y)
      for (int x = 0; x < layout.width; ++x) {
        Ground(x, y);
        Decoration(x, y);
        const int marker = TerrainMarkerChip(layout.At(x, y).terrain);
        for (int q = 0; q < 4; ++q) map.Terrain(2 * x + (q & 1), 2 * y + (q >> 1)) = marker;
      }
    return map;
  }

 private:
  const SMapLayout& layout;
  const CChipSheet& sheet;
  SMapChips map;
  std::vector<char> ornamented;

  int Random(int x, int y, int salt) const { return static_cast<int>(Hash(layout.stage, x, y, salt) % 1000); }
  EGround GroundAt(int x, int y) const { return layout.At(x, y).ground; }
  // Beyond the map edge every ground simply carries on.
  bool Same(int x, int y, EGround ground) const { return !layout.Inside(x, y) || GroundAt(x, y) == ground; }
  bool ShowsFace(int x, int y) const {
    return layout.Inside(x, y + 1) && GroundAt(x, y + 1) != GroundAt(x, y);
  }
  void Put(int layer, int x, int y, int quarter, int chip) {
    map.Layer(layer, 2 * x + (quarter & 1), 2 * y + (quarter >> 1)) = chip;
  }
  int Get(int layer, int x, int y, int quarter) const {
    return map.Layer(layer, 2 * x + (quarter & 1), 2 * y + (quarter >> 1));
  }

  EEdgeShape ShapeOf(int x, int y, int quarter, EGround ground) const {
    const int dx = (quarter & 1) ? 1 : -1, dy = (quarter >> 1) ? 1 : -1;
    return EdgeShapeOf(Same(x, y + dy, ground), Same(x + dx, y, ground), Same(x + dx, y + dy, ground));
  }

  void Ground(int x, int y) {
    const EGround ground = GroundAt(x, y);
    if (CChipSheet::IsPlainGround(ground)) {
      const int variant = Random(x, y, 1) % 4;
      for (int q = 0; q < 4; ++q) Put(0, x, y, q, sheet.PlainChip(ground, variant, q));
      return;
    }
    if (!CChipSheet::IsWallGround(ground)) {
      for (int q = 0; q < 4; ++q) Put(0, x, y, q, sheet.EdgeChip(ground, ShapeOf(x, y, q, ground), q));
      return;
    }
    if (!ShowsFace(x, y)) {
      // The top of a wall that goes on southwards: its lower half only meets
      // the cells beside it.
      for (int q = 0; q < 4; ++q) {
        EEdgeShape shape = ShapeOf(x, y, q, ground);
        if (q >= 2) shape = EdgeShapeOf(true, Same(x + ((q & 1) ? 1 : -1), y, ground), true);
        Put(0, x, y, q, sheet.WallTopChip(ground, shape, q));
      }
      return;
    }
    const bool northOpen = !Same(x, y - 1, ground);
    for (int q = 0; q < 4; ++q) {
      const int nx = x + ((q & 1) ? 1 : -1);
      EFaceSide side = EFaceSide::CONTINUES;
      if (layout.Inside(nx, y)) {
        if (GroundAt(nx, y) != ground) side = EFaceSide::ENDS;
        else if (!ShowsFace(nx, y)) side = EFaceSide::MEETS_WALL;
      }
      Put(0, x, y, q, sheet.WallFaceChip(ground, northOpen, side, q));
    }
    Ornament(x, y, ground);
  }

  // Torches and banners on castle walls, vines on cliffs: only on a face
  // that runs on at both sides, and never on two cells side by side.
  void Ornament(int x, int y, EGround ground) {
    if (ground == EGround::CASTLE_WALL)
      for (int q = 0; q < 2; ++q) Put(2, x, y, q, sheet.ParapetChip(ground, q));
    const std::vector<int>& ornaments = sheet.WallOrnaments(ground);
    if (ornaments.empty()) return;
    for (int dx : {-1, 1})
      if (!layout.Inside(x + dx, y) || GroundAt(x + dx, y) != ground || !ShowsFace(x + dx, y)) return;
    if (x > 0 && ornamented[static_cast<size_t>(y * layout.width + x - 1)]) return;
    const int rate = ground == EGround::CASTLE_WALL ? 450 : 300;
    if (Random(x, y, 2) >= rate) return;
    ornamented[static_cast<size_t>(y * layout.width + x)] = 1;
    const int tile = ornaments[static_cast<size_t>(Random(x, y, 3)) % ornaments.size()];
    for (int q = 0; q < 4; ++q) {
      const int chip = QuarterChip(tile, q);
      if (!sheet.IsChipEmpty(chip)) Put(1, x, y, q, chip);
    }
  }

  int BridgeRun(int x, int y, int dx, int dy) const {
    int run = 1;
    for (int s : {-1, 1})
      for (int k = 1;; ++k) {
        const int nx = x + dx * k * s, ny = y + dy * k * s;
        if (!layout.Inside(nx, ny) || layout.At(nx, ny).decoration != EDecoration::BRIDGE) break;
        ++run;
      }
    return run;
  }

  bool WalkableLand(int x, int y) const {
    if (!layout.Inside(x, y)) return false;
    const STileKind& kind = layout.At(x, y);
    return kind.decoration != EDecoration::BRIDGE && IsEnterable(kind.terrain, false);
  }

  // A bridge runs east-west when its row of bridge cells is the longer, or,
  // for a single cell, when land lies to its east or west.
  bool BridgeRunsEastWest(int x, int y) const {
    const int across = BridgeRun(x, y, 1, 0), down = BridgeRun(x, y, 0, 1);
    if (across != down) return across > down;
    return WalkableLand(x - 1, y) || WalkableLand(x + 1, y);
  }

  void Decoration(int x, int y) {
    const STileKind& kind = layout.At(x, y);
    if (kind.decoration != EDecoration::NONE) {
      const bool eastWest = kind.decoration == EDecoration::BRIDGE && BridgeRunsEastWest(x, y);
      const SDecorationChips chips = sheet.Decoration(kind.decoration, kind.ground, Random(x, y, 4), eastWest);
      for (int q = 0; q < 4; ++q) {
        if (chips.layer1[static_cast<size_t>(q)] != NO_CHIP) Put(1, x, y, q, chips.layer1[static_cast<size_t>(q)]);
        if (chips.layer2[static_cast<size_t>(q)] != NO_CHIP) Put(2, x, y, q, chips.layer2[static_cast<size_t>(q)]);
      }
      return;
    }
    // A few pebbles, flowers and lily pads so that open ground is not bare.
    const std::vector<int>& sprinkles = sheet.Sprinkles(kind.ground);
    if (sprinkles.empty()) return;
    const int rate = kind.ground == EGround::WATER ? 90 : 55;
    for (int q = 0; q < 4; ++q) {
      if (Get(1, x, y, q) != NO_CHIP || Random(x, y, 10 + q) >= rate) continue;
      if (!CChipSheet::IsPlainGround(kind.ground) && ShapeOf(x, y, q, kind.ground) != EEdgeShape::FULL) continue;
      Put(1, x, y, q, sprinkles[static_cast<size_t>(Random(x, y, 20 + q)) % sprinkles.size()]);
    }
  }
};

}  // namespace

SMapChips BuildMapChips(const SMapLayout& layout, const CChipSheet& sheet) { return CBuilder(layout, sheet).Build(); }

}  // namespace contentgen::maps
