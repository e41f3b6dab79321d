// An enemy's turn, one step at a time at a pace the player can follow: the
// AI chooses a step, the range shows, the cursor jumps to the chosen cell,
// and after a pause the move or attack is played as a player's command
// would be; standing by shows the facing and ends the turn. The player's
// keys do nothing meanwhile.
#pragma once

#include <memory>
#include <vector>

#include "battle/facing_arrow.h"
#include "battle/stage.h"
#include "field/traverse.h"
#include "field/unit_ai_base.h"

class CUnit;

class CStageStrategy_UnitCommandAI : public CStageStrategy {
 public:
  // A turn that takes more AI steps than this is ended with a word on stderr.
  static constexpr int kMaxStepsPerTurn = 8;

  // `unit` must outlive the strategy (the battle keeps its units).
  CStageStrategy_UnitCommandAI(CStage& stage, CUnit& unit);
  ~CStageStrategy_UnitCommandAI() override;

  void Update() override;
  void Draw() override;
  void DrawOverlay() override;
  bool CanFastForward() const override { return true; }

  class CStrategy {
   public:
    explicit CStrategy(CStageStrategy_UnitCommandAI& owner_) : owner(&owner_) {}
    virtual ~CStrategy() = default;
    CStrategy(const CStrategy&) = delete;
    CStrategy& operator=(const CStrategy&) = delete;
    virtual void Update() = 0;
    virtual void Draw() {}
    virtual void DrawOverlay() {}

   protected:
    CStageStrategy_UnitCommandAI* owner;
    int count = 0;
  };

  class CStrategy_Move : public CStrategy {
   public:
    enum EStep { SHOW_RANGE = 0, SHOW_DESTINATION = 1 };
    CStrategy_Move(CStageStrategy_UnitCommandAI& owner, CThinkResult_MoveInfo moveInfo);
    void Update() override;
    void Draw() override;

   private:
    EStep step = SHOW_RANGE;
    CTraverseInfo traverse;
    CThinkResult_MoveInfo moveInfo;
  };

  class CStrategy_Attack : public CStrategy {
   public:
    enum EStep { SHOW_RANGE = 0, SHOW_AREA = 1 };
    CStrategy_Attack(CStageStrategy_UnitCommandAI& owner, CThinkResult_AttackInfo attackInfo);
    void Update() override;
    void Draw() override;

   private:
    void UpdateArea();
    EStep step = SHOW_RANGE;
    std::vector<SPoint> range;
    std::vector<SPoint> area;
    CThinkResult_AttackInfo attackInfo;
  };

  class CStrategy_Standby : public CStrategy {
   public:
    enum EStep { WAIT_TURN = 0, WAIT_END = 1 };
    CStrategy_Standby(CStageStrategy_UnitCommandAI& owner, CThinkResult_StandbyInfo standbyInfo);
    void Update() override;
    void DrawOverlay() override;

   private:
    EStep step = WAIT_TURN;
    CFacingArrow arrow;
    CThinkResult_StandbyInfo standbyInfo;
  };

  CStage& GetStage() const { return *stage; }
  CUnit& GetUnit() const { return *unit; }
  CStrategy* GetStep() const { return step.get(); }
  // The AI's end of the turn: plans forgotten, then the ordinary turn end.
  void EndAITurn();

 private:
  CUnit* unit;
  std::unique_ptr<CStrategy> step;
};
