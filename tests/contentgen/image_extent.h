// Where a picture's covered pixels lie: its bounding box and centre.
#pragma once

#include <algorithm>

#include "images/canvas.h"

namespace contentgen {

struct SExtent {
  int top = 1 << 20, bottom = -1, left = 1 << 20, right = -1, count = 0;
  double cx = 0, cy = 0;
};

inline SExtent Extent(const CCanvas& c) {
  SExtent e;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (!c.Covered(x, y)) continue;
      e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
      e.left = std::min(e.left, x), e.right = std::max(e.right, x);
      e.cx += x, e.cy += y, ++e.count;
    }
  if (e.count) e.cx /= e.count, e.cy /= e.count;
  return e;
}

}  // namespace contentgen
