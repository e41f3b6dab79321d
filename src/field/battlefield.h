// The battlefield: the map, every unit in turn order and the actors drawn on
// the map, with the camera and the draw queue they are drawn through. The
// rules, the attack acts and the map actors see the battle through it; the
// battle scene (battle/stage.h) adds the strategies, the cursor and the
// windows on top.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "field/turn_order.h"
#include "gfx/draw_queue.h"
#include "gfx/map_view.h"

class CGeographicalFeatures;
class CUnit;
class CEnemy;
class CStageActor;

// Freezes the battle for a few frames on a hit; effects keep moving.
class CHitStopManager {
 public:
  void Update() {
    if (IsActive()) --count;
  }
  bool IsActive() const { return count > 0; }
  void SetCount(int n) { count = n; }

 private:
  int count = 0;
};

// The units of a battle in turn order (the front one is acting), the turn
// counter and the skill points earned so far.
class CStageState {
 public:
  virtual ~CStageState() = default;
  virtual CUnit* FindById(int id) const;
  virtual CUnit* FindByKey(const std::string& key) const;
  virtual std::vector<CUnit*> GetUnitsAt(SPoint grid) const;
  virtual void SortByWt();
  virtual void AdvanceTurn();
  virtual int PredictOrderIndex(int addedWait) const;
  // Units that left the battle lose their actor and their place in the order.
  virtual void RemoveOffStage();
  virtual int CountTeam(int team) const;
  virtual int CountLivingTeam(int team) const;

  UnitOrder units;
  int battleSkillPoint = 0;
  int turnCount = 0;
};

class CBattlefield : public CMapView {
 public:
  CBattlefield();
  ~CBattlefield() override;
  CBattlefield(const CBattlefield&) = delete;
  CBattlefield& operator=(const CBattlefield&) = delete;

  // ---- camera and grid ----
  SPointD GetCameraPosition() const override;
  void SetCameraPosition(SPointD position);
  CDrawDataQueue& GetDrawQueue() override { return drawQueue; }
  virtual CGeographicalFeatures* GetMap() const { return map.get(); }
  virtual std::vector<CUnit*> GetUnitsAt(SPoint grid) const { return state.GetUnitsAt(grid); }
  SPointD GridToScreen(SPoint grid) const;
  bool IsInMap(SPoint grid) const;

  // ---- actors ----
  void AddEffect(std::unique_ptr<CStageActor> effect);
  void AddUnitActor(CEnemy* actor);
  void AddBullet(std::unique_ptr<CStageActor> bullet);
  void ClearActors();

  CStageState state;
  CHitStopManager hitStop;
  bool overlay = true;  // grid lines, HP bars, the order window
  std::vector<std::unique_ptr<CStageActor>> effects;
  std::vector<CEnemy*> unitActors;  // owned by their units
  std::vector<std::unique_ptr<CStageActor>> bullets;

 protected:
  SPointD camera{320.0, 240.0};  // used while there is no map
  CDrawDataQueue drawQueue;
  std::unique_ptr<CGeographicalFeatures> map;
};
