// The coming turn order along the bottom edge of the battle screen: the
// turn counter, then every unit's sprite in the order they act, a portal
// under the unit the cursor rests on, and (while a unit weighs standing by)
// an arrow where it would fall back into the order.
#pragma once

#include "gfx/draw_data.h"

class CStage;

class CUnitOrderWindow {
 public:
  explicit CUnitOrderWindow(CStage& stage);
  virtual ~CUnitOrderWindow() = default;

  // Advances the portal and arrow animations.
  virtual void Update();
  // Draws at once (only while the stage's overlay is on).
  virtual void Draw();

  bool showPreview = false;
  int previewIndex = 0;

 private:
  CStage* stage;
  SDrawData arrow;
  SDrawData portal;
};
