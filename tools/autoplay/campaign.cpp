#include "campaign.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "battle/announce.h"
#include "battle/cursor.h"
#include "battle/leave_question.h"
#include "battle/stage.h"
#include "battle/stage_strategies.h"
#include "battle/unit_command.h"
#include "combat/skill_table.h"
#include "field/charactor.h"
#include "field/stage_data.h"
#include "field/unit.h"
#include "field/unit_ai_base.h"
#include "field/unit_status.h"
#include "game/main_loop.h"
#include "headless.h"
#include "party_ai.h"
#include "persist/save_data.h"
#include "runtime/game_key.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "runtime/scene.h"
#include "scenes/scene_camp.h"
#include "scenes/scene_title.h"
#include "ui/dialog.h"
#include "ui/panes.h"

namespace {

// A battle still going after this many frames is given up (Esc while
// choosing a destination, then "はい"), as a player would give up a stalled one.
constexpr long kGiveUpFrames = 200000;
// No battle begins or ends and nothing is saved for this long: the game has
// stopped answering the keys.
constexpr long kStuckFrames = 400000;
// A party member that has planned this many steps in one turn stands by.
constexpr int kMaxPlansPerTurn = 8;
// Keys enough to walk the cursor across any map and through any menu.
constexpr int kMaxKeysPerPlan = 200;
constexpr int kLossesBeforeReplay = 2;
constexpr int kRegularMaps = 8;
constexpr int kBonusMap = 8;

int KeyCode(EGameKey key) {
  switch (key) {
    case EGameKey::UP: return KEY_INPUT_I;
    case EGameKey::DOWN: return KEY_INPUT_K;
    case EGameKey::LEFT: return KEY_INPUT_J;
    case EGameKey::RIGHT: return KEY_INPUT_L;
    case EGameKey::DECIDE: return KEY_INPUT_Z;
    case EGameKey::CANCEL: return KEY_INPUT_X;
    case EGameKey::ESCAPE: return KEY_INPUT_ESCAPE;
    default: throw std::logic_error("the campaign player never presses that key");
  }
}

EGameKey KeyFor(EDirection4 direction) {
  switch (direction) {
    case EDirection4::LEFT: return EGameKey::LEFT;
    case EDirection4::UP: return EGameKey::UP;
    case EDirection4::RIGHT: return EGameKey::RIGHT;
    default: return EGameKey::DOWN;
  }
}

// ---- reading the screen --------------------------------------------------------

// The dialog that has the keys: the last open child below `root`.
const CDialog& Deepest(const CDialog& root) {
  const CDialog* d = &root;
  while (d->GetChild() && !d->GetChild()->IsClosed()) d = d->GetChild();
  return *d;
}

const CPaneBase* FindPaneIn(const std::vector<std::unique_ptr<CPaneBase>>& panes, const std::string& name) {
  for (const auto& p : panes) {
    if (p->name == name) return p.get();
    if (const auto* box = dynamic_cast<const CPaneContainer*>(p.get())) {
      if (const CPaneBase* found = FindPaneIn(box->GetChildren(), name)) return found;
    }
  }
  return nullptr;
}

std::string LabelText(const CDialog& dialog, const std::string& name) {
  const auto* label = dynamic_cast<const CPaneTextLabel*>(FindPaneIn(dialog.GetPanes(), name));
  return label ? label->text : "";
}

// The first whole number written in a label ("残りポイント  12" → 12).
std::optional<int> NumberIn(const std::string& text) {
  const auto digit = std::find_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digit == text.end()) return std::nullopt;
  long value = 0;
  for (auto c = digit; c != text.end() && *c >= '0' && *c <= '9' && value < 1000000000L; ++c) {
    value = value * 10 + (*c - '0');
  }
  return static_cast<int>(value);
}

std::string FocusedName(const CDialog& dialog) {
  const CPaneBase* focused = dialog.GetFocusedPane();
  return focused ? focused->name : "";
}

