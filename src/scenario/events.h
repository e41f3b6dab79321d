// The events of a story scene, one class per kind. A sequence starts its
// current event, updates it once a frame, passes it the keys and lets it
// draw, until the event says it has ended.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/unit_sprites.h"
#include "core/direction.h"
#include "core/geometry.h"
#include "field/emotion.h"
#include "scenario/event_script.h"

class CStage;
class CUnit;
class CEnemy;

class CEventBase {
 public:
  explicit CEventBase(CStage& stage_) : stage(&stage_) {}
  virtual ~CEventBase() = default;
  CEventBase(const CEventBase&) = delete;
  CEventBase& operator=(const CEventBase&) = delete;

  virtual void Start() {}
  virtual void Update() {}
  virtual void ProcessInput() {}
  virtual void Draw() {}
  virtual bool IsEnd() const = 0;
  // An open talk window waiting for DECIDE.
  virtual bool IsWaitingForDecide() const { return false; }

 protected:
  CStage* stage;
};

// An event that ends by itself when its one piece of work is done.
class COnceEvent : public CEventBase {
 public:
  using CEventBase::CEventBase;
  bool IsEnd() const override { return done; }

 protected:
  bool done = false;
};

// An event about one unit of the map, found by its tag when the event
// starts. When no unit on the map has the tag the event ends at once (one
// line on stderr) and the story goes on.
class CUnitEvent : public COnceEvent {
 public:
  CUnitEvent(CStage& stage, std::string unitTag);
  void Start() override;
  CUnit* GetUnit() const { return unit; }

 protected:
  std::string unitTag;
  CUnit* unit = nullptr;  // kept by the scene even after it left the map
};

// Covers the screen or uncovers it in 46 frames: black bars closing or
// opening, or a fade to or from black or white. Drawn over everything the
// map's draw queue holds.
class CEvent_Transition : public CEventBase {
 public:
  static constexpr int kPriority = 10000;
  static constexpr int kLastFrame = 45;
  CEvent_Transition(CStage& stage, ETransition kind);
  void Update() override { ++counter; }
  void Draw() override;
  bool IsEnd() const override { return counter > kLastFrame; }

 private:
  ETransition kind;
  int counter = 0;
};

// The picture of a transition `n` frames after it began.
void DrawTransition(ETransition kind, int n);

// Unit sheets a story has loaded, by file path: each is cut once per scene,
// however often the story restarts.
class CUnitSheetCache {
 public:
  // The 12 frames of the sheet in facing order. Throws std::runtime_error
  // naming the file when it cannot be loaded (each time it is asked).
  const int (&Get(const std::string& path))[UNIT_SPRITE_FRAMES];

 private:
  struct SSheet {
    int frames[UNIT_SPRITE_FRAMES] = {};
    std::string fault;  // empty: loaded
  };
  std::map<std::string, SSheet> sheets;
};

// A unit walks onto the story: a knight of the party's side with 10 HP,
// drawn from its own sheet. It is built with the script and joins the map
// when the event starts; then the scene keeps it. A sheet that cannot be
// loaded leaves the unit out (one line on stderr).
class CEvent_AppendUnit : public COnceEvent {
 public:
  // `sheets` may be null: the sheet is then loaded for this event alone.
  CEvent_AppendUnit(CStage& stage, const std::string& name, const std::string& imagePath, const std::string& unitTag,
                    SPoint grid, EDirection4 direction, CUnitSheetCache* sheets);
  ~CEvent_AppendUnit() override;
  void Start() override;
  // The unit while the event holds it (before it starts); null after, or
  // when its sheet could not be loaded.
  const CUnit* GetPendingUnit() const { return unit.get(); }

 private:
  std::unique_ptr<CUnit> unit;
  CEnemy* actor = nullptr;  // owned by the unit
  std::string fault;
};

// The unit leaves the map at the end of the frame.
class CEvent_RemoveUnit : public CUnitEvent {
 public:
  using CUnitEvent::CUnitEvent;
  void Start() override;
};

// Replaces the map. A file that cannot be read leaves the map as it was
// (one line on stderr).
class CEvent_LoadMapCsv : public COnceEvent {
 public:
  CEvent_LoadMapCsv(CStage& stage, std::string csvPath);
  void Start() override;

 private:
  std::string csvPath;
};

// Waits `frame` frames; 0 or less takes no frame at all.
class CEvent_Wait : public CEventBase {
 public:
  CEvent_Wait(CStage& stage, int frame);
  void Update() override { ++counter; }
  bool IsEnd() const override { return counter >= frame; }

 private:
  int frame;
  int counter = 0;
};

// Plays a music file in a loop, or stops the music for an empty path.
class CEvent_BGM : public COnceEvent {
 public:
  CEvent_BGM(CStage& stage, std::string filePath);
  void Start() override;

 private:
  std::string filePath;
};

// Pans the camera straight to a map point at `speed` pixels a frame; a
// negative speed jumps there at once. An axis has arrived when the camera
// reaches or passes the target on it, or does not move on it at all (so a
// speed of 0 lands on the target in the first frame).
class CEvent_MoveCamera : public COnceEvent {
 public:
  CEvent_MoveCamera(CStage& stage, SPointD target, double speed);
  void Start() override;
  void Update() override;
  SPointD GetVelocity() const { return velocity; }

 private:
  SPointD target;
  double speed;
  SPointD velocity;
};

// The unit hops 30 pixels up and back down in 20 frames.
class CEvent_Jump : public CUnitEvent {
 public:
  static constexpr int kFrames = 20;
  using CUnitEvent::CUnitEvent;
  void Update() override;

 private:
  int counter = 0;
};

// A balloon over the unit for continueFrame frames; the event itself ends
// after one frame and the balloon lives on.
class CEvent_Emotion : public CUnitEvent {
 public:
  CEvent_Emotion(CStage& stage, std::string unitTag, EEmotion emotion, int continueFrame);
  void Update() override;

 private:
  EEmotion emotion;
  int continueFrame;
};

// The unit turns in its first frame.
class CEvent_Turn : public CUnitEvent {
 public:
  CEvent_Turn(CStage& stage, std::string unitTag, EDirection4 direction);
  void Update() override;

 private:
  EDirection4 direction;
};

// The unit walks cell by cell along its steps at `speed` pixels a frame,
// turning to each step unless its facing is fixed. A speed that is not
// above 0 (which would never arrive) ends the event at once.
class CEvent_Move : public CUnitEvent {
 public:
  CEvent_Move(CStage& stage, std::string unitTag, std::vector<EDirection4> steps, double speed, bool directionFixed);
  void Start() override;
  void Update() override;
  std::size_t GetRemainingSteps() const { return steps.size() - next; }

 private:
  std::vector<EDirection4> steps;
  std::size_t next = 0;  // the step being walked
  double speed;
  bool directionFixed;
};
