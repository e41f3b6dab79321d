// One figure on the battle map: a party member or an enemy. The same record
// lives in the save data between battles and in the battle during one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/direction.h"
#include "core/geometry.h"
#include "field/attack_types.h"
#include "field/charactor.h"
#include "field/unit_ai_base.h"
#include "field/unit_status.h"

class CBattlefield;
class CStageActor;

// A unit never carries more timed effects than this; the oldest give way.
constexpr int MAX_EXT_STATES = 4;

// One undo step of a move: where the unit stood and which way it faced.
struct CInfoBeforeMove {
  EDirection4 direction = EDirection4::LEFT;
  SPoint grid;

  CInfoBeforeMove() = default;
  CInfoBeforeMove(EDirection4 direction_, int x, int y) : direction(direction_), grid(x, y) {}
  bool operator==(const CInfoBeforeMove&) const = default;
};

class CUnit {
 public:
  // Left as the fields' defaults; loading a save fills the rest.
  CUnit();
  // Takes the next id of the run.
  CUnit(ECharactor charactor, int team, SPoint grid);
  virtual ~CUnit();
  CUnit(const CUnit&) = delete;
  CUnit& operator=(const CUnit&) = delete;

  // Also turns the map actor, if there is one.
  virtual void SetDirection(EDirection4 d);
  virtual bool IsDead() const;
  // The parameters below with the effects of the unit's status effects.
  virtual int GetMove() const;
  virtual int GetDex() const;
  virtual void SetDex(int value);
  // The wait the current turn costs, by what the unit did in it.
  virtual int GetWtAfterTurn() const;
  virtual int GetWt() const;
  // Fills name, looks, weapon, parameters and skills from the kind's tables
  // (a monster's by its rank). Throws std::runtime_error for an unknown
  // kind or a rank outside 0..2.
  virtual void InitByCharactor();
  // Joins `stage`: makes the map actor and, for an enemy kind, the AI, which
  // notices targets within `aiSearchRange` (the stage data's range for the
  // placement). The AI is born with it, so no set-up order can lose it.
  virtual void CreateActor(CBattlefield& stage, int aiSearchRange = DEFAULT_AI_SEARCH_RANGE);
  // End of one of the unit's own turns: effects count down, MP recovers.
  virtual void OnTurnEnd();
  // Fresh for the next battle: full HP and MP, no effects, no history.
  virtual void ResetForBattle();
  virtual void ClearExtStates();
  virtual void RemoveExtState(EExtState type);
  virtual bool HasExtState(EExtState type) const;
  // Replaces the opposite effect, then keeps at most MAX_EXT_STATES, newest last.
  virtual void AddExtState(CUnitExtState state);

  int id = 0;
  std::string key;  // how event scripts find the unit
  ECharactor charactor = ECharactor::FIGHTER;
  EDirection4 direction = EDirection4::LEFT;
  SPoint grid;
  int wtCount = 0;  // wait left until the next turn
  int team = 0;     // 0 the party, 1 the enemy
  bool moved = false;
  bool acted = false;  // attacked or used a skill this turn
  std::vector<CInfoBeforeMove> moveHistory;
  int mpRecovered = 0;  // MP regained by turn ends in this battle
  bool onStage = true;  // false: leaves the battle at the end of the frame
  std::string name;
  int spriteIndex = 0;
  int rank = 0;
  int skillPoint = 0;  // held by a party member; paid out for a defeated monster
  int hp = 0;
  int maxHp = 0;
  int mp = 0;
  int maxMp = 0;
  int move = 3;
  int wt = 0;
  int str = 0;
  int vit = 0;
  int dex = 0;
  int agi = 0;
  int intelligence = 0;
  bool flying = false;
  std::vector<CUnitExtState> extStates;
  EWeaponType weapon = EWeaponType::NONE;
  std::vector<ESkill> skills;
  CBattlefield* stage = nullptr;
  std::unique_ptr<CStageActor> actor;  // the map actor, while in a battle
  std::unique_ptr<CUnitAIBase> ai;     // none for units the player steers

  // The map actor and the AI are built by the drawing and the AI code,
  // which install their makers here at start-up. CreateActor leaves a slot
  // empty while its maker is unset.
  using ActorMaker = std::function<std::unique_ptr<CStageActor>(CUnit& unit, CBattlefield& stage)>;
  using AIMaker = std::function<std::unique_ptr<CUnitAIBase>(CUnit& unit, CBattlefield& stage, EUnitAIKind kind,
                                                             ESearchType searchType, int searchRange)>;
  static ActorMaker actorMaker;
  static AIMaker aiMaker;
};

// Where the unit stands on the map in pixels: its actor's position, or the
// centre of its grid while it has no actor.
SPointD UnitMapPosition(const CUnit& unit);