// Up or down towards the pane named `wanted`; nothing once it has the focus.
std::optional<EGameKey> StepFocusTo(const CDialog& dialog, const std::string& wanted) {
  const auto& panes = dialog.GetPanes();
  auto indexOf = [&](const std::string& name) {
    return std::find_if(panes.begin(), panes.end(), [&](const auto& p) { return p->name == name; }) - panes.begin();
  };
  const std::string focused = FocusedName(dialog);
  if (focused == wanted) return std::nullopt;
  if (indexOf(wanted) == static_cast<long>(panes.size())) {
    throw std::runtime_error("the dialog \"" + dialog.title + "\" has no line \"" + wanted + "\"");
  }
  return indexOf(wanted) > indexOf(focused) ? EGameKey::DOWN : EGameKey::UP;
}

// Focus on the line named `wanted`, then DECIDE.
EGameKey ChooseInMenu(const CDialog& dialog, const std::string& wanted) {
  return StepFocusTo(dialog, wanted).value_or(EGameKey::DECIDE);
}

std::optional<EGameKey> StepCursorTowards(const CStage& stage, SPoint target) {
  const SPoint at = stage.cursor->GetGrid();
  if (at.x < target.x) return EGameKey::RIGHT;
  if (at.x > target.x) return EGameKey::LEFT;
  if (at.y < target.y) return EGameKey::DOWN;
  if (at.y > target.y) return EGameKey::UP;
  return std::nullopt;
}

int ClearCount(int stage) {
  const auto& counts = saveData->clearCounts;
  return static_cast<std::size_t>(stage) < counts.size() ? counts[stage] : 0;
}

// The first map not yet won; the bonus map once it is open; -1 when none is left.
int FirstMapToWin() {
  for (int s = 0; s < kRegularMaps; ++s) {
    if (ClearCount(s) == 0) return s;
  }
  if (saveData->bonusMapOpened && ClearCount(kBonusMap) == 0) return kBonusMap;
  return -1;
}

// The parameters a member raises, cheapest step first: what its part in
// battle lives on.
std::vector<EStatusType> PreferredParams(ECharactor charactor) {
  using S = EStatusType;
  switch (charactor) {
    case ECharactor::SORCERESS: return {S::INT, S::MP, S::HP, S::AGI};
    case ECharactor::PRIESTESS: return {S::INT, S::MP, S::VIT, S::HP};
    case ECharactor::ARCHER: return {S::DEX, S::STR, S::HP, S::AGI};
    default: return {S::STR, S::VIT, S::HP, S::DEX};
  }
}

// Who goes first when a map takes fewer than the whole party: the knight
// in front, the priestess behind him, the fighter's blade, then the spells
// and the bow.
constexpr ECharactor kSortieOrder[] = {ECharactor::KNIGHT, ECharactor::PRIESTESS, ECharactor::FIGHTER,
                                       ECharactor::SORCERESS, ECharactor::ARCHER};

// The skills worth their money, the most useful first: the fighter's
// spin that fells a ring of slimes, raising the fallen, healing them all,
// then the others' area strikes.
struct SWantedSkill {
  ECharactor charactor;
  ESkill skill;
};
constexpr SWantedSkill kWantedSkills[] = {
    {ECharactor::FIGHTER, ESkill::ROLLING_SLASH},  {ECharactor::PRIESTESS, ESkill::RESURRECTION},
    {ECharactor::PRIESTESS, ESkill::AREA_HEAL},    {ECharactor::SORCERESS, ESkill::LIGHTNING_BOLT},
    {ECharactor::KNIGHT, ESkill::LONG_THRUST},     {ECharactor::SORCERESS, ESkill::FIRE_WALL},
    {ECharactor::ARCHER, ESkill::ARROW_SHOWER},    {ECharactor::SORCERESS, ESkill::POISON},
};

