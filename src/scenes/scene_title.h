// The title: the picture with a blinking "Press Z" and, on DECIDE, the menu
// "タイトル" — a new game (to the camp), continue from one of the 16 save
// slots, or quit. S on the bare picture or on the menu lists the story
// scenes, and the menu says so when there are any.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/draw_data.h"
#include "runtime/scene.h"
#include "runtime/step_slot.h"
#include "ui/gui_manager.h"

class CDialog;

class CSceneTitle : public CScene {
 public:
  // One step of the title; it replaces itself through the scene.
  class CStrategy {
   public:
    explicit CStrategy(CSceneTitle& scene_) : scene(&scene_) {}
    virtual ~CStrategy() = default;
    CStrategy(const CStrategy&) = delete;
    CStrategy& operator=(const CStrategy&) = delete;
    virtual void Draw() { scene->GetManager().Draw(); }
    virtual void Update() { scene->GetManager().Update(); }
    virtual void ProcessInput() = 0;

   protected:
    CSceneTitle* scene;
  };

  CSceneTitle();
  ~CSceneTitle() override;
  void Update() override;
  void ProcessInput() override;
  void Draw() override;

  void SetStrategy(std::unique_ptr<CStrategy> next) { strategy.Set(std::move(next)); }
  CStrategy* GetStrategy() const { return strategy.Get(); }
  CGuiManager& GetManager() { return manager; }
  // Frames since the title was shown; "Press Z" blinks by it.
  int GetFrame() const { return frame; }
  CDialog* rootDialog = nullptr;  // the menu while it is open; owned by the manager
  std::string eventDirectory = "dat/script/event/";  // the story scenes; ends in "/"

 private:
  // Starts a new game once the scene is current.
  void Begin();

  SDrawData picture;
  CGuiManager manager;
  CStepSlot<CStrategy> strategy;
  bool begun = false;
  int frame = 0;
};

// The story scripts directly in `directory`: the names ending in exactly
// ".xml", sorted.
std::vector<std::string> ListEventScripts(const std::string& directory);

// The root menu; without it the bare picture.
class CStrategy_TitleRootMenu : public CSceneTitle::CStrategy {
 public:
  using CStrategy::CStrategy;
  void Draw() override;
  void ProcessInput() override;

  // "Press Z" shows for 40 frames of every 60 on the bare picture.
  static constexpr int kHintPeriod = 60;
  static constexpr int kHintShown = 40;

 private:
  void OpenMenu();
  void ListStoryScenes();
  bool storyScenesExist = false;  // looked up when the menu opens
};

// The slot list "データ選択", the most recent save focused.
class CStrategy_Load : public CSceneTitle::CStrategy {
 public:
  explicit CStrategy_Load(CSceneTitle& scene);
  void ProcessInput() override;
  CDialog* GetSlotList() const { return slotList; }

 private:
  CDialog* slotList = nullptr;  // a child of the root menu
  CDialog* notice = nullptr;    // the box that says a save cannot be read
};

// The story scenes of "dat/script/event/", by file name. DECIDE plays the
// chosen one; a script that cannot be played is reported in a box over the
// list instead.
class CStrategy_EventMenu : public CSceneTitle::CStrategy {
 public:
  // `directory` ends in "/"; by default the scene's.
  explicit CStrategy_EventMenu(CSceneTitle& scene, std::string directory = "");
  void ProcessInput() override;
  CDialog* GetList() const { return list; }
  CDialog* GetNotice() const { return notice; }

 private:
  std::string directory;
  CDialog* list = nullptr;
  CDialog* notice = nullptr;  // a child of the list
};
