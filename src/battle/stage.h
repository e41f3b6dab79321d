// The battle scene, as much of it as the map actors need: the camera and
// the draw queue their records go into.
#pragma once

#include <vector>

#include "core/geometry.h"
#include "gfx/draw_queue.h"

class CGeographicalFeatures;
class CUnit;

class CStage {
 public:
  virtual ~CStage() = default;

  // Map position shown at the screen centre (320, 240).
  virtual SPointD GetCameraPosition() const { return camera; }
  void SetCameraPosition(SPointD position) { camera = position; }

  CDrawDataQueue& GetDrawQueue() { return drawQueue; }

  // The battle's map and the units standing on a cell (in turn order), for
  // the movement and range searches. The full battle scene supplies them.
  virtual CGeographicalFeatures* GetMap() const { return nullptr; }
  virtual std::vector<CUnit*> GetUnitsAt(SPoint /*grid*/) const { return {}; }

 protected:
  SPointD camera{320.0, 240.0};
  CDrawDataQueue drawQueue;
};
