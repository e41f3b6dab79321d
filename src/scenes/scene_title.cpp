#include "scenes/scene_title.h"

#include "assets/image_manager.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "scenes/scene_camp.h"

CSceneTitle::CSceneTitle() { titleImage = imageManager->GetHandle("title.png"); }

void CSceneTitle::Begin() {
  // Not in the constructor: a battle given up builds the title while it is
  // still running its frame on the party the old save data owns.
  if (begun) return;
  begun = true;
  gSystemData = CSystemData();
  saveData = NewGameSaveData();
}

void CSceneTitle::Update() { Begin(); }

void CSceneTitle::ProcessInput() {
  Begin();
  if (!keyManager->IsPush(EGameKey::DECIDE, true)) return;
  gSystemData.mLastUpdateTime = CurrentUtcMilliseconds();  // play time counts from here
  SetNextScene(std::make_unique<CSceneCamp>());
}

void CSceneTitle::Draw() {
  // Without the picture the screen stays plain black.
  if (titleImage > 0) DrawGraph(0, 0, titleImage, FALSE);
}
