// Renders a map file with the chip sheet into one picture, to look at the
// maps as the game shows them.
#pragma once

#include "field/stage_data.h"
#include "map_csv.h"
#include "map_pixels.h"

namespace contentgen::maps {

// The three chip layers in drawing order. With a zone, its start cells are
// marked in blue and its enemies in red (the fairy in cyan).
CPixels RenderMapPreview(const SMapChips& map, const CPixels& sheet, const CZoneInfo* zone);

}  // namespace contentgen::maps
