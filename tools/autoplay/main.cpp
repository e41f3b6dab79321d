// Fights one battle with nobody at the keys: the new game's party is steered
// by the same AI kinds as the enemies, and the real battle scene runs frame
// by frame (announcements, dispatch, actions, hit stops) without waiting for
// the frame timer. Prints one line and nothing else on standard output:
//
//   stage S seed N result cleared|gameover|timeout turns T frames F hits H misses M kills K
//
// Run it from the folder holding dat/; it writes nothing there.
//
//   autoplay --stage S --seed N [--max-frames F] [--render]
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/announce.h"
#include "battle/charactor.h"
#include "battle/enemy.h"
#include "battle/stage.h"
#include "battle/stage_data.h"
#include "battle/stage_strategies.h"
#include "battle/unit.h"
#include "battle/unit_ai.h"
#include "battle/unit_command_ai.h"
#include "combat/skill_table.h"
#include "combat/unit_action.h"
#include "core/random.h"
#include "game/main_loop.h"
#include "persist/option_info.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"

namespace {

constexpr long kDefaultMaxFrames = 200000;
constexpr int kPartySearchRange = DEFAULT_AI_SEARCH_RANGE;

class CUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SOptions {
  int stage = -1;
  std::uint32_t seed = 0;
  long maxFrames = kDefaultMaxFrames;
  bool render = false;
};

template <typename T>
T ParseNumber(std::string_view flag, std::string_view text, T lo, T hi) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi) {
    throw CUsageError(std::string(flag) + " wants a whole number from " + std::to_string(lo) + " to " +
                      std::to_string(hi) + ", not \"" + std::string(text) + "\"");
  }
  return value;
}

SOptions ParseOptions(int argc, char** argv) {
  SOptions options;
  bool seedGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--render") {
      options.render = true;
      continue;
    }
    if (arg != "--stage" && arg != "--seed" && arg != "--max-frames") {
      throw CUsageError("unknown argument \"" + std::string(arg) + "\"");
    }
    if (i + 1 >= argc) throw CUsageError(std::string(arg) + " needs a value");
    const std::string_view value = argv[++i];
    if (arg == "--stage") {
      options.stage = ParseNumber<int>(arg, value, 0, STAGE_COUNT - 1);
    } else if (arg == "--seed") {
      options.seed = ParseNumber<std::uint32_t>(arg, value, 0, UINT32_MAX);
      seedGiven = true;
    } else {
      options.maxFrames = ParseNumber<long>(arg, value, 1, 1000000000L);
    }
  }
  if (options.stage < 0) throw CUsageError("--stage is missing");
  if (!seedGiven) throw CUsageError("--seed is missing");
  return options;
}

// The game reports on standard output as it plays; while a battle runs
// that goes to /dev/null so that the result line stands alone.
class CQuietStdout {
 public:
  CQuietStdout() {
    std::fflush(stdout);
    saved = dup(STDOUT_FILENO);
    const int sink = open("/dev/null", O_WRONLY);
    if (saved < 0 || sink < 0 || dup2(sink, STDOUT_FILENO) < 0) {
      if (sink >= 0) close(sink);
      if (saved >= 0) close(saved);
      throw std::runtime_error("standard output could not be redirected to /dev/null");
    }
    close(sink);
  }
  ~CQuietStdout() {
    std::cout.flush();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
  }
  CQuietStdout(const CQuietStdout&) = delete;
  CQuietStdout& operator=(const CQuietStdout&) = delete;

 private:
  int saved = -1;
};

