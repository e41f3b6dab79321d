// The player of a story scene: the strategy of a battle scene without a
// battle that plays a script's bundlers one after another, then the script
// it names next. F1 plays the script again from its start; Esc goes back
// to the title.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "battle/stage.h"
#include "scenario/event_loader.h"
#include "ui/gui_manager.h"

class CDialog;

class CStageStrategy_Event : public CStageStrategy {
 public:
  // Hides the cursor, the small status box and the overlay; nothing plays
  // before Load.
  explicit CStageStrategy_Event(CStage& stage);
  ~CStageStrategy_Event() override;

  void Update() override;
  void ProcessInput() override;
  void Draw() override {}
  void DrawOverlay() override;
  // Plays the script at `path` from its start. Throws CEventScriptError, and
  // then what was playing goes on.
  virtual void Load(const std::string& path);
  // Clears the map of units and plays the current script again from its
  // start; the map, the camera and the music stay. A script that no longer
  // loads leaves nothing to play, and a box (and a line on stderr) says why.
  virtual void Reload();

  // ---- what a driver of the scene asks ----
  // No bundler left and no script to follow.
  bool IsFinished() const { return bundlers.empty() && nextPath.empty(); }
  // Counted over every script played in this scene, restarts included.
  int GetFinishedBundlerCount() const { return finishedBundlers; }
  int GetFinishedEventCount() const;
  // A talk window is open and waits for DECIDE.
  bool IsTalkWaiting() const;
  const std::string& GetCurrentPath() const { return currentPath; }
  const std::string& GetNextPath() const { return nextPath; }
  // Why the last restart or chained script could not be loaded; empty when
  // it could.
  const std::string& GetLoadFault() const { return loadFault; }
  const std::vector<std::unique_ptr<CEventSequenceBundler>>& GetBundlers() const { return bundlers; }

 private:
  void DropBundlers();

  std::vector<std::unique_ptr<CEventSequenceBundler>> bundlers;  // the first is playing
  std::string currentPath;
  std::string nextPath;
  CUnitSheetCache sheets;
  int finishedBundlers = 0;
  int finishedEvents = 0;  // of the bundlers already gone
  std::string loadFault;
  CGuiManager notices;
  CDialog* notice = nullptr;  // owned by notices
};

// The box that says why a script cannot be played, unopened.
std::unique_ptr<CDialog> CreateEventLoadFailureDialog(const CEventScriptError& error);

// The story scene of the script at `path`, ready to play. Throws
// CEventScriptError before anything is shown.
std::unique_ptr<CStage> CreateEventStage(const std::string& path);
