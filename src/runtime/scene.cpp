#include "runtime/scene.h"

std::unique_ptr<CScene> currentScene;
std::unique_ptr<CScene> nextScene;
bool quitRequested = false;

void SetNextScene(std::unique_ptr<CScene> scene) { nextScene = std::move(scene); }

void SwitchScene() {
  if (!nextScene) return;
  currentScene.reset();
  currentScene = std::move(nextScene);
}