// The game library and the global objects the battle uses, set up as the
// game's start-up does and torn down in reverse.
class CHeadlessGame {
 public:
  CHeadlessGame(bool render, std::uint32_t seed) {
    gamelib_test::UseHeadlessDrivers();
    // Without this SDL hands the offscreen window's picture to a software GL
    // renderer at every flip, which costs four fifths of a frame here.
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    SetGraphMode(640, 480, 32, 60);
    ChangeWindowMode(TRUE);
    SetWaitVSyncFlag(FALSE);
    if (GameLib_Init() != 0) {
      throw std::runtime_error(std::string("the game library did not start: ") + GameLib_GetLastError());
    }
    try {
      gamelib_test::SetRasterising(render);
      SetTransColor(255, 0, 255);
      SetDrawMode(DX_DRAWMODE_BILINEAR);
      SetDrawScreen(DX_SCREEN_BACK);
      SetFontSize(10);
      CreateFonts();
      imageManager = std::make_unique<CImageManager>();
      LoadUnitSprites();
      soundManager = std::make_unique<CSoundManager>(false);
      InstallUnitActorMaker();
      InstallUnitAIMaker();
      gameRandom = std::make_unique<CRandom>(seed);
      effectRandom = std::make_unique<CRandom>(seed);
      keyManager = std::make_unique<CKeyManager>(optionInfo.joypadAssign);
      // The battle's party lives in the game in progress, as after "new game".
      saveData = NewGameSaveData();
    } catch (...) {
      Release();
      throw;
    }
  }
  ~CHeadlessGame() { Release(); }
  CHeadlessGame(const CHeadlessGame&) = delete;
  CHeadlessGame& operator=(const CHeadlessGame&) = delete;

 private:
  static void Release() {
    saveData.reset();
    keyManager.reset();
    effectRandom.reset();
    gameRandom.reset();
    soundManager.reset();
    imageManager.reset();
    GameLib_End();
  }
};

// A party caster: her first skill (the sorceress strikes with it, the
// priestess heals or helps with it) while she has the MP for it and it finds
// something to do, else her weapon, so she never idles beside a foe.
class CPartyAI_SkillFirst : public CUnitAIBase {
 public:
  CPartyAI_SkillFirst(CStage& stage, CUnit& unit, std::unique_ptr<CUnitAIPlanning> skillAI_)
      : CUnitAIBase(stage, unit, kPartySearchRange),
        skillAI(std::move(skillAI_)),
        weaponAI(std::make_unique<CUnitAI_AttackByWeapon>(stage, unit, kPartySearchRange, ESearchType::WEAKEST)) {}

  CThinkResult Think() override {
    if (unit->mp >= GetSkillInfo(unit->skills.front()).mp) {
      CThinkResult r = skillAI->Think();
      if (r.type != CThinkResult::TYPE_STANDBY) return r;
    }
    return weaponAI->Think();
  }

  void FinishTurn() override {
    skillAI->FinishTurn();
    weaponAI->FinishTurn();
    CUnitAIBase::FinishTurn();
  }

 private:
  std::unique_ptr<CUnitAIPlanning> skillAI;
  std::unique_ptr<CUnitAIPlanning> weaponAI;
};

// The enemies' AI kinds, chosen for each party member's part.
std::unique_ptr<CUnitAIBase> MakePartyAI(CStage& stage, CUnit& unit) {
  if (!unit.skills.empty()) {
    if (unit.charactor == ECharactor::SORCERESS) {
      return std::make_unique<CPartyAI_SkillFirst>(
          stage, unit, std::make_unique<CUnitAI_AttackBySkill>(stage, unit, kPartySearchRange, ESearchType::WEAKEST));
    }
    if (unit.charactor == ECharactor::PRIESTESS) {
      return std::make_unique<CPartyAI_SkillFirst>(
          stage, unit, std::make_unique<CUnitAI_SupportBySkill>(stage, unit, kPartySearchRange));
    }
  }
  return std::make_unique<CUnitAI_AttackByWeapon>(stage, unit, kPartySearchRange, ESearchType::WEAKEST);
}

// Counts what the unit actions show: every damage, healing or status effect
// that lands from an attack or skill is a hit, every dodge a miss, every
// fading enemy and every party member falling to 0 HP a kill. Each info is
// counted in the frame it first appears: it lives on for many frames.
class CBattleTally {
 public:
  explicit CBattleTally(const std::vector<CUnit*>& party_) : party(party_) {
    for (const CUnit* u : party) standing[u] = !u->IsDead();
  }

