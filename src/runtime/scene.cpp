#include "runtime/scene.h"

std::unique_ptr<CScene> currentScene;
std::unique_ptr<CScene> nextScene;
bool quitRequested = false;
std::function<std::unique_ptr<CScene>()> titleSceneMaker;
std::function<std::unique_ptr<CScene>()> campSceneMaker;

void SetNextScene(std::unique_ptr<CScene> scene) { nextScene = std::move(scene); }

void SwitchScene() {
  if (!nextScene) return;
  currentScene.reset();
  currentScene = std::move(nextScene);
}
