// The slot list "データ選択" of the title (to continue) and of the camp (to
// save): 16 lines named "0" … "15", each with its slot's summary or "なし",
// then, in a column of their own, the slot number and when the slot was
// last written ("No.03  2026/12/10 14:05").
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/geometry.h"

class CDialog;

// "No.03", and the local date and time of `fileTime` (ms since 1970 UTC)
// when there is one.
std::string SlotStamp(int slot, std::int64_t fileTime);

// Built unopened, the focus on slot 0. The stamps sit in labels
// "<slot>_stamp" beside the captions; a caption too long to leave room for
// its stamp on the screen goes without. At least 440 wide.
std::unique_ptr<CDialog> CreateSaveSlotListDialog();

// Where the list opens beside `root`: overlapping its right edge, or, when
// it would leave the screen there, over the menu, flush with its left edge.
SPoint SaveSlotListPosition(const CDialog& root, const CDialog& list);
