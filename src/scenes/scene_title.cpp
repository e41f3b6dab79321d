#include "scenes/scene_title.h"

#include "assets/image_manager.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

CSceneTitle::CSceneTitle() { titleImage = imageManager->GetHandle("title.png"); }

void CSceneTitle::Update() {}

void CSceneTitle::ProcessInput() {}

void CSceneTitle::Draw() {
  // Without the picture the screen stays plain black.
  if (titleImage > 0) DrawGraph(0, 0, titleImage, FALSE);
}
