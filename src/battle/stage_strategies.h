// The battle strategies the battle scene itself needs: the announcement
// that opens and closes a battle, browsing the map with the turn dispatch,
// passing a fallen unit's turn and an enemy's turn. The announcements'
// telops, the player's command menus, the AI's plans and the actions come
// with their own screens; until then these keep a battle running.
#pragma once

#include "battle/stage.h"
#include "runtime/key_repeat.h"

class CUnit;

class CStageStrategy_Announce : public CStageStrategy {
 public:
  enum EType { STAGE_START = 0, STAGE_CLEARED = 1, GAME_OVER = 2 };
  CStageStrategy_Announce(CStage& stage, EType type);
  void Update() override;
  EType GetType() const { return type; }

 private:
  EType type;
};

// Browsing the map; every frame it also dispatches the next turn.
class CStageStrategy_FreeScroll : public CStageStrategy {
 public:
  explicit CStageStrategy_FreeScroll(CStage& stage);
  void Update() override;
  void ProcessInput() override;
  // True while the active unit is a living party member whose command the
  // player is to choose.
  bool IsPlayerInputEnabled() const { return playerInput; }

 private:
  bool playerInput = false;
  CKeyRepeatManager repeat;
};

// One unit's turn without a command menu yet: a fallen unit's turn passes
// on its 31st update; a living unit stands by when the player decides.
class CStageStrategy_UnitCommand : public CStageStrategy {
 public:
  enum ECommand { PASS, STANDBY };
  CStageStrategy_UnitCommand(CStage& stage, CUnit& unit, ECommand command);
  void Update() override;

 private:
  CUnit* unit;
  ECommand command;
  int frames = 0;
};

// An enemy's turn: the unit stands by after a short pause until it gets
// its own plans.
class CStageStrategy_UnitCommandAI : public CStageStrategy {
 public:
  static constexpr int kPauseFrames = 20;
  CStageStrategy_UnitCommandAI(CStage& stage, CUnit& unit);
  void Update() override;

 private:
  CUnit* unit;
  int frames = 0;
};
