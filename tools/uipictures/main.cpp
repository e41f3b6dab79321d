// Renders the battle information windows and a sample menu over a real
// battle with the game's own renderer and writes each picture twice: as the
// 640x480 screen and as a window scaled to 1280x960. Used to look at the
// windows' layout and text; run it from the folder holding dat/.
//
//   uipictures OUTDIR
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/action_predict_window.h"
#include "battle/announce.h"
#include "battle/cursor.h"
#include "battle/skill_select_dialog.h"
#include "battle/stage.h"
#include "battle/status_window.h"
#include "field/enemy.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "game/main_loop.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "ui/gui_manager.h"
#include "ui/menu_dialog.h"
#include "ui/message_dialog.h"

namespace {

std::unique_ptr<CUnit> PartyMember(ECharactor charactor) {
  auto unit = std::make_unique<CUnit>(charactor, 0, SPoint(0, 0));
  unit->InitByCharactor();
  return unit;
}

// Every skill of the class, learned or not, so that the list scrolls.
void LearnEverything(CUnit& unit) {
  unit.skills.clear();
  for (const SClassSkill& s : GetClassInfo(unit.charactor).skills) unit.skills.push_back(s.skill);
}

CUnit* FindEnemy(CStage& stage) {
  for (CUnit* u : stage.state.units)
    if (u->team != 0) return u;
  return nullptr;
}

class CPictureWriter {
 public:
  explicit CPictureWriter(std::filesystem::path dir) : outDir(std::move(dir)) {}

  // Draws the battle, then `drawOver`, and writes NAME.png and NAME@2x.png.
  void Write(const std::string& name, CStage& stage, const std::function<void()>& drawOver) {
    ClsDrawScreen();
    stage.Draw();
    if (drawOver) drawOver();
    Save(name);
  }

 private:
  void Save(const std::string& name) {
    const std::string flat = (outDir / (name + ".png")).string();
    const std::string scaled = (outDir / (name + "@2x.png")).string();
    if (SaveScreenshot(flat.c_str()) != 0 || gamelib_test::SaveWindowPicture(scaled.c_str(), 1280, 960) != 0) {
      throw std::runtime_error("could not write " + flat);
    }
    std::printf("%s\n%s\n", flat.c_str(), scaled.c_str());
  }

  std::filesystem::path outDir;
};

void RenderAll(const std::filesystem::path& outDir) {
  std::vector<std::unique_ptr<CUnit>> party;
  for (ECharactor c : {ECharactor::KNIGHT, ECharactor::PRIESTESS, ECharactor::ARCHER, ECharactor::SORCERESS,
                       ECharactor::FIGHTER}) {
    party.push_back(PartyMember(c));
  }
  std::vector<CUnit*> sortie;
  for (auto& u : party) sortie.push_back(u.get());

  CStage stage(0, sortie);
  // Past the opening telop, into browsing.
  for (int i = 0; i <= CStrategy_Telop::kHandOverFrame; ++i) stage.Update();
  CUnit& knight = *party[0];
  CUnit& priestess = *party[1];
  CUnit& sorceress = *party[3];
  CUnit* enemy = FindEnemy(stage);
  if (!enemy) throw std::runtime_error("stage 0 has no enemy to show");

  // Wear the units a little so the gauges and effects have something to show.
  knight.hp = knight.maxHp * 2 / 3;
  knight.skillPoint = 12;
  knight.extStates = {{3, EExtState::FAST}};
  enemy->hp = enemy->maxHp / 2;
  enemy->extStates = {{2, EExtState::POISON}, {3, EExtState::SLOW}, {1, EExtState::MOVE_DOWN},
                      {4, EExtState::PROVOCATION}};
  LearnEverything(sorceress);
  sorceress.mp = 5;  // the dearer skills are greyed

  CPictureWriter writer(outDir);

  // The small box of the unit under the cursor, placed by the battle scene.
  stage.cursor->visible = true;
  stage.cursor->SetGrid(enemy->grid);
  stage.FollowCursor();
  stage.UpdateCheapStatusWindow();
  writer.Write("cheap_status_enemy", stage, nullptr);
  stage.cursor->SetGrid(knight.grid);
  stage.FollowCursor();
  stage.UpdateCheapStatusWindow();
  writer.Write("cheap_status_knight", stage, nullptr);

  stage.showCheapStatus = false;
  CStatusWindow status(knight, {195, 130});
  writer.Write("status_knight", stage, [&] { status.Draw(); });

  CActionPredictWindow weapon(knight, *enemy, true, true, false, ESkill::FIRE_BOLT);
  writer.Write("predict_weapon_lower", stage, [&] { weapon.Draw(); });
  CActionPredictWindow heal(priestess, knight, false, true, true, GetClassInfo(ECharactor::PRIESTESS).skills[0].skill);
  writer.Write("predict_heal_upper", stage, [&] { heal.Draw(); });

  CGuiManager skills;
  skills.OpenDialog({170, 140}, CreateSkillSelectDialog(sorceress));
  writer.Write("skill_select", stage, [&] { skills.Draw(); });

  CGuiManager menu;
  menu.OpenDialog({40, 60}, CreateMenuDialog("コマンド", {{true, "move", "移動"},
                                                         {true, "attack", "攻撃"},
                                                         {false, "skill", "スキル"},
                                                         {true, "status", "ステータス"},
                                                         {true, "wait", "待機"}}));
  writer.Write("menu", stage, [&] { menu.Draw(); });

  // The victory's result dialog (one member down) and the all-clear box.
  saveData = NewGameSaveData();
  stage.state.battleSkillPoint = 7;
  priestess.hp = 0;
  CGuiManager result;
  auto resultDialog = CreateSkillPointResultDialog(stage);
  const SPoint resultAt(320 - resultDialog->width / 2, 240 - resultDialog->height / 2);
  result.OpenDialog(resultAt, std::move(resultDialog));
  writer.Write("stage_clear_result", stage, [&] { result.Draw(); });
  CGuiManager cleared;
  cleared.OpenDialog({120, 190}, CreateMessageDialog("素晴らしい！！",
                                                     "全てのマップのクリアおめでとうございます！全てのマップをリトライせず"
                                                     "にクリアしたのでおまけマップが開放されました。",
                                                     400, 100));
  writer.Write("all_cleared", stage, [&] { cleared.Draw(); });
  saveData.reset();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: uipictures OUTDIR   (run from the folder holding dat/)\n");
    return 2;
  }
  gamelib_test::UseHeadlessDrivers();
  SetGraphMode(640, 480, 32, 60);
  if (GameLib_Init() != 0) {
    std::fprintf(stderr, "uipictures: the game library did not start: %s\n", GameLib_GetLastError());
    return 1;
  }
  int rc = 0;
  try {
    std::filesystem::create_directories(argv[1]);
    SetTransColor(255, 0, 255);
    SetDrawMode(DX_DRAWMODE_BILINEAR);
    CreateFonts();
    imageManager = std::make_unique<CImageManager>();
    LoadUnitSprites();
    soundManager = std::make_unique<CSoundManager>(false);
    InstallUnitActorMaker();
    RenderAll(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "uipictures: %s\n", e.what());
    rc = 1;
  }
  soundManager.reset();
  imageManager.reset();
  GameLib_End();
  return rc;
}
