// Attack acts driven frame by frame as the unit action drives them (this
// frame's results, then the act's update, then the battle moves its
// bullets), against frame counts worked out by hand.
#include "combat/attack_act.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "battle/small_battle.h"
#include "combat/bullet.h"
#include "core/map_grid.h"

namespace {

using D = EDirection4;

// One act on a small battle. Frame n is the n-th call of Step.
struct SActRun {
  SActRun(CSmallBattle& battle_, EAttackActType kind, CUnit& attacker, std::vector<SPoint> grids,
          ESkill skill = ESkill::FIRE_BOLT)
      : battle(battle_), act(MakeAttackAct(kind, battle_, attacker, std::move(grids), skill)) {}

  // One frame; the results of this frame.
  std::vector<CAttackInfo> Step() {
    ++frame;
    std::vector<CAttackInfo> results;
    if (!act->IsEnd()) {
      results = act->GetAttackInfos();
      act->Update();
      if (act->IsEnd() && !endFrame) endFrame = frame;
    }
    if (!results.empty() && !resultsFrame) resultsFrame = frame;
    battle.Update();
    return results;
  }

  // The bullet standing at `position` (a spell visual), if any.
  CBullet* BulletAt(SPointD position) const {
    for (const auto& b : battle.bullets) {
      if (b->position == position) return dynamic_cast<CBullet*>(b.get());
    }
    return nullptr;
  }

  CSmallBattle& battle;
  std::unique_ptr<CAttackActBase> act;
  int frame = 0;
  std::optional<int> resultsFrame;
  std::optional<int> endFrame;
};

// The fire wall's pillars and a status spell's sparkle emitter appear on
// the act's 14th frame (its frame counter at 13) and live their own lives
// after the act: a pillar burns at full strength through its 31st update
// (frame 44), fades 10 an update and is gone in its 52nd (frame 65); an
// emitter gives five sparkles and is gone in its 32nd update (frame 45).
// Both acts end on their 38th frame, with their results.
TEST(AttackActTest, SpellVisualsOutliveTheirAct) {
  {
    CSmallBattle battle({".....", ".....", "....."});
    CUnit& caster = battle.Add(ECharactor::SORCERESS, 0, {0, 1}, D::RIGHT);
    battle.Add(ECharactor::SLIME, 1, {3, 1});
    SActRun run(battle, EAttackActType::FIRE_WALL, caster, {{3, 1}, {3, 0}});
    const SPointD pillar = GridToPixel({3, 1}) + SPointD(0.0, -16.0);
    while (run.frame < 44) run.Step();
    EXPECT_EQ(run.endFrame, 38);
    EXPECT_EQ(run.resultsFrame, 38);
    ASSERT_NE(run.BulletAt(pillar), nullptr) << "the pillar burns on after the act";
    EXPECT_DOUBLE_EQ(run.BulletAt(pillar)->drawData.GetAlpha(), 255.0);
    run.Step();
    EXPECT_DOUBLE_EQ(run.BulletAt(pillar)->drawData.GetAlpha(), 245.0);
    while (run.frame < 64) run.Step();
    ASSERT_NE(run.BulletAt(pillar), nullptr);
    EXPECT_DOUBLE_EQ(run.BulletAt(pillar)->drawData.GetAlpha(), 55.0);
    run.Step();
    EXPECT_EQ(run.BulletAt(pillar), nullptr);
    EXPECT_TRUE(battle.bullets.empty());
  }
  {
    CSmallBattle battle({"....."});
    CUnit& caster = battle.Add(ECharactor::SORCERESS, 0, {0, 0}, D::RIGHT);
    battle.Add(ECharactor::SLIME, 1, {2, 0});
    SActRun run(battle, EAttackActType::POISON, caster, {{2, 0}}, ESkill::POISON);
    const SPointD emitter = GridToPixel({2, 0});
    while (run.frame < 44) run.Step();
    EXPECT_EQ(run.endFrame, 38);
    EXPECT_NE(run.BulletAt(emitter), nullptr) << "the emitter sparkles on after the act";
    run.Step();
    EXPECT_EQ(run.BulletAt(emitter), nullptr);
    EXPECT_EQ(battle.effects.size(), 5u) << "every sparkle was given";
  }
}

// The fire ball leaves (23, 16) on frame 14, 3 pixels a frame to the right.
// At a slime one grid off it is in the slime's grid after its 3rd step
// (frame 16), arrives on frame 17 and strikes on frame 18, but the act holds
// the rod's motion until its frame counter passes 36: frame 38. Ten grids
// off it arrives after 99 steps (x = 320, frame 113) and the act ends with
// the results on frame 114.
TEST(AttackActTest, AFireBoltEndsNoSoonerThanTheRodsMotion) {
  struct Case {
    int distance;
    int resultsFrame;
    int endFrame;
  };
  for (const Case c : {Case{1, 18, 38}, Case{10, 114, 114}}) {
    CSmallBattle battle({"..........."});
    CUnit& caster = battle.Add(ECharactor::SORCERESS, 0, {0, 0}, D::RIGHT);
    battle.Add(ECharactor::SLIME, 1, {c.distance, 0});
    SActRun run(battle, EAttackActType::FIRE_BOLT, caster, {{c.distance, 0}});
    while (!run.endFrame && run.frame < 300) run.Step();
    EXPECT_EQ(run.resultsFrame, c.resultsFrame) << c.distance;
    EXPECT_EQ(run.endFrame, c.endFrame) << c.distance;
  }
}

// Three arrows from (0, 1) to the column x = 3. One wall at (2, 1) stops the
// middle arrow only (the outer paths pass 20 pixels from its centre): the
// two outer slimes are struck, top first. A wall in each row stops every
// arrow: the act still ends, with an empty list.
TEST(AttackActTest, AnArrowShowerStrikesOnlyTheGridsItsArrowsReach) {
  struct Case {
    std::vector<std::string> map;
    std::vector<SPoint> struck;
  };
  const Case cases[] = {
      {{"....", "..#.", "...."}, {{3, 0}, {3, 2}}},
      {{"..#.", "..#.", "..#."}, {}},
  };
  for (const Case& c : cases) {
    CSmallBattle battle(c.map);
    CUnit& archer = battle.Add(ECharactor::ARCHER, 0, {0, 1}, D::RIGHT);
    archer.dex = 1000;
    for (int y = 0; y < 3; ++y) battle.Add(ECharactor::SLIME, 1, {3, y});
    SActRun run(battle, EAttackActType::ARROW_SHOWER, archer, {{3, 0}, {3, 1}, {3, 2}});
    std::vector<SPoint> struck;
    while (!run.endFrame && run.frame < 200) {
      for (const CAttackInfo& r : run.Step()) struck.push_back(r.target->grid);
    }
    ASSERT_TRUE(run.endFrame) << c.map[0];
    EXPECT_EQ(struck, c.struck) << c.map[0];
    run.Step();
    EXPECT_TRUE(battle.bullets.empty()) << "no arrow and no bow left behind";
  }
}

}  // namespace
