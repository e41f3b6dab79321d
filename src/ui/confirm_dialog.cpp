#include "ui/confirm_dialog.h"

#include <algorithm>

#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "ui/window_panes.h"

std::unique_ptr<CDialog> CreateConfirmDialog(const std::string& title, EConfirmFocus focus) {
  auto box = std::make_unique<CDialog>(160, 60);
  SetGameTitle(*box, title);
  const int titleWidth = GetDrawStringWidthToHandle(title.c_str(), static_cast<int>(title.size()), fontNormal16);
  box->width = std::max(box->width, titleWidth + 2 * box->borderWidth + 8);
  const int x = (box->width - 160) / 2;
  AddLabel(*box, "yes", {x + 10, 10}, fontNormal16, "はい")->focusable = true;
  AddLabel(*box, "/", {x + 50, 10}, fontNormal16, "/");
  AddLabel(*box, "no", {x + 70, 10}, fontNormal16, "いいえ")->focusable = true;
  box->SetFocus(focus == EConfirmFocus::YES ? "yes" : "no", true);
  return box;
}

SPoint ConfirmDialogPosition(const CDialog& parent, const CDialog& box) {
  return {parent.position.x + parent.width / 2 - box.width / 2, parent.position.y + parent.height - 15};
}

CDialog* OpenConfirmDialog(CDialog& parent, const std::string& title) {
  auto box = CreateConfirmDialog(title);
  const SPoint at = ConfirmDialogPosition(parent, *box);
  return parent.OpenChildDialog(at, std::move(box));
}
