// The battle scene: the map, every unit in turn order, the actors drawn on
// the map, the cursor and the current strategy that decides what happens.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/map_grid.h"
#include "field/battlefield.h"
#include "field/stage_data.h"
#include "field/turn_order.h"
#include "gfx/draw_queue.h"
#include "gfx/map_view.h"
#include "runtime/scene.h"
#include "runtime/step_slot.h"

class CGeographicalFeatures;
class CUnit;
class CStage;
class CCursor;
class CEnemy;
class CActor;
class CStageActor;
class CUnitOrderWindow;
class CCheapStatusWindow;

// What happens at a moment of the battle: an announcement, browsing the
// map, a unit's commands, an action playing out. A strategy ends itself by
// giving the stage its successor (CStage::SetStrategy).
class CStageStrategy {
 public:
  explicit CStageStrategy(CStage& stage_) : stage(&stage_) {}
  virtual ~CStageStrategy() = default;
  virtual void Update() {}
  virtual void ProcessInput() {}
  // Queues map-level pictures before the draw queue is flushed.
  virtual void Draw() {}
  // Draws over everything at the end of the frame.
  virtual void DrawOverlay() {}
  // True while the strategy plays out without the player (an action, an
  // enemy's turn, a telop): its ProcessInput does nothing, so one more
  // Update in the same frame is what the next frame would have done.
  // Menus, cursor browsing and story scenes keep the default.
  virtual bool CanFastForward() const { return false; }

 protected:
  CStage* stage;
};

class CStage : public CScene, public CBattlefield, public CTurnEndHandover {
 public:
  // An empty battle with no map and no units (tools and tests build on it).
  CStage();
  // The battle of stage `stageNo` (0..8) with the party units sent out, in
  // start-list order; units beyond the stage's start list stay out. The
  // party units must outlive the battle; it changes them in place.
  CStage(int stageNo, const std::vector<CUnit*>& sortie);
  // A story scene: an empty map of the common chips (black grid lines, the
  // camera at (320, 240), no map file yet) and no units; `makePlayer` builds
  // the strategy that plays the story. Whatever it throws reaches the
  // caller before anything has played.
  using StrategyMaker = std::function<std::unique_ptr<CStageStrategy>(CStage&)>;
  explicit CStage(const StrategyMaker& makePlayer);
  ~CStage() override;
  CStage(const CStage&) = delete;
  CStage& operator=(const CStage&) = delete;

  // ---- the scene ----
  void ProcessInput() override;
  void Update() override;
  void Draw() override;
  // While the current strategy plays out without the player.
  bool CanFastForward() const override { return strategy && strategy->CanFastForward(); }

  // ---- strategies ----
  // The successor takes over at once; the caller may finish its own call.
  void SetStrategy(std::unique_ptr<CStageStrategy> next);
  CStageStrategy* GetStrategy() const { return strategy.Get(); }
  // The successor takes over at once and the current strategy is handed
  // back untouched instead of being retired, so that whoever interrupts it
  // (a question asked over the battle) can give it the stage again.
  std::unique_ptr<CStageStrategy> ExchangeStrategy(std::unique_ptr<CStageStrategy> next);
  // End-of-turn hand-over (turn_order.h).
  void StartPoisonDamage(CUnit& unit, int damage) override;
  void ResumeBrowsing() override;

  // ---- camera ----
  void FocusOnActiveUnit();
  // Scrolls so that the cursor keeps clear of the screen edges.
  void FollowCursor();
  // Shows the small status box of the single unit under the cursor, on the
  // side of the screen away from the cursor.
  void UpdateCheapStatusWindow();
  // The key help line (ui/key_help.h) with its top edge at `top`, shown and
  // hidden with the overlay.
  void DrawKeyHelp(const std::string& text, int top = 0) const;

  // ---- units ----
  // Keeps a unit the scene made by itself (a story's cast) until the scene
  // ends or RemoveAllUnits runs: whoever still holds it after it left the
  // map holds a live unit.
  CUnit* KeepUnit(std::unique_ptr<CUnit> unit);
  // Clears the map of units: their actors, the turn order and the units
  // the scene keeps.
  void RemoveAllUnits();

  int stageNo = -1;
  std::unique_ptr<CCheapStatusWindow> cheapStatusWindow;  // none while no single unit is under the cursor
  bool showCheapStatus = true;
  CZoneInfo zoneInfo;
  int frameCount = 0;
  std::unique_ptr<CCursor> cursor;
  std::unique_ptr<CUnitOrderWindow> orderWindow;

 private:
  void Init();
  void SetUp(const std::vector<CUnit*>& sortie);
  void PlayStageMusic();

  CStepSlot<CStageStrategy> strategy;
  std::vector<std::unique_ptr<CUnit>> monsters;     // the enemies this battle made, a story's cast
  std::vector<CUnit*> party;                        // party units that joined
};

// One line per stage on standard output at start-up: stage number, enemy
// count, unit limit, reward and the skill points its enemies are worth,
// as "%02d,%d,%d,%d,%d".
void PrintStageSummaries();
