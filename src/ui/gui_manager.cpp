#include "ui/gui_manager.h"

#include <algorithm>

#include "runtime/gamelib/gamelib.h"
#include "ui/dialog.h"

CGuiManager::CGuiManager() = default;
CGuiManager::~CGuiManager() = default;

void CGuiManager::Draw() {
  // By index: a hook may open a dialog while we walk the list.
  for (std::size_t i = 0; i < dialogs.size(); ++i) dialogs[i]->Draw();
}

void CGuiManager::Update() {
  for (std::size_t i = 0; i < dialogs.size(); ++i) dialogs[i]->Update();
  std::erase_if(dialogs, [](const std::unique_ptr<CDialog>& d) { return d->IsClosed(); });
}

void CGuiManager::ProcessInput(CKeyManagerBase& keyManager) {
  if (dialogs.empty()) return;
  dialogs.back()->ProcessInput(keyManager);
}

CDialog* CGuiManager::OpenDialog(SPoint at, std::unique_ptr<CDialog> dialog) {
  CDialog* raw = dialog.get();
  raw->SetManager(this);
  raw->position = at;
  raw->SetActive(true);
  raw->Layout();
  dialogs.push_back(std::move(dialog));
  return raw;
}

void CGuiManager::SetClipArea(const CRect& area) {
  clipArea = area;
  SetDrawArea(area.left, area.top, area.right, area.bottom);
}

CRect CGuiManager::GetClipArea() const { return clipArea; }