bool Knows(const CUnit& unit, ESkill skill) {
  return std::find(unit.skills.begin(), unit.skills.end(), skill) != unit.skills.end();
}

// Whether some member of the party of `charactor` still lacks `skill`.
bool StillWanted(const SWantedSkill& w) {
  for (const auto& member : saveData->party) {
    if (member->charactor == w.charactor && !Knows(*member, w.skill)) return true;
  }
  return false;
}

// ---- the player ---------------------------------------------------------------

struct SBattle {
  CStage* stage = nullptr;  // gone once the scene has changed
  int stageNo = 0;
  int number = 0;
  long startFrame = 0;
  bool reported = false;
  bool cleared = false;
  bool givingUp = false;
  std::map<const CUnit*, std::unique_ptr<CUnitAIBase>> ais;
  const CUnit* turnUnit = nullptr;
  int turnCount = -1;
  std::optional<CThinkResult> plan;
  int plansThisTurn = 0;
  int keysThisPlan = 0;
};

class CCampaignPlayer {
 public:
  explicit CCampaignPlayer(const std::function<void(const std::string&)>& print_) : print(print_) {}

  std::optional<EGameKey> ChooseKey(long frame);
  void Observe(long frame);
  bool Finished() const { return finished; }
  SCampaignResult Result() const { return result; }

 private:
  std::optional<EGameKey> TitleKey(CSceneTitle& title);
  std::optional<EGameKey> CampKey(CSceneCamp& camp);
  std::optional<EGameKey> BattleKey(CStage& stage, long frame);
  std::optional<EGameKey> CommandKey(CStage& stage, CStageStrategy_UnitCommand& command);
  std::optional<EGameKey> SaveKey(const CDialog& slots);
  std::optional<EGameKey> UnitListKey(const CDialog& list);
  std::optional<EGameKey> ParamKey(const CDialog& editor);
  std::optional<EGameKey> SkillKey(const CDialog& editor);
  std::optional<EGameKey> SortieKey(const CDialog& sortie);
  void NoteTurn(const CStage& stage);
  void Plan(CUnit& unit);
  void BeginBattle(CStage& stage, long frame);
  void EndBattle(long frame);
  void NoteProgress();
  int ChooseMap() const;

  const std::function<void(const std::string&)>& print;
  SCampaignResult result;
  bool finished = false;
  const CScene* lastScene = nullptr;
  long lastProgress = 0;
  std::unique_ptr<SBattle> battle;
  int battles = 0;
  bool lastBattleCleared = false;
  int lossStreak = 0;  // defeats in a row on the first map not yet won

  // The camp's errands, done in this order after every battle.
  bool needSave = false;
  bool paramsDone = false;
  bool skillsDone = false;
  std::string errand;
  std::size_t editedUnit = 0;
  std::optional<std::size_t> closingEditorOf;
  std::optional<std::filesystem::file_time_type> pendingSaveTime;
  bool savePending = false;
};

std::optional<EGameKey> CCampaignPlayer::ChooseKey(long frame) {
  if (frame - lastProgress > kStuckFrames) {
    throw std::runtime_error("the game stopped taking the keys (" + std::to_string(kStuckFrames) +
                             " frames without a battle begun or ended)");
  }
  CScene* scene = currentScene.get();
  if (auto* title = dynamic_cast<CSceneTitle*>(scene)) return TitleKey(*title);
  if (auto* camp = dynamic_cast<CSceneCamp*>(scene)) return CampKey(*camp);
  if (auto* stage = dynamic_cast<CStage*>(scene)) return BattleKey(*stage, frame);
  return std::nullopt;
}

void CCampaignPlayer::NoteProgress() { lastProgress = result.frames; }

// ---- the title ----------------------------------------------------------------

