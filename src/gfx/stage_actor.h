// An actor on the battle map: placed in map coordinates, seen through the
// battle camera, lifted by a height and queued depth-sorted in the battle's
// draw queue.
#pragma once

#include <memory>

#include "core/geometry.h"
#include "gfx/actor.h"
#include "gfx/draw_queue.h"

class CStage;

class CStageActor : public CActor {
 public:
  // `stage` must outlive the actor.
  CStageActor(CStage& stage, const SDrawData& data, SPointD position, double speed = 0.0, double heading = 0.0);

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

  int GetId() const { return id; }
  CStage& GetStage() const { return *stage; }

  int layer = LAYER_UNIT;
  double height = 0.0;  // pixels the sprite is lifted above its position

 protected:
  CStageActor(const CStageActor&) = default;
  CStageActor& operator=(const CStageActor&) = default;

 private:
  int id;  // unique for the run
  CStage* stage;
};

// Map pixel -> map cell, for negative coordinates too.
SPoint MapPixelToGrid(SPointD p);
