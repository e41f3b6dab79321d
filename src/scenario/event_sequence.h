// How a story's events take turns. A sequence plays its events one after
// another; a bundler plays its sequences side by side, each from its own
// frame of the bundler's clock.
#pragma once

#include <memory>
#include <vector>

#include "scenario/events.h"

class CEventSequence {
 public:
  CEventSequence(int startFrame, std::vector<std::unique_ptr<CEventBase>> events);

  // Starts the first event on the first call; updates the current event,
  // drops every event that has ended (a Wait of 0 frames anywhere goes at
  // once), and starts the next current event at once.
  void Update();
  // The current event only, and only once it has started.
  void ProcessInput();
  void Draw();
  bool IsEnd() const { return events.empty(); }

  int GetStartFrame() const { return startFrame; }
  bool IsStarted() const { return started; }
  CEventBase* GetCurrentEvent() const { return events.empty() ? nullptr : events.front().get(); }
  bool IsWaitingForDecide() const;
  int GetFinishedEventCount() const { return finishedEvents; }

 private:
  int startFrame;
  std::vector<std::unique_ptr<CEventBase>> events;
  bool started = false;
  int finishedEvents = 0;
};

class CEventSequenceBundler {
 public:
  // Updates the sequences whose start frame has come, drops the ended ones
  // and advances the clock.
  void Update();
  // The sequences whose start frame has come.
  void ProcessInput();
  void Draw();
  bool IsEnd() const { return sequences.empty(); }
  void AddSequence(std::unique_ptr<CEventSequence> sequence);

  int GetClock() const { return clock; }
  const std::vector<std::unique_ptr<CEventSequence>>& GetSequences() const { return sequences; }
  bool IsWaitingForDecide() const;
  // Of every sequence, the dropped ones too.
  int GetFinishedEventCount() const;

 private:
  bool HasBegun(const CEventSequence& s) const { return s.GetStartFrame() <= clock; }

  int clock = 0;
  std::vector<std::unique_ptr<CEventSequence>> sequences;
  int finishedEventsOfDropped = 0;
};