std::optional<EGameKey> CCampaignPlayer::TitleKey(CSceneTitle& title) {
  CSceneTitle::CStrategy* step = title.GetStrategy();
  if (dynamic_cast<CStrategy_TitleRootMenu*>(step)) {
    if (!title.rootDialog) return EGameKey::DECIDE;
    // A lost map is tried again from the last save.
    return ChooseInMenu(*title.rootDialog, result.saves > 0 ? "load" : "start");
  }
  if (auto* load = dynamic_cast<CStrategy_Load*>(step)) {
    if (load->GetSlotList() && &Deepest(*load->GetSlotList()) != load->GetSlotList()) {
      throw std::runtime_error("the latest save could not be continued (\"" +
                               Deepest(*load->GetSlotList()).title + "\")");
    }
    return EGameKey::DECIDE;  // the latest save has the focus
  }
  return EGameKey::CANCEL;  // the story scenes' list
}

// ---- the camp -----------------------------------------------------------------

// The first map not yet won, tried again after every loss while the bonus
// map can still open (only for eight maps won once each). A campaign that
// has already won some map twice has lost the bonus anyway: there, after two
// losses in a row, the last map won is played once more for its points, as
// a player who needs stronger units would.
int CCampaignPlayer::ChooseMap() const {
  const int first = FirstMapToWin();
  bool bonusStillPossible = true;
  for (int s = 0; s < kRegularMaps; ++s) bonusStillPossible = bonusStillPossible && ClearCount(s) <= 1;
  if (bonusStillPossible || lossStreak < kLossesBeforeReplay) return first;
  for (int s = std::min(first, kRegularMaps) - 1; s >= 0; --s) {
    if (ClearCount(s) > 0) return s;
  }
  return first;
}

std::optional<EGameKey> CCampaignPlayer::CampKey(CSceneCamp& camp) {
  const CDialog& d = Deepest(*camp.GetRootDialog());
  const std::string& title = d.title;
  if (title == "キャンプ") {
    if (needSave) {
      errand = "save";
    } else if (!paramsDone) {
      errand = "editparam";
    } else if (!skillsDone) {
      errand = "getskill";
    } else if (FirstMapToWin() < 0) {
      finished = true;
      return std::nullopt;
    } else {
      errand = "senario";
    }
    editedUnit = 0;
    closingEditorOf.reset();
    return ChooseInMenu(d, errand);
  }
  if (title == "データ選択") return SaveKey(d);
  if (title == "セーブ失敗") {
    std::fprintf(stderr, "autoplay: saving failed; the campaign goes on without this save\n");
    needSave = false;
    return EGameKey::DECIDE;
  }
  if (title == "ユニット選択") return UnitListKey(d);
  if (title == "ステータス振り分け") return ParamKey(d);
  if (title == "スキル取得") return SkillKey(d);
  if (title == "確定しますか？" || title == "習得しますか？") {
    return FocusedName(d) == "yes" ? EGameKey::DECIDE : EGameKey::LEFT;
  }
  if (title == "シナリオ選択") return ChooseInMenu(d, std::to_string(ChooseMap()));
  if (title.starts_with("出撃ユニット選択")) return SortieKey(d);
  return EGameKey::CANCEL;
}

// After every victory, into the slots in turn: 0, 1, … 15, 0, …
std::optional<EGameKey> CCampaignPlayer::SaveKey(const CDialog& slots) {
  const int slot = result.saves % SAVE_SLOT_COUNT;
  const std::filesystem::path path = SaveSlotPath(slot);
  std::error_code ec;
  if (savePending) {
    savePending = false;
    const auto now = std::filesystem::last_write_time(path, ec);
    if (!ec && (!pendingSaveTime || now != *pendingSaveTime)) {
      ++result.saves;
      needSave = false;
      NoteProgress();
      return EGameKey::CANCEL;
    }
  }
  if (!needSave) return EGameKey::CANCEL;
  if (auto key = StepFocusTo(slots, std::to_string(slot))) return key;
  const auto before = std::filesystem::last_write_time(path, ec);
  pendingSaveTime = ec ? std::nullopt : std::optional(before);
  savePending = true;
  return EGameKey::DECIDE;
}

