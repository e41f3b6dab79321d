#include "scenario/event_loader.h"

#include <stdexcept>

#include "scenario/event_say.h"

std::unique_ptr<CEventBase> CreateEvent(const SEventRecord& r, CStage& stage, CUnitSheetCache* sheets) {
  switch (r.type) {
    case EEventType::BGM: return std::make_unique<CEvent_BGM>(stage, r.filePath);
    case EEventType::Say: return std::make_unique<CEvent_Say>(stage, CEvent_Say::BOTTOM, r.unitTag, r.pages);
    case EEventType::Jump: return std::make_unique<CEvent_Jump>(stage, r.unitTag);
    case EEventType::Move:
      return std::make_unique<CEvent_Move>(stage, r.unitTag, r.steps, r.speed, r.directionFixed);
    case EEventType::Turn: return std::make_unique<CEvent_Turn>(stage, r.unitTag, r.direction);
    case EEventType::Wait: return std::make_unique<CEvent_Wait>(stage, r.frame);
    case EEventType::Emotion: return std::make_unique<CEvent_Emotion>(stage, r.unitTag, r.emotion, r.continueFrame);
    case EEventType::AppendUnit:
      return std::make_unique<CEvent_AppendUnit>(stage, r.name, r.imagePath, r.unitTag, r.grid, r.direction, sheets);
    case EEventType::LoadMapCsv: return std::make_unique<CEvent_LoadMapCsv>(stage, r.csvPath);
    case EEventType::MoveCamera: return std::make_unique<CEvent_MoveCamera>(stage, r.target, r.speed);
    case EEventType::RemoveUnit: return std::make_unique<CEvent_RemoveUnit>(stage, r.unitTag);
    case EEventType::Transition: return std::make_unique<CEvent_Transition>(stage, r.transitionType);
  }
  throw std::invalid_argument("an event record of no known type");
}

SEventScript BuildEventScript(const SEventScriptRecord& record, CStage& stage, CUnitSheetCache* sheets) {
  SEventScript script;
  script.nextScriptPath = record.nextScriptPath;
  for (const SBundlerRecord& b : record.bundlers) {
    auto bundler = std::make_unique<CEventSequenceBundler>();
    for (const SSequenceRecord& s : b.sequences) {
      std::vector<std::unique_ptr<CEventBase>> events;
      for (const SEventRecord& e : s.events) events.push_back(CreateEvent(e, stage, sheets));
      bundler->AddSequence(std::make_unique<CEventSequence>(s.startFrame, std::move(events)));
    }
    script.bundlers.push_back(std::move(bundler));
  }
  return script;
}

SEventScript LoadEventScript(const std::string& path, CStage& stage, CUnitSheetCache* sheets) {
  return BuildEventScript(ReadEventScriptFile(path), stage, sheets);
}
