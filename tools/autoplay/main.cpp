// Plays the game with nobody at the keys, as fast as the machine allows.
//
// One battle: the new game's party is steered by the same AI kinds as the
// enemies, and the real battle scene runs frame by frame (announcements,
// dispatch, actions, hit stops). Prints one line and nothing else:
//
//   stage S seed N result cleared|gameover|timeout turns T frames F hits H misses M kills K
//
// A whole campaign: from the title through injected keys alone (campaign.h);
// one line per battle and a last line
//
//   campaign seed N maps-cleared C bonus-opened yes|no bonus-cleared yes|no battles B frames F saves W
//
// Run it from the folder holding dat/; it writes nothing there (a campaign
// saves into --save-dir, by default a fresh temporary folder).
//
// One story scene (and the scenes it chains to), DECIDE pressed on every
// talk page: one line
//
//   event FILE bundlers B events E frames F
//
// With --timings FILE a battle or campaign also writes the time of the
// game's own work in every frame, and at the end the start-up time, the
// median, 99th percentile and worst frame and the peak memory (timings.h).
//
//   autoplay --stage S --seed N [--max-frames F] [--render] [--timings FILE]
//   autoplay --campaign --seed N [--max-frames F] [--save-dir DIR] [--timings FILE]
//   autoplay --event FILE [--max-frames F] [--render]
#include <cxxabi.h>
#include <stdlib.h>
#include <time.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "assets/sound_manager.h"
#include "battle/announce.h"
#include "battle/stage.h"
#include "battle/stage_strategies.h"
#include "battle/unit_action.h"
#include "battle/unit_command_ai.h"
#include "campaign.h"
#include "field/charactor.h"
#include "field/enemy.h"
#include "field/stage_data.h"
#include "field/unit.h"
#include "field/unit_ai_base.h"
#include "game/main_loop.h"
#include "headless.h"
#include "party_ai.h"
#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "scenario/event_strategy.h"
#include "scenes/scene_camp.h"
#include "scenes/scene_title.h"
#include "timings.h"

namespace {

constexpr long kDefaultMaxFrames = 200000;
constexpr long kDefaultCampaignFrames = 5000000;

class CUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SOptions {
  int stage = -1;
  bool campaign = false;
  std::string event;
  std::uint32_t seed = 0;
  std::optional<long> maxFrames;
  std::string saveDir;
  std::string timings;
  bool render = false;
};

// Processor time: the whole process's since it started (the start-up, from
// loading the program on), or the main thread's (a frame's work). Both read
// the same on a busy machine.
double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::string ClassName(const void* object, const std::type_info& type) {
  if (!object) return "none";
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  std::string result = status == 0 && name ? name : type.name();
  std::free(name);
  return result;
}

// What the current scene is doing, for the timings: "battle-3 CStageStrategy_FreeScroll".
std::string DescribeScene(const CScene* scene) {
  if (const auto* stage = dynamic_cast<const CStage*>(scene)) {
    const auto* strategy = stage->GetStrategy();
    return "battle-" + std::to_string(stage->stageNo) + " " +
           (strategy ? ClassName(strategy, typeid(*strategy)) : "none");
  }
  if (const auto* title = dynamic_cast<const CSceneTitle*>(scene)) {
    const auto* strategy = title->GetStrategy();
    return "title " + (strategy ? ClassName(strategy, typeid(*strategy)) : "none");
  }
  if (const auto* camp = dynamic_cast<const CSceneCamp*>(scene)) {
    const auto* strategy = camp->GetStrategy();
    return "camp " + (strategy ? ClassName(strategy, typeid(*strategy)) : "none");
  }
  return scene ? ClassName(scene, typeid(*scene)) : "none";
}

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
    if (arg == "--render" || arg == "--campaign") {
      (arg == "--render" ? options.render : options.campaign) = true;
      continue;
    }
    if (arg != "--stage" && arg != "--seed" && arg != "--max-frames" && arg != "--save-dir" && arg != "--event" &&
        arg != "--timings") {
      throw CUsageError("unknown argument \"" + std::string(arg) + "\"");
    }
    if (i + 1 >= argc) throw CUsageError(std::string(arg) + " needs a value");
    const std::string_view value = argv[++i];
    if (arg == "--stage") {
      options.stage = ParseNumber<int>(arg, value, 0, STAGE_COUNT - 1);
    } else if (arg == "--seed") {
      options.seed = ParseNumber<std::uint32_t>(arg, value, 0, UINT32_MAX);
      seedGiven = true;
    } else if (arg == "--event") {
      if (value.empty()) throw CUsageError("--event needs a script file");
      options.event = value;
    } else if (arg == "--timings") {
      if (value.empty()) throw CUsageError("--timings needs a file");
      options.timings = value;
    } else if (arg == "--save-dir") {
      if (value.empty()) throw CUsageError("--save-dir needs a folder");
      options.saveDir = value;
    } else {
      options.maxFrames = ParseNumber<long>(arg, value, 1, 1000000000L);
    }
  }
  if (options.campaign + (options.stage >= 0) + !options.event.empty() != 1) {
    throw CUsageError("give one of --stage, --campaign and --event");
  }
  if (!options.campaign && !options.saveDir.empty()) throw CUsageError("--save-dir goes with --campaign");
  if (options.campaign && options.render) throw CUsageError("--render goes with --stage or --event");
  if (!options.event.empty() && !options.timings.empty()) throw CUsageError("--timings goes with --stage or --campaign");
  if (options.event.empty() && !seedGiven) throw CUsageError("--seed is missing");
  return options;
}

