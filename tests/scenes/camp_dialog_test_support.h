// The camp dialogs driven the way a player drives them: opened on a
// manager and fed one key per frame, with the game's fonts, pictures and a
// new game's party (knight, priestess, archer, sorceress, fighter).
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "battle/real_battle_test.h"
#include "ui/dialog.h"
#include "ui/gui_manager.h"
#include "ui/ui_test_support.h"

class CampDialogTest : public RealBattleTest {
 protected:
  // One frame with these keys pushed.
  void Press(std::initializer_list<EGameKey> pushed) {
    keys.pushed = pushed;
    gui.ProcessInput(keys);
    gui.Update();
    keys.pushed.clear();
  }
  // The same key on successive frames.
  void Press(EGameKey key, int times) {
    for (int i = 0; i < times; ++i) Press({key});
  }

  static std::string Focus(const CDialog& dialog) {
    const CPaneBase* pane = dialog.GetFocusedPane();
    return pane ? pane->name : "(none)";
  }
  // A label inside the row container `row`.
  static const CPaneTextLabel& RowLabel(const CDialog& dialog, const std::string& row, const std::string& label) {
    const auto* container = dynamic_cast<const CPaneContainer*>(dialog.FindPane(row));
    const auto* found = container ? dynamic_cast<const CPaneTextLabel*>(container->FindChild(label)) : nullptr;
    if (!found) throw std::runtime_error("no label " + label + " in row " + row);
    return *found;
  }
  static std::string Text(const CDialog& dialog, const std::string& name) {
    const auto* label = dynamic_cast<const CPaneTextLabel*>(dialog.FindPane(name));
    if (!label) throw std::runtime_error("no label " + name);
    return label->text;
  }

  CGuiManager gui;
  CScriptedKeys keys;
};
