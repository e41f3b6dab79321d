#include "scenes/party_dialogs.h"

#include <gtest/gtest.h>

#include "battle/stage.h"
#include "field/stage_data.h"
#include "runtime/scene.h"
#include "scenes/camp_dialog_test_support.h"
#include "scenes/dialog_rows.h"
#include "ui/panes.h"

namespace {

using enum EGameKey;

TEST(DialogRows, OnlyThePlainDecimalOfAnExistingRowIsARow) {
  struct Case {
    const char* name;
    std::optional<std::size_t> row;
  };
  const Case cases[] = {
      {"0", 0}, {"4", 4}, {"5", std::nullopt}, {"", std::nullopt}, {"04", std::nullopt}, {"+1", std::nullopt},
      {"-0", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt}, {"decide", std::nullopt},
      {"18446744073709551616", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRowIndex(c.name, 5), c.row) << '"' << c.name << '"';
}

class PartyDialogsTest : public CampDialogTest {};

TEST_F(PartyDialogsTest, UnitListShowsSkillPointsOnlyWhenAsked) {
  party[2]->skillPoint = 7;
  for (bool shown : {false, true}) {
    const auto list = CreateUnitListDialog(party, shown);
    EXPECT_EQ(Focus(*list), "0");
    const auto& row = dynamic_cast<const CPaneContainer&>(*list->FindPane("2"));
    const auto* points = dynamic_cast<const CPaneTextLabel*>(row.FindChild("SkillPoint2"));
    EXPECT_EQ(points ? points->text : "(none)", shown ? "  7pt" : "(none)");
  }
}

TEST_F(PartyDialogsTest, SortieRefusesNoneOrTooManyAndSendsTheChosenInPartyOrder) {
  auto [owned, table] = CreateSortieDialog(party, 2);
  CDialog* dialog = gui.OpenDialog({10, 10}, std::move(owned));
  std::vector<CPaneImage*> hands;
  for (const SSortieEntry& e : table) hands.push_back(e.hand);
  dialog->SetHook(std::make_unique<CDialogHook_SortieUnitSelectDialog>(std::move(table), 2, 0));
  EXPECT_EQ(dialog->title, "出撃ユニット選択(0/2)");

  Press({UP});  // wraps to the line below the rows
  EXPECT_EQ(Focus(*dialog), "decide");
  Press({DECIDE});
  EXPECT_EQ(nextScene, nullptr) << "nobody chosen";

  // The archer first, then the knight, then one too many.
  Press({DOWN});
  Press(DOWN, 2);
  Press({DECIDE});
  Press(UP, 2);
  Press({DECIDE});
  EXPECT_EQ(dialog->title, "出撃ユニット選択(2/2)");
  EXPECT_EQ(dialog->titleColor, EColorName::White);
  Press({DOWN});
  Press({DECIDE});
  EXPECT_EQ(dialog->title, "出撃ユニット選択(3/2)");
  EXPECT_EQ(dialog->titleColor, kOverLimitTitleColor);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(hands[i]->visible, i <= 2) << "hand of unit " << i;
  Press(UP, 2);
  Press({DECIDE});
  EXPECT_EQ(nextScene, nullptr) << "three chosen where two may go";

  Press(DOWN, 2);  // back to the priestess, who stays home
  Press({DECIDE});
  EXPECT_EQ(dialog->titleColor, EColorName::White);
  EXPECT_FALSE(hands[1]->visible);
  Press(UP, 2);
  Press({DECIDE});
  auto* battle = dynamic_cast<CStage*>(nextScene.get());
  ASSERT_NE(battle, nullptr);
  EXPECT_EQ(battle->stageNo, 0);
  const CZoneInfo zone = GetStageData(0);
  EXPECT_EQ(party[0]->grid, zone.starts[0].grid) << "the knight leads although chosen second";
  EXPECT_EQ(party[2]->grid, zone.starts[1].grid);
  for (int i : {1, 3, 4}) EXPECT_EQ(party[i]->stage, nullptr) << "unit " << i << " stays in the camp";
  nextScene.reset();

  Press({CANCEL});
  EXPECT_TRUE(gui.GetDialogs().empty());
}

}  // namespace
