#include "scenario/event_sequence.h"

#include <algorithm>
#include <climits>
#include <utility>

CEventSequence::CEventSequence(int startFrame_, std::vector<std::unique_ptr<CEventBase>> events_)
    : startFrame(startFrame_), events(std::move(events_)) {}

void CEventSequence::Update() {
  if (events.empty()) return;
  if (!started) {
    started = true;
    events.front()->Start();
  }
  events.front()->Update();
  const bool currentEnded = events.front()->IsEnd();
  const std::size_t before = events.size();
  std::erase_if(events, [](const auto& e) { return e->IsEnd(); });
  finishedEvents += static_cast<int>(before - events.size());
  if (currentEnded && !events.empty()) events.front()->Start();
}

void CEventSequence::ProcessInput() {
  if (started && !events.empty()) events.front()->ProcessInput();
}

void CEventSequence::Draw() {
  if (started && !events.empty()) events.front()->Draw();
}

bool CEventSequence::IsWaitingForDecide() const {
  return started && !events.empty() && events.front()->IsWaitingForDecide();
}

void CEventSequenceBundler::Update() {
  for (auto& s : sequences) {
    if (HasBegun(*s)) s->Update();
  }
  for (const auto& s : sequences) {
    if (s->IsEnd()) finishedEventsOfDropped += s->GetFinishedEventCount();
  }
  std::erase_if(sequences, [](const auto& s) { return s->IsEnd(); });
  if (clock < INT_MAX) ++clock;
}

void CEventSequenceBundler::ProcessInput() {
  for (auto& s : sequences) {
    if (HasBegun(*s)) s->ProcessInput();
  }
}

void CEventSequenceBundler::Draw() {
  for (auto& s : sequences) {
    if (HasBegun(*s)) s->Draw();
  }
}

void CEventSequenceBundler::AddSequence(std::unique_ptr<CEventSequence> sequence) {
  sequences.push_back(std::move(sequence));
}

bool CEventSequenceBundler::IsWaitingForDecide() const {
  return std::any_of(sequences.begin(), sequences.end(),
                     [this](const auto& s) { return HasBegun(*s) && s->IsWaitingForDecide(); });
}

int CEventSequenceBundler::GetFinishedEventCount() const {
  int n = finishedEventsOfDropped;
  for (const auto& s : sequences) n += s->GetFinishedEventCount();
  return n;
}
