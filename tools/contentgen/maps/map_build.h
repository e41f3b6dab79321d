// Turns a map layout into the chip layers and terrain layer of a map file.
#pragma once

#include "map_chip_sheet.h"
#include "map_csv.h"
#include "map_layout.h"

namespace contentgen::maps {

// Layer 0 is the ground with its edges and corners picked from the
// neighbouring cells, layer 1 what lies on the ground, layer 2 what rises
// above grid lines and range highlights (tree tops, parapets, pillars).
// Every chip of a cell carries the marker of the cell's terrain.
SMapChips BuildMapChips(const SMapLayout& layout, const CChipSheet& sheet);

}  // namespace contentgen::maps
