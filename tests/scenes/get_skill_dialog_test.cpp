#include "scenes/get_skill_dialog.h"

#include <gtest/gtest.h>

#include "field/unit.h"
#include "persist/save_data.h"
#include "scenes/camp_dialog_test_support.h"

namespace {

using enum EGameKey;

class GetSkillDialogTest : public CampDialogTest {
 protected:
  void SetUp() override {
    CampDialogTest::SetUp();
    saveData = NewGameSaveData();
  }
  void TearDown() override { saveData.reset(); }

  CDialog& Open(CUnit& unit, int money) {
    auto [owned, table] = CreateGetSkillDialog(unit, money);
    CDialog* dialog = gui.OpenDialog({10, 10}, std::move(owned));
    dialog->SetHook(std::make_unique<CDialogHook_GetSkillDialog>(std::move(table), unit));
    return *dialog;
  }
  // "x" for a grey row, "-" for a black one; the three labels must agree.
  static std::string GreyRows(const CDialog& d) {
    std::string rows;
    for (int j = 0; j < 5; ++j) {
      const std::string n = std::to_string(j);
      const EColorName c = RowLabel(d, n, "LabelSkill" + n).textColor;
      const bool agree =
          RowLabel(d, n, "LabelLearned" + n).textColor == c && RowLabel(d, n, "LabelRequire" + n).textColor == c;
      rows += !agree ? "?" : c == kUnavailableTextColor ? "x" : "-";
    }
    return rows;
  }
};

// The sorceress knows fire bolt (row 0); poison and lightning cost 80,
// poison cloud 120 and fire wall 150.
TEST_F(GetSkillDialogTest, BuyingGreysTheSkillAndWhatHasBecomeTooDear) {
  CUnit& sorceress = *party[3];
  CDialog& d = Open(sorceress, 200);
  EXPECT_EQ(GreyRows(d), "x----");
  Press({DECIDE});
  EXPECT_EQ(d.GetChild(), nullptr) << "a learned skill is not offered";

  Press(DOWN, 2);
  Press({DECIDE});
  ASSERT_NE(d.GetChild(), nullptr);
  Press({CANCEL});
  Press({DECIDE});  // はい
  EXPECT_EQ(saveData->money, 120);
  EXPECT_EQ(Text(d, "LabelRestPoint"), "所持金  120円");
  EXPECT_EQ(RowLabel(d, "2", "LabelLearned2").text, "習得済");
  EXPECT_EQ(GreyRows(d), "x-x-x");

  Press({UP});
  Press({DECIDE});
  Press({RIGHT});
  Press({DECIDE});  // いいえ
  EXPECT_EQ(saveData->money, 120);
  Press(DECIDE, 2);  // はい
  EXPECT_EQ(saveData->money, 40);
  EXPECT_EQ(GreyRows(d), "xxxxx");
  EXPECT_EQ(sorceress.skills, (std::vector<ESkill>{ESkill::FIRE_BOLT, ESkill::LIGHTNING_BOLT, ESkill::POISON}))
      << "bought skills follow in the order of purchase";

  Press(DOWN, 2);
  Press({DECIDE});
  EXPECT_EQ(d.GetChild(), nullptr) << "poison cloud costs 120";
}

TEST_F(GetSkillDialogTest, AUnitWithoutClassSkillsGetsAnEmptyListThatIgnoresDecide) {
  CUnit slime(ECharactor::SLIME, 1, {0, 0});
  slime.InitByCharactor();
  CDialog& d = Open(slime, 500);
  EXPECT_EQ(d.GetPanes().size(), 1u) << "the money line only";
  Press({DECIDE});
  EXPECT_EQ(d.GetChild(), nullptr);
  EXPECT_EQ(saveData->money, CSaveData::kNewGameMoney);
}

}  // namespace
