// The small yes/no box the camp asks before it spends points or money.
#pragma once

#include <memory>
#include <string>

#include "ui/dialog.h"

// "はい" ("yes", focused) / "いいえ" ("no") under the question `title`.
// Built unopened, without key sounds or focus wrapping.
std::unique_ptr<CDialog> CreateConfirmDialog(const std::string& title);

// Opens the box as the modal child of `parent`, over its lower middle.
// The parent owns it; the pointer stays valid until the box is closed.
CDialog* OpenConfirmDialog(CDialog& parent, const std::string& title);
