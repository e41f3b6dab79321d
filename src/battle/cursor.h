// The map cursor: a frame over one grid cell that the player steers.
#pragma once

#include "gfx/stage_actor.h"

class CStage;

class CCursor : public CStageActor {
 public:
  explicit CCursor(CStage& stage);

  // Draws at once (not through the queue), over the whole map.
  void Draw() override;

  SPoint GetGrid() const { return GetGridPosition(); }
  void SetGrid(SPoint grid) { SetGridPosition(grid.x, grid.y); }
  // One cell along a nine-direction index (diagonals move both ways; the
  // centre stays).
  void Step(int direction9);

  bool visible = true;
  double heightOffset = 0.0;  // lifts the frame when drawn
};

// Steering the cursor with the direction keys, for browsing and for
// choosing a destination or a target: a new direction steps at once, a held
// one again after 20 frames and then every 5; the cursor stays on the map.
class CCursorStepping {
 public:
  // Reads the keys once; true when the cursor's cell changed.
  bool Step(CStage& stage);

 private:
  int lastDirection = 4;
  int holdCount = 0;
};
