// Scenes: the title, the camp and the battle each are one. Exactly one is
// current; a scene asks for its successor with SetNextScene and the switch
// happens at the next switch point of the frame, never inside a scene's call.
#pragma once

#include <functional>
#include <memory>

class CScene {
 public:
  virtual ~CScene() = default;
  virtual void Update() = 0;
  virtual void ProcessInput() = 0;
  virtual void Draw() = 0;
  // True while the scene plays on by itself, reading none of the player's
  // keys: the main loop may then run Update again in the same frame (fast
  // forward), and that update does just what the next frame's would.
  virtual bool CanFastForward() const { return false; }
};

extern std::unique_ptr<CScene> currentScene;
extern std::unique_ptr<CScene> nextScene;
extern bool quitRequested;

// Makes the title scene. The start-up installs it, so that a battle given up
// can go back to the title without knowing the scenes above it.
extern std::function<std::unique_ptr<CScene>()> titleSceneMaker;
// Makes the camp, where a won battle leads; the title while none is installed.
extern std::function<std::unique_ptr<CScene>()> campSceneMaker;

// Asking twice before a switch point keeps only the last scene.
void SetNextScene(std::unique_ptr<CScene> scene);

// The switch point: the waiting scene (if any) replaces the current one,
// which is destroyed at once.
void SwitchScene();
