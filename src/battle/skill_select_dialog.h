// The list a party member picks a battle skill from.
#pragma once

#include <memory>

#include "ui/dialog.h"

class CUnit;

// One row per skill, in the unit's order, each a focusable container named
// by its index in the unit's skills ("0", "1", …) holding the skill's name
// and MP cost. A skill the unit has too little MP for is greyed but can still
// take the focus; the command that reads the choice refuses it.
std::unique_ptr<CDialog> CreateSkillSelectDialog(const CUnit& unit);
