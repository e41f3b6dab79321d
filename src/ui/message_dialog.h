// A box of wrapped text under a title: congratulations, warnings, notes.
#pragma once

#include <memory>
#include <string>

#include "ui/dialog.h"

// Built unopened; the lines are labels "LabelExplanation0", "…1", ….
std::unique_ptr<CDialog> CreateMessageDialog(const std::string& title, const std::string& message, int width,
                                             int height);
