#include "scenes/info_dialogs.h"

#include <gtest/gtest.h>

#include "field/stage_data.h"
#include "scenes/camp_dialog_test_support.h"

namespace {

class InfoDialogsTest : public CampDialogTest {};

// The explanation lines, each checked for its place and width, joined.
std::string Explanation(const CDialog& d) {
  std::string all;
  int m = 0;
  for (const auto& pane : d.GetPanes()) {
    if (pane->name != "LabelExplanation") continue;
    EXPECT_EQ(pane->position, SPoint(10, 30 + 20 * m++));
    EXPECT_LE(pane->width, 292);
    all += dynamic_cast<const CPaneTextLabel&>(*pane).text;
  }
  EXPECT_EQ(m, 2) << "about 24 characters of 16 pixels need two lines of 292";
  return all;
}

TEST_F(InfoDialogsTest, BoxesShowTheTermsAndWrapTheExplanation) {
  const auto map = CreateScenarioInfoDialog(2);
  EXPECT_EQ(Text(*map, "LabelSortieUnitNum"), "出撃可能ユニット数: 4");
  EXPECT_EQ(Text(*map, "LabelClearMoney"), "クリア報酬: 120円");

  const auto dex = CreateParamInfoDialog(EStatusType::DEX);
  EXPECT_EQ(Text(*dex, "LabelName"), "器用さ");
  EXPECT_EQ(Explanation(*dex), "解説:器用さです。武器攻撃の命中率に影響します。");

  const auto taunt = CreateSkillInfoDialog(ESkill::PROVOCATION);
  EXPECT_EQ(Text(*taunt, "LabelMP"), "消費MP:5");
  EXPECT_EQ(Explanation(*taunt), "解説:敵を挑発し自分を狙わせるようにします。5ターン継続。");

  EXPECT_THROW(CreateScenarioInfoDialog(9), CNoSuchStageError);
  EXPECT_THROW(CreateSkillInfoDialog(static_cast<ESkill>(SKILL_COUNT)), std::runtime_error);
  EXPECT_THROW(CreateParamInfoDialog(static_cast<EStatusType>(STATUS_TYPE_COUNT)), std::runtime_error);
}

}  // namespace
