#include "scenes/confirm_dialog.h"

#include "runtime/globals.h"
#include "ui/window_panes.h"

std::unique_ptr<CDialog> CreateConfirmDialog(const std::string& title) {
  auto box = std::make_unique<CDialog>(160, 60);
  SetGameTitle(*box, title);
  CPaneTextLabel* yes = AddLabel(*box, "yes", {10, 10}, fontNormal16, "はい");
  yes->focusable = true;
  box->SetFocus("yes", true);
  AddLabel(*box, "/", {50, 10}, fontNormal16, "/");
  AddLabel(*box, "no", {70, 10}, fontNormal16, "いいえ")->focusable = true;
  return box;
}

CDialog* OpenConfirmDialog(CDialog& parent, const std::string& title) {
  auto box = CreateConfirmDialog(title);
  const SPoint at(parent.position.x + parent.width / 2 - box->width / 2, parent.position.y + parent.height - 15);
  return parent.OpenChildDialog(at, std::move(box));
}