// A fresh folder of its own under the system's temporary folder.
std::string MakeTemporarySaveDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-autoplay-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder could be made for the saves");
  return pattern;
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

struct SEventRun {
  int bundlers = 0;
  int events = 0;
  long frames = 0;
};

struct SResult {
  const char* outcome = "timeout";
  int turns = 0;
  long frames = 0;
  int hits = 0;
  int misses = 0;
  int kills = 0;
};

SResult Fight(const SOptions& options, CFrameTimings* timings) {
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

  const long maxFrames = options.maxFrames.value_or(kDefaultMaxFrames);
  while (result.frames < maxFrames) {
    const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    if (ProcessMessage() != 0) throw std::runtime_error("the game library closed the window");
    keyManager->Update();
    DispatchPartyTurn(stage);
    stage.ProcessInput();
    stage.Update();
    soundManager->Update();
    ClsDrawScreen();
    stage.Draw();
    const double work = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - start;
    ScreenFlip();
    ++result.frames;
    if (timings) timings->Add(result.frames, work, DescribeScene(&stage));
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
  if (std::string_view(result.outcome) == "timeout") {
    // Who is still standing, and where, tells why the battle stalled.
    std::fprintf(stderr, "autoplay: stage %d seed %u stalled after %ld frames; still standing:%s\n", options.stage,
                 options.seed, result.frames, DescribeStanding(stage).c_str());
  }
  result.turns = stage.state.turnCount;
  result.hits = tally.hits;
  result.misses = tally.misses;
  result.kills = tally.kills;
  return result;
}

int PlayOneStage(const SOptions& options) {
  SResult result;
  try {
    CQuietStdout quiet;
    std::unique_ptr<CFrameTimings> timings;
    if (!options.timings.empty()) timings = std::make_unique<CFrameTimings>(options.timings);
    CHeadlessGame game(CHeadlessGame::EKind::BATTLE, options.render, options.seed);
    const double startup = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    result = Fight(options, timings.get());
    if (timings) timings->Finish(startup);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "autoplay: stage %d seed %u: %s\n", options.stage, options.seed, e.what());
    return 1;
  }
  std::printf("stage %d seed %u result %s turns %d frames %ld hits %d misses %d kills %d\n", options.stage,
              options.seed, result.outcome, result.turns, result.frames, result.hits, result.misses, result.kills);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// The scene's frames as the main loop runs them, DECIDE held for one frame
// whenever a talk page waits for it.
int PlayOneEvent(const SOptions& options) {
  SEventRun run;
  try {
    CQuietStdout quiet;
    CHeadlessGame game(CHeadlessGame::EKind::BATTLE, options.render, options.seed);
    const std::unique_ptr<CStage> stage = CreateEventStage(options.event);
    const auto* player = dynamic_cast<const CStageStrategy_Event*>(stage->GetStrategy());
    if (!player) throw std::logic_error("the story scene has no script player");
    const long maxFrames = options.maxFrames.value_or(kDefaultMaxFrames);
    bool pressed = false;
    while (!player->IsFinished() && run.frames < maxFrames) {
      pressed = !pressed && player->IsTalkWaiting();
      gamelib_test::ClearInjectedInput();
      if (pressed) gamelib_test::SetKeyDown(KEY_INPUT_Z, true);
      if (ProcessMessage() != 0) throw std::runtime_error("the game library closed the window");
      keyManager->Update();
      stage->ProcessInput();
      stage->Update();
      soundManager->Update();
      ClsDrawScreen();
      stage->Draw();
      ScreenFlip();
      ++run.frames;
    }
    gamelib_test::ClearInjectedInput();
    if (!player->GetLoadFault().empty()) throw std::runtime_error(player->GetLoadFault());
    if (!player->IsFinished()) {
      throw std::runtime_error("still playing " + player->GetCurrentPath() + " after " + std::to_string(run.frames) +
                               " frames");
    }
    run.bundlers = player->GetFinishedBundlerCount();
    run.events = player->GetFinishedEventCount();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "autoplay: event %s: %s\n", options.event.c_str(), e.what());
    return 1;
  }
  std::printf("event %s bundlers %d events %d frames %ld\n", options.event.c_str(), run.bundlers, run.events,
              run.frames);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int PlayWholeCampaign(const SOptions& options) {
  try {
    std::string saveDir = options.saveDir.empty() ? MakeTemporarySaveDir() : options.saveDir;
    if (saveDir.back() != '/') saveDir += '/';
    // The game saves only into a folder that is there.
    std::filesystem::create_directories(saveDir);
    CQuietStdout quiet;
    SCampaignResult result;
    std::unique_ptr<CFrameTimings> timings;
    if (!options.timings.empty()) timings = std::make_unique<CFrameTimings>(options.timings);
    {
      CHeadlessGame game(CHeadlessGame::EKind::CAMPAIGN, false, options.seed, saveDir);
      // The first frame is the title's: the start-up ends with it.
      double startup = 0.0;
      auto afterFrame = [&](long frame) {
        if (frame == 1) startup = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        timings->Add(frame, LastFrameWorkSeconds(), DescribeScene(currentScene.get()));
      };
      result = PlayCampaign(options.maxFrames.value_or(kDefaultCampaignFrames),
                            [&quiet](const std::string& line) { quiet.Print(line); },
                            timings ? std::function<void(long)>(afterFrame) : std::function<void(long)>());
      if (timings) timings->Finish(startup);
    }
    auto yesNo = [](bool b) { return b ? "yes" : "no"; };
    char line[200];
    std::snprintf(line, sizeof line,
                  "campaign seed %u maps-cleared %d bonus-opened %s bonus-cleared %s battles %d frames %ld saves %d",
                  options.seed, result.mapsCleared, yesNo(result.bonusOpened), yesNo(result.bonusCleared),
                  result.battles, result.frames, result.saves);
    quiet.Print(line);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "autoplay: campaign seed %u: %s\n", options.seed, e.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SOptions options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const CUsageError& e) {
    std::fprintf(stderr,
                 "autoplay: %s\nusage: autoplay --stage S --seed N [--max-frames F] [--render] [--timings FILE]   "
                 "(S from 0 to %d)\n       autoplay --campaign --seed N [--max-frames F] [--save-dir DIR] "
                 "[--timings FILE]\n"
                 "       autoplay --event FILE [--max-frames F] [--render]\n"
                 "Run it from the folder holding dat/.\n",
                 e.what(), STAGE_COUNT - 1);
    return 2;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory("dat", ec)) {
    std::fprintf(stderr, "autoplay: no dat/ folder here; run it from the repository root\n");
    return 1;
  }
  if (!options.event.empty()) return PlayOneEvent(options);
  return options.campaign ? PlayWholeCampaign(options) : PlayOneStage(options);
}
