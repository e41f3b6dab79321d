// A move, an attack or a poison bite played out on the map while the player
// waits: a list of small infos, each walking a route, running an attack
// act, showing and applying damage, dodging, or fading a dead enemy out.
// When the list runs empty the battle goes back to browsing.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "battle/stage.h"
#include "core/direction.h"
#include "core/geometry.h"
#include "field/attack_types.h"
#include "field/unit_status.h"

class CAttackActBase;
class CUnit;
class CStageStrategy_UnitAction;

class CUnitActionInfo {
 public:
  // `owner` and `unit` must outlive the info (the battle keeps every unit
  // that took part until it ends).
  CUnitActionInfo(CStageStrategy_UnitAction& owner, CUnit& unit);
  virtual ~CUnitActionInfo();
  CUnitActionInfo(const CUnitActionInfo&) = delete;
  CUnitActionInfo& operator=(const CUnitActionInfo&) = delete;

  virtual void Update() = 0;
  virtual bool IsEnd() const = 0;
  CUnit& GetUnit() const { return *unit; }

 protected:
  CStageStrategy_UnitAction* owner;
  CUnit* unit;
};

class CStageStrategy_UnitAction : public CStageStrategy {
 public:
  // Hides the map cursor; the caller adds infos and installs the strategy.
  explicit CStageStrategy_UnitAction(CStage& stage);
  ~CStageStrategy_UnitAction() override;

  // Frozen during a hit stop. Infos added while the list is walked start in
  // the next frame; when none is left, browsing resumes.
  void Update() override;
  bool CanFastForward() const override { return true; }
  virtual void AddActionInfo(std::unique_ptr<CUnitActionInfo> info);

  CStage& GetStage() const { return *stage; }
  const std::vector<std::unique_ptr<CUnitActionInfo>>& GetActionInfos() const { return actionInfos; }

 private:
  std::vector<std::unique_ptr<CUnitActionInfo>> actionInfos;
};

// Walks a route, 3 pixels a frame: 11 frames a grid, a footstep at each.
class CUnitActionInfo_Move : public CUnitActionInfo {
 public:
  CUnitActionInfo_Move(CStageStrategy_UnitAction& owner, CUnit& unit, std::vector<EDirection4> route);
  void Update() override;
  bool IsEnd() const override { return route.empty(); }

 private:
  std::vector<EDirection4> route;
};

// Runs the act of the attack and turns its hit results into damage and
// evasion infos; each landing hit asks for an 8-frame hit stop.
class CUnitActionInfo_Attack : public CUnitActionInfo {
 public:
  // An impossible act (unknown kind, wrong number of targets) plays nothing
  // and ends at once.
  CUnitActionInfo_Attack(CStageStrategy_UnitAction& owner, EAttackActType actKind, CUnit& attacker,
                         std::vector<SPoint> targetPoints, ESkill skill);
  ~CUnitActionInfo_Attack() override;
  void Update() override;
  bool IsEnd() const override;
  const CAttackActBase* GetAct() const { return act.get(); }

 private:
  EAttackActType actKind;
  int frame = 0;
  std::unique_ptr<CAttackActBase> act;
  std::vector<SPoint> targetPoints;
  ESkill skill;
};

// Damage (value > 0) or healing (value < 0) or a status effect landing on a
// unit: 32 updates of sound, number or text, blinking; HP stays in 0..maxHP.
// A killed enemy fades out and pays its skill points.
class CUnitActionInfo_Damaged : public CUnitActionInfo {
 public:
  CUnitActionInfo_Damaged(CStageStrategy_UnitAction& owner, CUnit& target, CUnit* attacker, int value,
                          std::optional<CUnitExtState> extState, bool curesPoison);
  void Update() override;
  bool IsEnd() const override { return done; }

 private:
  CUnit* attacker;
  int value;
  std::optional<CUnitExtState> extState;
  bool curesPoison;
  bool wasDead;
  int frame = 0;
  bool done = false;
};

// A dead enemy fades out, 10 alpha a frame, and leaves the battle.
class CUnitActionInfo_Dead : public CUnitActionInfo {
 public:
  static constexpr int kFadeFrames = 26;  // 255 down by 10 until below 0
  CUnitActionInfo_Dead(CStageStrategy_UnitAction& owner, CUnit& unit);
  void Update() override;
  bool IsEnd() const override { return done; }

 private:
  int frame = 0;
  int alpha = 255;
  bool done = false;
};

// A dodge: 20 pixels away from the attacker and back.
class CUnitActionInfo_Evade : public CUnitActionInfo {
 public:
  // `direction` is the opposite of the attacker's facing.
  CUnitActionInfo_Evade(CStageStrategy_UnitAction& owner, CUnit& unit, EDirection4 direction);
  void Update() override;
  bool IsEnd() const override { return done; }

 private:
  EDirection4 direction;
  int frame = 0;
  bool done = false;
  SPointD startPosition;
};
