#include <string>

#include "contentgen.h"
#include "field/stage_data.h"
#include "map_build.h"
#include "map_check.h"
#include "map_chip_sheet.h"
#include "map_csv.h"
#include "map_layout.h"
#include "map_text.h"

namespace contentgen {

void GenerateMaps(const std::filesystem::path& contentDir, const std::filesystem::path& outDir) {
  const maps::CChipSheet sheet;
  // Check every layout before writing anything, so that a refused layout
  // never leaves half of the maps rewritten.
  std::vector<maps::SMapChips> built;
  for (int stage = 0; stage < STAGE_COUNT; ++stage) {
    const maps::SMapLayout layout =
        maps::LoadMapLayout(contentDir / "maps" / maps::Printf("map%02d.txt", stage), stage);
    maps::CheckStagePlacement(stage, layout.width, layout.height, layout.Terrain(), GetStageData(stage));
    built.push_back(maps::BuildMapChips(layout, sheet));
  }
  sheet.Pixels().SavePng(outDir / "image" / "mapchip" / "mapchip.png");
  for (int stage = 0; stage < STAGE_COUNT; ++stage)
    maps::WriteMapCsv(built[static_cast<size_t>(stage)], outDir / "map" / maps::Printf("map%02d.csv", stage));
}

}  // namespace contentgen
