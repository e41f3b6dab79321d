// The unit sprite sheets of dat/image/ziki: 96 x 128, three walking frames
// across and the facings up, right, down, left from top to bottom.
#pragma once

#include <string>
#include <vector>

#include "images/canvas.h"
#include "images/sprite_kit.h"

namespace contentgen {

// File names (without folder) of the 17 unit kinds, in sprite-table order.
const std::vector<std::string>& UnitSheetNames();
// One 32 x 32 frame (frame 0..2) of a unit kind; throws for an unknown name.
CCanvas DrawUnitFrame(const std::string& name, EFacing facing, int frame);
// The whole 96 x 128 sheet.
CCanvas DrawUnitSheet(const std::string& name);

}  // namespace contentgen
