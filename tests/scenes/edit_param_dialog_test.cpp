#include "scenes/edit_param_dialog.h"

#include <gtest/gtest.h>

#include "field/unit.h"
#include "scenes/camp_dialog_test_support.h"

namespace {

using enum EGameKey;

class EditParamDialogTest : public CampDialogTest {
 protected:
  CDialog& Open(CUnit& unit) {
    auto [owned, table] = CreateEditParamDialog(unit);
    CDialog* dialog = gui.OpenDialog({10, 10}, std::move(owned));
    dialog->SetHook(std::make_unique<CDialogHook_EditParamDialog>(table, unit));
    return *dialog;
  }
  static std::string Cell(const CDialog& d, const std::string& row, const std::string& label) {
    return RowLabel(d, row, label + row).text;
  }
};

// The knight raises STR 14 with 13 points: a step from 14 costs 4 + 14 / 5 = 6,
// from 15 and 16 it costs 7.
TEST_F(EditParamDialogTest, StepsArePricedTakenBackFromTheFocusedRowAndKeptUntilYes) {
  CUnit& knight = *party[0];
  knight.str = 14;
  knight.skillPoint = 13;
  knight.hp = 3;
  CDialog& d = Open(knight);
  EXPECT_EQ(Cell(d, "STR", "RequireLabel"), "[ 6]");

  Press(DOWN, 2);
  Press({RIGHT});
  EXPECT_EQ(Focus(d), "STR") << "RIGHT keeps the row";
  EXPECT_EQ(RowLabel(d, "STR", "RightLabelSTR").textColor, EColorName::DarkRed);
  EXPECT_EQ(Cell(d, "STR", "RequireLabel"), "[ 7]") << "the next step's price";
  EXPECT_EQ(Text(d, "LabelRestPoint"), "残りポイント   7");
  Press(RIGHT, 2);
  EXPECT_EQ(Cell(d, "STR", "RightLabel"), "  2") << "0 points left cannot pay 7";

  // LEFT first moves the focus from VIT up to STR, then takes STR's step back.
  Press({DOWN});
  Press({LEFT});
  EXPECT_EQ(Focus(d), "STR");
  EXPECT_EQ(Cell(d, "STR", "RightLabel"), "  1");
  EXPECT_EQ(Text(d, "LabelRestPoint"), "残りポイント   7");

  Press(DOWN, 5);
  Press({RIGHT});
  EXPECT_EQ(Cell(d, "WT", "RightLabel") + Cell(d, "WT", "RequireLabel"), "  0[ - ]") << "WT never changes";

  Press({DECIDE});
  ASSERT_NE(d.GetChild(), nullptr);
  EXPECT_EQ(d.GetChild()->position, SPoint(10 + 125 - 80, 10 + 280 - 15));
  Press({CANCEL});
  EXPECT_NE(d.GetChild(), nullptr) << "only an answer closes the box";
  Press({RIGHT});
  Press({DECIDE});  // いいえ
  EXPECT_EQ(d.GetChild(), nullptr);
  EXPECT_EQ(knight.str, 14);
  EXPECT_EQ(Cell(d, "STR", "RightLabel"), "  1") << "the step is still pending";

  Press({DECIDE});
  Press({DECIDE});  // はい
  EXPECT_EQ(knight.str, 15);
  EXPECT_EQ(knight.skillPoint, 7);
  EXPECT_EQ(knight.hp, knight.maxHp) << "confirming fills HP";
  EXPECT_EQ(Cell(d, "STR", "LeftLabel") + Cell(d, "STR", "RightLabel"), " 15  0");

  // A step of HP (3 + 20 / 10 = 5) dropped with the dialog.
  Press(DOWN, 2);
  Press({RIGHT});
  ASSERT_EQ(Cell(d, "HP", "RightLabel"), "  1");
  const int maxHp = knight.maxHp;
  Press({CANCEL});
  EXPECT_TRUE(gui.GetDialogs().empty());
  EXPECT_EQ(knight.maxHp, maxHp);
  EXPECT_EQ(knight.skillPoint, 7);
}

// DEX 10 under CONCENTRATE reads 35 in battle; the camp raises the own 10.
TEST_F(EditParamDialogTest, ConcentrationNeverBecomesPermanent) {
  CUnit& knight = *party[0];
  knight.dex = 10;
  knight.skillPoint = 6;
  knight.AddExtState({3, EExtState::CONCENTRATE});
  CDialog& d = Open(knight);
  EXPECT_EQ(Cell(d, "DEX", "LeftLabel") + Cell(d, "DEX", "RequireLabel"), " 10[ 6]");
  Press(DOWN, 4);
  Press({RIGHT});
  Press(DECIDE, 2);
  knight.ClearExtStates();
  EXPECT_EQ(knight.GetDex(), 11);
}

}  // namespace
