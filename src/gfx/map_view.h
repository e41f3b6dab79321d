// What an actor on the battle map needs of the battle: the camera that turns
// map pixels into screen pixels, and the draw queue its records go to.
#pragma once

#include "core/geometry.h"
#include "gfx/draw_queue.h"

class CMapView {
 public:
  virtual ~CMapView() = default;
  // The map position shown at the screen centre (320, 240).
  virtual SPointD GetCameraPosition() const = 0;
  virtual CDrawDataQueue& GetDrawQueue() = 0;

 protected:
  CMapView() = default;
  CMapView(const CMapView&) = default;
  CMapView& operator=(const CMapView&) = default;
};
