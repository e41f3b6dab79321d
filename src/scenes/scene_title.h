// The title scene. For now it shows the title picture; its menu comes with
// the title and camp screens.
#pragma once

#include "runtime/scene.h"

class CSceneTitle : public CScene {
 public:
  CSceneTitle();
  void Update() override;
  void ProcessInput() override;
  void Draw() override;

 private:
  int titleImage = 0;
};