  void Observe(const CStage& stage) {
    const auto* action = dynamic_cast<const CStageStrategy_UnitAction*>(stage.GetStrategy());
    if (action != lastAction) {
      lastAction = action;
      fromAttack = false;
      lastInfos.clear();
    }
    if (action) {
      std::unordered_set<const CUnitActionInfo*> now;
      for (const auto& owned : action->GetActionInfos()) {
        const CUnitActionInfo* info = owned.get();
        now.insert(info);
        // Poison bites come as an action of their own with no attack in it.
        if (dynamic_cast<const CUnitActionInfo_Attack*>(info)) fromAttack = true;
        if (lastInfos.contains(info)) continue;
        if (dynamic_cast<const CUnitActionInfo_Damaged*>(info)) {
          if (fromAttack) ++hits;
        } else if (dynamic_cast<const CUnitActionInfo_Evade*>(info)) {
          ++misses;
        } else if (dynamic_cast<const CUnitActionInfo_Dead*>(info)) {
          ++kills;
        }
      }
      lastInfos = std::move(now);
    }
    // Fallen party members stay on the map: only their HP tells.
    for (const CUnit* u : party) {
      const bool up = !u->IsDead();
      if (standing[u] && !up) ++kills;
      standing[u] = up;
    }
  }

  int hits = 0;
  int misses = 0;
  int kills = 0;

 private:
  std::vector<CUnit*> party;
  std::map<const CUnit*, bool> standing;
  const CStageStrategy_UnitAction* lastAction = nullptr;
  bool fromAttack = false;
  std::unordered_set<const CUnitActionInfo*> lastInfos;
};

// A party member's turn goes to its AI instead of waiting for the keys.
void DispatchPartyTurn(CStage& stage) {
  const auto* browsing = dynamic_cast<const CStageStrategy_FreeScroll*>(stage.GetStrategy());
  if (!browsing || !browsing->IsPlayerInputEnabled() || stage.state.units.empty()) return;
  CUnit& active = *stage.state.units.front();
  if (active.team != 0 || active.IsDead() || !active.ai) return;
  stage.SetStrategy(std::make_unique<CStageStrategy_UnitCommandAI>(stage, active));
}

struct SResult {
  const char* outcome = "timeout";
  int turns = 0;
  long frames = 0;
  int hits = 0;
  int misses = 0;
  int kills = 0;
};

SResult Fight(const SOptions& options) {
  std::vector<CUnit*> sortie;
  for (auto& u : saveData->party) sortie.push_back(u.get());

  CStage stage(options.stage, sortie);
  for (CUnit* u : sortie) {
    if (u->stage) u->ai = MakePartyAI(stage, *u);
  }
  std::vector<CUnit*> fighting;
  for (CUnit* u : sortie) {
    if (u->stage) fighting.push_back(u);
  }
  CBattleTally tally(fighting);
  SResult result;

  while (result.frames < options.maxFrames) {
    if (ProcessMessage() != 0) throw std::runtime_error("the game library closed the window");
    keyManager->Update();
    DispatchPartyTurn(stage);
    stage.ProcessInput();
    stage.Update();
    soundManager->Update();
    ClsDrawScreen();
    stage.Draw();
    ScreenFlip();
    ++result.frames;
    tally.Observe(stage);
    if (const auto* end = dynamic_cast<const CStageStrategy_Announce*>(stage.GetStrategy())) {
      if (end->GetType() == CStageStrategy_Announce::STAGE_CLEARED) {
        result.outcome = "cleared";
        break;
      }
      if (end->GetType() == CStageStrategy_Announce::GAME_OVER) {
        result.outcome = "gameover";
        break;
      }
    }
  }
  result.turns = stage.state.turnCount;
  result.hits = tally.hits;
  result.misses = tally.misses;
  result.kills = tally.kills;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  SOptions options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const CUsageError& e) {
    std::fprintf(stderr,
                 "autoplay: %s\nusage: autoplay --stage S --seed N [--max-frames F] [--render]   "
                 "(S from 0 to %d; run from the folder holding dat/)\n",
                 e.what(), STAGE_COUNT - 1);
    return 2;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory("dat", ec)) {
    std::fprintf(stderr, "autoplay: no dat/ folder here; run it from the repository root\n");
    return 1;
  }

  SResult result;
  try {
    CQuietStdout quiet;
    CHeadlessGame game(options.render, options.seed);
    result = Fight(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "autoplay: stage %d seed %u: %s\n", options.stage, options.seed, e.what());
    return 1;
  }
  std::printf("stage %d seed %u result %s turns %d frames %ld hits %d misses %d kills %d\n", options.stage,
              options.seed, result.outcome, result.turns, result.frames, result.hits, result.misses, result.kills);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
