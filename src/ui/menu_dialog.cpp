#include "ui/menu_dialog.h"

#include <algorithm>

#include "runtime/globals.h"
#include "ui/window_panes.h"

std::unique_ptr<CDialog> CreateMenuDialog(const std::string& title, const std::vector<SMenuItem>& items) {
  auto dialog = std::make_unique<CDialog>(200, 200);
  dialog->wrapsFocus = true;
  SetGameTitle(*dialog, title);

  std::vector<std::unique_ptr<CPaneContainer>> lines;
  bool focusGiven = false;
  int widest = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const SMenuItem& item = items[i];
    auto line = std::make_unique<CPaneContainer>(item.key, SPoint(10, 5 + 24 * static_cast<int>(i)), 90, 20);
    auto label = std::make_unique<CPaneTextLabel>(item.key + "_label", SPoint(2, 2), fontNormal16, item.caption);
    widest = std::max(widest, label->width);
    line->AddChild(std::move(label));
    if (item.enabled) {
      line->focusable = true;
      if (!focusGiven) line->focused = focusGiven = true;
    }
    lines.push_back(std::move(line));
  }
  for (auto& line : lines) {
    line->width = widest + 4;
    dialog->AddPane(std::move(line));
  }
  dialog->width = widest + 2 * dialog->borderWidth + 24;
  dialog->height = dialog->borderWidth + dialog->titleBarHeight + 24 * static_cast<int>(items.size()) + 10;
  return dialog;
}
