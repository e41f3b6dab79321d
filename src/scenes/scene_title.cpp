#include "scenes/scene_title.h"

#include <vector>

#include "assets/image_manager.h"
#include "battle/stage.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"

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
  std::vector<CUnit*> sortie;
  for (const auto& unit : saveData->party) sortie.push_back(unit.get());
  SetNextScene(std::make_unique<CStage>(0, sortie));
}

void CSceneTitle::Draw() {
  // Without the picture the screen stays plain black.
  if (titleImage > 0) DrawGraph(0, 0, titleImage, FALSE);
}
