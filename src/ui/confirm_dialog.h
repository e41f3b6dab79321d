// The small yes/no box asked before something that cannot be taken back:
// spending points or money in the camp, leaving a battle.
#pragma once

#include <memory>
#include <string>

#include "ui/dialog.h"

// Which answer has the focus when the box opens: "はい" where the question
// confirms what the player just chose, "いいえ" where a slip of a key
// would cost a lot.
enum class EConfirmFocus { YES, NO };

// "はい" ("yes") / "いいえ" ("no") under the question `title`, 160 wide or
// as wide as a longer question needs (the answers then stay in the middle).
// Built unopened, without key sounds or focus wrapping.
std::unique_ptr<CDialog> CreateConfirmDialog(const std::string& title, EConfirmFocus focus = EConfirmFocus::YES);

// Where the box sits on `parent`: over its lower middle.
SPoint ConfirmDialogPosition(const CDialog& parent, const CDialog& box);

// Opens the box as the modal child of `parent`, over its lower middle.
// The parent owns it; the pointer stays valid until the box is closed.
CDialog* OpenConfirmDialog(CDialog& parent, const std::string& title);
