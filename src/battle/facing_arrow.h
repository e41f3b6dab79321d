// The arrow that shows which way a unit standing by will face: 24 pixels
// out from the unit, pointing away from it.
#pragma once

#include "gfx/draw_data.h"

class CUnit;

class CFacingArrow {
 public:
  CFacingArrow();
  // Draws at once (not queued), over the map.
  void Draw(const CUnit& unit);

 private:
  SDrawData arrow;
};