// Every member in party order gets its parameter or skill dialog once.
std::optional<EGameKey> CCampaignPlayer::UnitListKey(const CDialog& list) {
  if (closingEditorOf == editedUnit) {
    ++editedUnit;
    closingEditorOf.reset();
  }
  if (editedUnit >= saveData->party.size()) {
    (errand == "editparam" ? paramsDone : skillsDone) = true;
    return EGameKey::CANCEL;
  }
  return ChooseInMenu(list, std::to_string(editedUnit));
}

// The cheapest step among the member's preferred parameters while the points
// last; then confirm, or leave when nothing was raised.
std::optional<EGameKey> CCampaignPlayer::ParamKey(const CDialog& editor) {
  if (editedUnit >= saveData->party.size()) return EGameKey::CANCEL;
  const CUnit& unit = *saveData->party[editedUnit];
  const int rest = NumberIn(LabelText(editor, "LabelRestPoint")).value_or(0);
  std::optional<EStatusType> best;
  int bestPrice = 0;
  for (EStatusType status : PreferredParams(unit.charactor)) {
    const auto price = NumberIn(LabelText(editor, std::string("RequireLabel") + ToString(status)));
    if (price && *price <= rest && (!best || *price < bestPrice)) {
      best = status;
      bestPrice = *price;
    }
  }
  if (best) return StepFocusTo(editor, ToString(*best)).value_or(EGameKey::RIGHT);
  if (rest < unit.skillPoint) return EGameKey::DECIDE;  // steps are waiting: confirm them
  closingEditorOf = editedUnit;
  return EGameKey::CANCEL;
}

// The member's next skill on the wish list, bought only when the money left
// still pays for every wish above it that another member waits for.
std::optional<EGameKey> CCampaignPlayer::SkillKey(const CDialog& editor) {
  const int money = NumberIn(LabelText(editor, "LabelRestPoint")).value_or(0);
  const ECharactor who = editedUnit < saveData->party.size() ? saveData->party[editedUnit]->charactor
                                                              : ECharactor::FIGHTER;
  int reserved = 0;
  for (const SWantedSkill& w : kWantedSkills) {
    if (!StillWanted(w)) continue;
    const int price = GetSkillInfo(w.skill).price;
    if (w.charactor != who) {
      reserved += price;
      continue;
    }
    if (money - reserved < price) break;
    for (int row = 0; FindPaneIn(editor.GetPanes(), "LabelSkill" + std::to_string(row)); ++row) {
      const std::string r = std::to_string(row);
      if (LabelText(editor, "LabelSkill" + r) == GetSkillInfo(w.skill).name &&
          LabelText(editor, "LabelLearned" + r) == "未修得") {
        return ChooseInMenu(editor, r);
      }
    }
  }
  closingEditorOf = editedUnit;
  return EGameKey::CANCEL;
}

// As many members as the map takes, in kSortieOrder (members of other kinds
// last, in party order), then "出撃ユニット確定". The dialog opens with nobody
// chosen, so the count in its title says whose turn it is.
std::optional<EGameKey> CCampaignPlayer::SortieKey(const CDialog& sortie) {
  int chosen = 0;
  int allowed = 0;
  if (std::sscanf(sortie.title.c_str(), "出撃ユニット選択(%d/%d)", &chosen, &allowed) != 2) {
    throw std::runtime_error("the sortie dialog's title \"" + sortie.title + "\" cannot be read");
  }
  const int wanted = std::min<int>(allowed, static_cast<int>(saveData->party.size()));
  if (chosen > wanted) return EGameKey::CANCEL;
  if (chosen == wanted) return ChooseInMenu(sortie, "decide");
  std::vector<std::size_t> order;
  for (const ECharactor kind : kSortieOrder) {
    for (std::size_t i = 0; i < saveData->party.size(); ++i) {
      if (saveData->party[i]->charactor == kind) order.push_back(i);
    }
  }
  for (std::size_t i = 0; i < saveData->party.size(); ++i) {
    if (std::find(order.begin(), order.end(), i) == order.end()) order.push_back(i);
  }
  return ChooseInMenu(sortie, std::to_string(order[static_cast<std::size_t>(chosen)]));
}

