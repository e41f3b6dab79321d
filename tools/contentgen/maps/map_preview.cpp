#include "map_preview.h"

#include <cmath>

#include "map_chip_sheet.h"

namespace contentgen::maps {

CPixels RenderMapPreview(const SMapChips& map, const CPixels& sheet, const CZoneInfo* zone) {
  CPixels out(map.chipWidth * CHIP_SIZE, map.chipHeight * CHIP_SIZE, SRgb{0, 0, 0});
  for (int layer = 0; layer < 3; ++layer)
    for (int row = 0; row < map.chipHeight; ++row)
      for (int column = 0; column < map.chipWidth; ++column) {
        const int chip = map.Layer(layer, column, row);
        if (chip == NO_CHIP || chip < 0 || chip >= SHEET_COLUMNS * SHEET_ROWS) continue;
        out.Blit(sheet, (chip % SHEET_COLUMNS) * CHIP_SIZE, (chip / SHEET_COLUMNS) * CHIP_SIZE, CHIP_SIZE, CHIP_SIZE,
                 column * CHIP_SIZE, row * CHIP_SIZE, true);
      }
  if (zone == nullptr) return out;
  auto mark = [&](SPoint grid, SRgb colour) {
    const double cx = grid.x * 32 + 16, cy = grid.y * 32 + 16;
    for (int y = -9; y <= 9; ++y)
      for (int x = -9; x <= 9; ++x) {
        const int d = std::abs(x) + std::abs(y);
        if (d > 9) continue;
        out.Set(static_cast<int>(cx) + x, static_cast<int>(cy) + y, d >= 8 ? SRgb{0, 0, 0} : colour);
      }
  };
  for (const CStartInfo& start : zone->starts) mark(start.grid, SRgb{60, 110, 250});
  for (const CEnemyInfo& enemy : zone->enemies)
    mark(enemy.grid, IsFlyingCharactor(enemy.charactor) ? SRgb{80, 230, 230} : SRgb{230, 50, 50});
  return out;
}

}  // namespace contentgen::maps
