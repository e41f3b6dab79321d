// The camp's information boxes beside its lists: a map's terms, what a
// parameter does, what a skill does. Nothing in them takes the focus.
#pragma once

#include <memory>

#include "field/attack_types.h"
#include "field/unit_status.h"
#include "ui/dialog.h"

// Throws CNoSuchStageError for a stage outside 0..8.
std::unique_ptr<CDialog> CreateScenarioInfoDialog(int stageNo);
// Throw std::runtime_error for a value outside their tables.
std::unique_ptr<CDialog> CreateParamInfoDialog(EStatusType status);
std::unique_ptr<CDialog> CreateSkillInfoDialog(ESkill skill);