// ---- the battle ---------------------------------------------------------------

std::optional<EGameKey> CCampaignPlayer::BattleKey(CStage& stage, long frame) {
  if (!battle || battle->stage != &stage) return std::nullopt;
  if (!battle->givingUp && frame - battle->startFrame > kGiveUpFrames) {
    battle->givingUp = true;
    // Who is still standing, and where, tells why the battle stalled.
    std::fprintf(stderr, "autoplay: battle %d on stage %d stalled; giving up with%s\n", battle->number,
                 stage.stageNo, DescribeStanding(stage).c_str());
  }
  CStageStrategy* strategy = stage.GetStrategy();
  if (auto* announce = dynamic_cast<CStageStrategy_Announce*>(strategy)) {
    if (auto* cleared = dynamic_cast<CStrategy_StageCleared*>(announce->GetStep())) {
      const auto* sub = cleared->GetSubStep();
      if (dynamic_cast<const CStrategy_ShowSkillPointResult*>(sub) || dynamic_cast<const CStrategy_AllCleared*>(sub)) {
        return EGameKey::DECIDE;
      }
    }
    return std::nullopt;
  }
  if (auto* question = dynamic_cast<CStageStrategy_LeaveQuestion*>(strategy)) {
    // Only the give-up asks it: "はい" stands left of the focused "いいえ".
    if (!battle->givingUp) return EGameKey::CANCEL;
    return FocusedName(*question->GetDialog()) == "yes" ? EGameKey::DECIDE : EGameKey::LEFT;
  }
  if (dynamic_cast<CStageStrategy_SystemMenu*>(strategy)) return EGameKey::CANCEL;
  if (auto* browsing = dynamic_cast<CStageStrategy_FreeScroll*>(strategy)) {
    if (!browsing->IsPlayerInputEnabled() || stage.state.units.empty()) return std::nullopt;
    const CUnit& active = *stage.state.units.front();
    if (active.team != 0) return std::nullopt;
    NoteTurn(stage);
    return StepCursorTowards(stage, active.grid).value_or(EGameKey::DECIDE);
  }
  if (auto* command = dynamic_cast<CStageStrategy_UnitCommand*>(strategy)) return CommandKey(stage, *command);
  return std::nullopt;
}

// A new turn forgets the last one's plan.
void CCampaignPlayer::NoteTurn(const CStage& stage) {
  const CUnit* active = stage.state.units.front();
  if (active == battle->turnUnit && stage.state.turnCount == battle->turnCount) return;
  if (auto it = battle->ais.find(battle->turnUnit); it != battle->ais.end()) it->second->FinishTurn();
  battle->turnUnit = active;
  battle->turnCount = stage.state.turnCount;
  battle->plan.reset();
  battle->plansThisTurn = 0;
}

