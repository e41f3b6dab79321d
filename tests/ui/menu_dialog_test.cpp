#include "ui/menu_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "assets/headless_library.h"
#include "gfx/draw_data.h"
#include "runtime/globals.h"
#include "ui/gui_manager.h"
#include "ui/ui_test_support.h"

namespace {

// Menus measure their captions, so these run on the real (offscreen) library
// with a font of our own standing in for the game's 16 pixel font.
class MenuDialogTest : public HeadlessLibraryTest {
 protected:
  void SetUp() override {
    HeadlessLibraryTest::SetUp();
    font = CreateFontToHandle(nullptr, 16, 3, DX_FONTTYPE_NORMAL);
    ASSERT_GE(font, 0);
    savedFont = std::exchange(fontNormal16, font);
  }
  void TearDown() override {
    fontNormal16 = savedFont;
    HeadlessLibraryTest::TearDown();
  }
  int Width(const std::string& s) const { return GetDrawStringWidthToHandle(s.c_str(), static_cast<int>(s.size()), font); }

  int font = -1;
  int savedFont = 0;
};

TEST_F(MenuDialogTest, SizesItselfToTheWidestCaptionAndFocusesTheFirstEnabledLine) {
  auto menu = CreateMenuDialog("Camp", {{false, "sortie", "Sortie"}, {true, "skill", "Learn skills"}, {true, "save", "Save"}});
  const int m = std::max({Width("Sortie"), Width("Learn skills"), Width("Save")});
  ASSERT_GT(m, 0);
  EXPECT_EQ(menu->width, m + 32);
  EXPECT_EQ(menu->height, 34 + 24 * 3);
  EXPECT_TRUE(menu->wrapsFocus);
  EXPECT_EQ(menu->title, "Camp");
  EXPECT_EQ(menu->font, font);
  EXPECT_EQ(menu->titleColor, EColorName::White);

  const char* keys[] = {"sortie", "skill", "save"};
  ASSERT_EQ(menu->GetPanes().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const auto& line = dynamic_cast<const CPaneContainer&>(*menu->GetPanes()[i]);
    EXPECT_EQ(line.name, keys[i]);
    EXPECT_EQ(line.position, SPoint(10, 5 + 24 * i));
    EXPECT_EQ(line.width, m + 4);
    EXPECT_EQ(line.height, 20);
    EXPECT_EQ(line.focusable, i > 0) << "a disabled line never takes the focus";
    EXPECT_EQ(line.focused, i == 1);
    const CPaneBase* label = line.FindChild(std::string(keys[i]) + "_label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->position, SPoint(2, 2));
    EXPECT_EQ(label->height, 16);
  }
  EXPECT_EQ(menu->GetFocusedPane()->name, "skill");

  // Wrapping skips the disabled first line.
  menu->MovePaneFocuse(3);
  menu->MovePaneFocuse(3);
  EXPECT_EQ(menu->GetFocusedPane()->name, "skill");
  menu->MovePaneFocuse(1);
  EXPECT_EQ(menu->GetFocusedPane()->name, "save");

  auto empty = CreateMenuDialog("None", {});
  EXPECT_EQ(empty->width, 32);
  EXPECT_EQ(empty->height, 34);
  EXPECT_EQ(empty->GetFocusedPane(), nullptr);
}

TEST_F(MenuDialogTest, EditBoxTakesTheKeysWhileEditingAndKeepsTheTextOnCancel) {
  CGuiManager gui;
  auto owned = std::make_unique<CDialog>(200, 80);
  auto box = std::make_unique<CPaneEditBox>("name", SPoint(4, 4), 8, "Alma");
  box->focusable = box->focused = true;
  CPaneEditBox* edit = owned->Add(std::move(box));
  owned->AddPane(std::make_unique<CPaneGauge>("below", SPoint(4, 40), 20, 8))->focusable = true;
  CDialog* d = gui.OpenDialog({0, 0}, std::move(owned));
  EXPECT_EQ(edit->width, Width("        "));
  EXPECT_EQ(edit->height, 16);

  CScriptedKeys keys;
  keys.pushed = {EGameKey::DECIDE};
  gui.ProcessInput(keys);
  ASSERT_TRUE(edit->IsEditing());
  keys.pushed = {EGameKey::DOWN, EGameKey::DECIDE};
  gui.ProcessInput(keys);
  EXPECT_EQ(d->GetFocusedPane(), edit) << "the dialog leaves the keys to the entry";

  gamelib_test::TypeText("ra");
  gamelib_test::PressEditKey(KEY_INPUT_RETURN);
  gui.Update();
  EXPECT_FALSE(edit->IsEditing());
  EXPECT_FALSE(edit->capturesInput);
  EXPECT_EQ(edit->text, "Almara");

  edit->Decide();
  gamelib_test::TypeText("zzz");
  gamelib_test::PressEditKey(KEY_INPUT_ESCAPE);
  gui.Update();
  EXPECT_FALSE(edit->IsEditing());
  EXPECT_EQ(edit->text, "Almara") << "a cancelled entry keeps the old text";
}

// Draws a menu and a dialog of every pane kind and saves the picture for a
// person to look at; the frame colour is checked on a pixel.
TEST_F(MenuDialogTest, RendersASampleScreen) {
  CGuiManager gui;
  auto menu = CreateMenuDialog("Command", {{true, "move", "Move"}, {true, "attack", "Attack"},
                                           {false, "skill", "Skill"}, {true, "wait", "Stand by"}});
  CDialog* menuDialog = gui.OpenDialog({20, 10}, std::move(menu));
  menuDialog->MovePaneFocuse(3);

  auto panes = std::make_unique<CDialog>(300, 220);
  panes->title = "Status";
  panes->font = font;
  panes->titleColor = EColorName::White;
  panes->hasVerticalScrollBar = true;
  auto label = std::make_unique<CPaneTextLabel>("hp", SPoint(8, 6), font, "HP 35/40");
  label->drawsBackground = true;
  label->backgroundColor = EColorName::LightGray;
  panes->AddPane(std::move(label));
  auto gauge = std::make_unique<CPaneGauge>("hp_gauge", SPoint(100, 8), 120, 12);
  gauge->value = 35;
  gauge->maximum = 40;
  panes->AddPane(std::move(gauge));
  auto button = std::make_unique<CPaneButton>("ok", SPoint(8, 34), font, "OK");
  button->focusable = button->focused = true;
  panes->AddPane(std::move(button));
  panes->AddPane(std::make_unique<CPaneEditBox>("name", SPoint(80, 36), 10, "Knight"));
  SDrawData picture(LoadGraph("dat/image/ui_parts/hand.png"));
  picture.SetSizeFromImage();
  panes->AddPane(std::make_unique<CPaneImage>("hand", SPoint(8, 70), picture));
  auto box = std::make_unique<CPaneContainer>("box", SPoint(80, 70), 60, 20);
  box->AddChild(std::make_unique<CPaneTextLabel>("clipped", SPoint(2, 2), font, "A caption far too long"));
  panes->AddPane(std::move(box));
  CDialog* paneDialog = gui.OpenDialog({200, 120}, std::move(panes));

  ClsDrawScreen();
  gui.Update();
  gui.Draw();
  const auto path = std::filesystem::temp_directory_path() / "quorvane_dialogs.png";
  ASSERT_EQ(SaveScreenshot(path.string().c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(path));
  // Left border of the active status dialog: Sienna.
  EXPECT_EQ(gamelib_test::GetBackBufferPixel(paneDialog->position.x + 2, paneDialog->position.y + 100), 0xA0522Du);
}

}  // namespace
