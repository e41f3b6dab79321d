// A story script turned into the events that play it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scenario/event_script.h"
#include "scenario/event_sequence.h"

class CStage;

struct SEventScript {
  std::vector<std::unique_ptr<CEventSequenceBundler>> bundlers;
  std::string nextScriptPath;
};

// The event of one <event> record, for `stage`.
std::unique_ptr<CEventBase> CreateEvent(const SEventRecord& record, CStage& stage, CUnitSheetCache* sheets);
SEventScript BuildEventScript(const SEventScriptRecord& record, CStage& stage, CUnitSheetCache* sheets = nullptr);
// Reads the script file and builds its events. Throws CEventScriptError, and
// then nothing of the script has been built.
SEventScript LoadEventScript(const std::string& path, CStage& stage, CUnitSheetCache* sheets = nullptr);