// The member's AI decides the next step; a step the menu cannot take (or a
// turn that thinks too long) stands by. Giving up goes through the walk.
void CCampaignPlayer::Plan(CUnit& unit) {
  CThinkResult standby;
  standby.standby = CThinkResult_StandbyInfo{unit.direction};
  battle->plan = standby;
  if (battle->givingUp) {
    if (!unit.moved) {
      CThinkResult walk;
      walk.type = CThinkResult::TYPE_MOVE;
      walk.move = CThinkResult_MoveInfo{unit.grid};
      battle->plan = walk;
    }
    return;
  }
  const auto ai = battle->ais.find(&unit);
  if (ai == battle->ais.end() || ++battle->plansThisTurn > kMaxPlansPerTurn) return;
  const CThinkResult r = ai->second->Think();
  // The AI pays a skill's MP when it settles on it, as an enemy's turn
  // needs; the command menu charges it again when the skill is cast.
  if (r.type == CThinkResult::TYPE_ATTACK && r.attack && r.attack->isSkill) {
    unit.mp += GetSkillInfo(r.attack->skill).mp;
  }
  const bool canMove = r.type == CThinkResult::TYPE_MOVE && r.move && !unit.moved && r.move->destination != unit.grid;
  const bool canAct = r.type == CThinkResult::TYPE_ATTACK && r.attack && !unit.acted &&
                      (!r.attack->isSkill ||
                       std::find(unit.skills.begin(), unit.skills.end(), r.attack->skill) != unit.skills.end());
  const bool stands = r.type == CThinkResult::TYPE_STANDBY && r.standby;
  if (canMove || canAct || stands) battle->plan = r;
  battle->keysThisPlan = 0;
}

std::optional<EGameKey> CCampaignPlayer::CommandKey(CStage& stage, CStageStrategy_UnitCommand& command) {
  CUnit& unit = command.GetUnit();
  if (unit.team != 0) return EGameKey::CANCEL;  // another unit's status only
  NoteTurn(stage);
  auto* step = command.GetStep();
  std::optional<CThinkResult>& plan = battle->plan;
  // A step the game keeps refusing (a cell it will not take) is dropped:
  // back to the menu, and the member stands by.
  if (plan && ++battle->keysThisPlan > kMaxKeysPerPlan && !dynamic_cast<CStrategy_Standby*>(step)) {
    CThinkResult standby;
    standby.standby = CThinkResult_StandbyInfo{unit.direction};
    plan = standby;
    battle->plansThisTurn = kMaxPlansPerTurn;
    return EGameKey::CANCEL;
  }
  if (dynamic_cast<CStrategy_RootMenu*>(step)) {
    if (!plan) Plan(unit);
    const char* item = plan->type == CThinkResult::TYPE_MOVE     ? "move"
                       : plan->type == CThinkResult::TYPE_STANDBY ? "standby"
                       : plan->attack->isSkill                    ? "skill"
                                                                  : "attack";
    return ChooseInMenu(*command.GetRootDialog(), item);
  }
  if (dynamic_cast<CStrategy_Move*>(step)) {
    if (battle->givingUp) return EGameKey::ESCAPE;
    if (!plan || !plan->move) return EGameKey::CANCEL;
    if (auto key = StepCursorTowards(stage, plan->move->destination)) return key;
    plan.reset();
    return EGameKey::DECIDE;
  }
  const bool aimsSkill = plan && plan->attack && plan->attack->isSkill;
  if (dynamic_cast<CStrategy_Attack*>(step)) {
    if (!plan || !plan->attack || aimsSkill) return EGameKey::CANCEL;
    if (auto key = StepCursorTowards(stage, plan->attack->aim)) return key;
    plan.reset();
    return EGameKey::DECIDE;
  }
  if (dynamic_cast<CStrategy_Skill*>(step)) {
    if (!aimsSkill) return EGameKey::CANCEL;
    const CDialog* list = command.GetRootDialog()->GetChild();
    if (list && !list->IsClosed()) {
      const auto at = std::find(unit.skills.begin(), unit.skills.end(), plan->attack->skill) - unit.skills.begin();
      return ChooseInMenu(*list, std::to_string(at));
    }
    if (auto key = StepCursorTowards(stage, plan->attack->aim)) return key;
    plan.reset();
    return EGameKey::DECIDE;
  }
  if (dynamic_cast<CStrategy_Standby*>(step)) {
    const EDirection4 facing = plan && plan->standby ? plan->standby->direction : unit.direction;
    if (unit.direction != facing) return KeyFor(facing);
    plan.reset();
    return EGameKey::DECIDE;
  }
  if (dynamic_cast<CStrategy_Status*>(step)) return EGameKey::CANCEL;
  return std::nullopt;
}

