// The title scene. Until the title menu is in, it shows the title picture
// and DECIDE (Z) starts a new game in the camp.
#pragma once

#include "runtime/scene.h"

class CSceneTitle : public CScene {
 public:
  CSceneTitle();
  void Update() override;
  void ProcessInput() override;
  void Draw() override;

 private:
  // Starts a new game once the scene is current.
  void Begin();

  int titleImage = 0;
  bool begun = false;
};
