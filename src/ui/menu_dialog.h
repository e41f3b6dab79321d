// The vertical menus of the game: one line per item, disabled items shown
// but never focused, the focus wrapping from the last line to the first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/dialog.h"

struct SMenuItem {
  bool enabled = true;
  std::string key;      // the pane name game code reads back
  std::string caption;  // the text shown
};

// Builds the menu unopened; the item containers are named by their keys and
// their labels by key + "_label".
std::unique_ptr<CDialog> CreateMenuDialog(const std::string& title, const std::vector<SMenuItem>& items);