// ---- what happened -----------------------------------------------------------

void CCampaignPlayer::BeginBattle(CStage& stage, long frame) {
  battle = std::make_unique<SBattle>();
  battle->stage = &stage;
  battle->stageNo = stage.stageNo;
  battle->number = ++battles;
  battle->startFrame = frame;
  for (CUnit* unit : stage.state.units) {
    if (unit->team == 0) battle->ais[unit] = MakePartyAI(stage, *unit);
  }
  NoteProgress();
}

void CCampaignPlayer::EndBattle(long frame) {
  if (!battle->reported) {
    print("battle " + std::to_string(battle->number) + " stage " + std::to_string(battle->stageNo) +
          " result gaveup turns " + std::to_string(battle->turnCount < 0 ? 0 : battle->turnCount) + " frames " +
          std::to_string(frame - battle->startFrame));
    ++result.battles;
  }
  lastBattleCleared = battle->cleared;
  battle.reset();
}

void CCampaignPlayer::Observe(long frame) {
  result.frames = frame;
  CScene* scene = currentScene.get();
  if (scene != lastScene) {
    // The battle's AIs point into the stage that has just gone.
    if (battle) EndBattle(frame);
    if (auto* stage = dynamic_cast<CStage*>(scene)) BeginBattle(*stage, frame);
    if (dynamic_cast<CSceneCamp*>(scene)) {
      needSave = lastBattleCleared;
      paramsDone = skillsDone = false;
      lastBattleCleared = false;
    }
    lastScene = scene;
  }
  if (battle && !battle->reported) {
    if (const auto* end = dynamic_cast<const CStageStrategy_Announce*>(battle->stage->GetStrategy())) {
      if (end->GetType() != CStageStrategy_Announce::STAGE_START) {
        battle->reported = true;
        battle->cleared = end->GetType() == CStageStrategy_Announce::STAGE_CLEARED;
        if (battle->cleared) {
          lossStreak = 0;
        } else if (battle->stage->stageNo == FirstMapToWin()) {
          ++lossStreak;
        }
        print("battle " + std::to_string(battle->number) + " stage " + std::to_string(battle->stage->stageNo) +
              " result " + (battle->cleared ? "cleared" : "gameover") + " turns " +
              std::to_string(battle->stage->state.turnCount) + " frames " +
              std::to_string(frame - battle->startFrame));
        ++result.battles;
        NoteProgress();
      }
    }
  }
  // The camp holds the game in progress; the title may already hold a new one.
  if (saveData && dynamic_cast<CSceneCamp*>(scene)) {
    int cleared = 0;
    for (int s = 0; s <= kBonusMap; ++s) cleared += ClearCount(s) > 0 ? 1 : 0;
    result.mapsCleared = std::max(result.mapsCleared, cleared);
    result.bonusOpened = result.bonusOpened || saveData->bonusMapOpened;
    result.bonusCleared = result.bonusCleared || ClearCount(kBonusMap) > 0;
  }
}

}  // namespace

SCampaignResult PlayCampaign(long maxFrames, const std::function<void(const std::string&)>& print,
                             const std::function<void(long)>& afterFrame) {
  CCampaignPlayer player(print);
  bool held = false;
  long frame = 0;
  while (frame < maxFrames && !player.Finished()) {
    gamelib_test::ClearInjectedInput();
    // A key is held for one frame and let go for the next, as a finger would.
    if (!held) {
      if (const auto key = player.ChooseKey(frame)) {
        gamelib_test::SetKeyDown(KeyCode(*key), true);
        held = true;
      }
    } else {
      held = false;
    }
    if (!RunFrame()) throw std::runtime_error("the game ended by itself");
    player.Observe(++frame);
    if (afterFrame) afterFrame(frame);
  }
  gamelib_test::ClearInjectedInput();
  return player.Result();
}
