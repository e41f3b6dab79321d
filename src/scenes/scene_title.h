// The title scene. Until the title menu and the camp are in, it shows the
// title picture and DECIDE (Z) starts a new game straight in the first
// forest battle.
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
