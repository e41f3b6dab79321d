// An actor on the battle map: placed in map coordinates, seen through the
// battle camera, lifted by a height and queued depth-sorted in the battle's
// draw queue.
#pragma once

#include <memory>

#include "core/direction.h"
#include "core/geometry.h"
#include "gfx/actor.h"
#include "gfx/draw_queue.h"
#include "gfx/map_view.h"

class CStageActor : public CActor {
 public:
  // `view` (the battle) must outlive the actor.
  CStageActor(CMapView& view, const SDrawData& data, SPointD position, double speed = 0.0, double heading = 0.0);

  void CopyTo(CActor& other) const override;
  std::unique_ptr<CActor> Clone() const override;
  // Queues the record in the stage's draw queue (nothing is drawn yet).
  void Draw() override;

  // Position on screen under the current camera.
  virtual SPointD GetScreenPosition() const;
  // The 32-pixel map cell that holds the position.
  virtual SPoint GetGridPosition() const;
  // Moves to the centre of map cell (x, y).
  virtual void SetGridPosition(int x, int y);
  // Turns to face `d` at once: the heading becomes the facing's angle.
  virtual void SetDirection(EDirection4 d);

  int GetId() const { return id; }
  CMapView& GetMapView() const { return *view; }

  int layer = LAYER_UNIT;
  double height = 0.0;  // pixels the sprite is lifted above its position

 protected:
  CStageActor(const CStageActor&) = default;
  CStageActor& operator=(const CStageActor&) = default;

 private:
  int id;  // unique for the run
  CMapView* view;
};
