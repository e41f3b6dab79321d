// Plays every weapon act, every skill act and a short walk once on the
// first forest map, headless, and writes one film strip per act: every 4th
// frame from the start until the battle goes back to browsing (and a few
// frames more, for the fade of a killed enemy and the last of the floating
// numbers), cropped around the attacker and its targets, left to right with
// the frame number above. Used to look at how attacks play out; run it from
// the folder holding dat/.
//
//   actfilms OUTDIR
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/image_manager.h"
#include "assets/sound_manager.h"
#include "assets/unit_sprites.h"
#include "battle/cursor.h"
#include "battle/stage.h"
#include "battle/unit_action.h"
#include "combat/attack_area.h"
#include "combat/skill_table.h"
#include "combat/weapon_table.h"
#include "core/map_grid.h"
#include "core/random.h"
#include "field/enemy.h"
#include "field/geographical_features.h"
#include "field/terrain.h"
#include "field/traverse.h"
#include "field/unit.h"
#include "field/unit_tables.h"
#include "game/main_loop.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFilmStage = 0;  // the forest meadow: open grass with a lone tree at (9, 3)
constexpr int kEvery = 4;
constexpr int kTailFrames = 12;  // numbers of a hit near the end are still rising
constexpr int kMaxFrames = 600;  // an act still running by then is stuck
constexpr int kCropW = 224;
constexpr int kCropH = 160;
constexpr int kLabelH = 14;
constexpr int kPerRow = 8;
constexpr int kGap = 2;

enum class EHealth { FULL, WOUNDED, ONE_HP, FALLEN };

struct SMember {
  ECharactor charactor = ECharactor::SLIME;
  int team = 1;
  EHealth health = EHealth::FULL;
  bool poisoned = false;
};

SMember Foe(ECharactor c, EHealth h = EHealth::FULL) { return {c, 1, h, false}; }
SMember Ally(ECharactor c, EHealth h = EHealth::FULL, bool poisoned = false) { return {c, 0, h, poisoned}; }

// One act to film. `onArea` stands on the struck grids in the area's order;
// an empty slot leaves its grid free. Without a weapon or a skill the
// attacker walks `route` instead.
struct SScene {
  std::string name{};
  SMember attacker{};
  SPoint from{};
  SPoint aim{};
  std::optional<EWeaponType> weapon{};
  std::optional<ESkill> skill{};
  std::vector<std::optional<SMember>> onArea{};
  std::vector<EDirection4> route{};
  std::optional<SPoint> mustBeBlocked{};
  std::uint32_t seed = 1;
};

SScene Weapon(std::string name, SMember attacker, SPoint from, SPoint aim, EWeaponType weapon,
              std::vector<std::optional<SMember>> onArea) {
  return {.name = std::move(name), .attacker = attacker, .from = from, .aim = aim, .weapon = weapon,
          .onArea = std::move(onArea)};
}

SScene Skill(std::string name, SMember attacker, SPoint from, SPoint aim, ESkill skill,
             std::vector<std::optional<SMember>> onArea) {
  return {.name = std::move(name), .attacker = attacker, .from = from, .aim = aim, .skill = skill,
          .onArea = std::move(onArea)};
}

std::vector<SScene> Scenes() {
  using enum ECharactor;
  using W = EWeaponType;
  using S = ESkill;
  constexpr EHealth kWounded = EHealth::WOUNDED;
  constexpr EHealth kOneHp = EHealth::ONE_HP;
  constexpr EHealth kFallen = EHealth::FALLEN;
  const std::nullopt_t free = std::nullopt;
  // The archer shoots at the kobold past the lone tree.
  SScene blocked = Weapon("BOW_blocked", Ally(ARCHER), {9, 6}, {9, 2}, W::BOW, {Foe(KOBOLD)});
  blocked.mustBeBlocked = SPoint(9, 3);
  SScene walk{.name = "MOVE", .attacker = Ally(KNIGHT), .from = {5, 6}, .aim = {5, 6},
              .route = {EDirection4::RIGHT, EDirection4::RIGHT, EDirection4::DOWN}};
  return {
      // clang-format off
      //      name              attacker          from    aim     weapon or skill     units on the struck grids
      Weapon("TACKLE",          Foe(SLIME),       {6, 6}, {7, 6}, W::NONE,            {Ally(KNIGHT)}),
      Weapon("SHORT_SWORD",     Ally(KNIGHT),     {6, 6}, {7, 6}, W::SHORT_SWORD,     {Foe(KOBOLD)}),
      Weapon("LONG_SWORD",      Ally(KNIGHT),     {6, 6}, {7, 6}, W::LONG_SWORD,      {Foe(SLIME, kOneHp)}),
      Weapon("LARGE_SWORD",     Ally(FIGHTER),    {6, 6}, {7, 6}, W::LARGE_SWORD,     {Foe(KOBOLD), Foe(SLIME, kOneHp), Foe(SLIME_RED)}),
      Weapon("SPIER",           Ally(KNIGHT),     {6, 6}, {7, 6}, W::SPIER,           {Foe(KOBOLD), Foe(SLIME)}),
      Weapon("ROD",             Ally(SORCERESS),  {6, 6}, {7, 6}, W::ROD,             {Foe(SLIME)}),
      Weapon("BOW",             Ally(ARCHER),     {5, 7}, {8, 5}, W::BOW,             {Foe(KOBOLD)}),
      blocked,
      Skill("FIRE_BOLT",        Ally(SORCERESS),  {4, 6}, {7, 5}, S::FIRE_BOLT,       {Foe(SLIME)}),
      Skill("FIRE_WALL",        Ally(SORCERESS),  {4, 6}, {7, 6}, S::FIRE_WALL,       {Foe(KOBOLD), Foe(SLIME, kOneHp), free, Foe(SLIME_RED), Foe(SLIME_YELLOW)}),
      Skill("LIGHTNING_BOLT",   Ally(SORCERESS),  {4, 6}, {7, 6}, S::LIGHTNING_BOLT,  {Foe(KOBOLD)}),
      Skill("HEAL",             Ally(KNIGHT),     {6, 6}, {7, 6}, S::HEAL,            {Ally(FIGHTER, kWounded)}),
      Skill("LONG_HEAL",        Ally(PRIESTESS),  {5, 6}, {8, 6}, S::LONG_HEAL,       {Ally(ARCHER, kWounded)}),
      Skill("AREA_HEAL",        Ally(PRIESTESS),  {5, 6}, {7, 6}, S::AREA_HEAL,
            {Ally(KNIGHT, kWounded), free, Ally(ARCHER, kWounded), Ally(FIGHTER, kFallen), Ally(SORCERESS)}),
      Skill("RESURRECTION",     Ally(PRIESTESS),  {5, 6}, {7, 6}, S::RESURRECTION,    {Ally(SORCERESS, kFallen)}),
      Skill("POISON",           Ally(SORCERESS),  {4, 6}, {7, 6}, S::POISON,          {Foe(KOBOLD)}),
      Skill("CURE",             Ally(PRIESTESS),  {5, 6}, {7, 6}, S::CURE,            {Ally(KNIGHT, kWounded, true)}),
      Skill("POISON_CLOUD",     Ally(SORCERESS),  {4, 6}, {7, 6}, S::POISON_CLOUD,    {Foe(KOBOLD), Foe(SLIME), free, Foe(SLIME_RED), Foe(SLIME_YELLOW)}),
      Skill("MOVE_UP",          Ally(ARCHER),     {5, 6}, {7, 6}, S::MOVE_UP,         {Ally(KNIGHT)}),
      Skill("MOVE_DOWN",        Ally(ARCHER),     {5, 6}, {7, 6}, S::MOVE_DOWN,       {Foe(KOBOLD)}),
      Skill("WT_DOWN",          Ally(PRIESTESS),  {5, 6}, {7, 6}, S::WT_DOWN,         {Ally(FIGHTER)}),
      Skill("WT_UP",            Ally(PRIESTESS),  {5, 6}, {7, 6}, S::WT_UP,           {Foe(KOBOLD)}),
      Skill("PROVOCATION",      Ally(KNIGHT),     {6, 6}, {6, 6}, S::PROVOCATION,     {}),
      Skill("CONCENTRATION",    Ally(FIGHTER),    {6, 6}, {6, 6}, S::CONCENTRATION,   {free, Ally(ARCHER), free, free, Ally(KNIGHT)}),
      Skill("ARROW_SHOWER",     Ally(ARCHER),     {6, 7}, {6, 6}, S::ARROW_SHOWER,    {Foe(SLIME), Foe(KOBOLD), free, Foe(SLIME, kOneHp), Foe(SLIME_RED)}),
      Skill("ROLLING_SLASH",    Ally(FIGHTER),    {6, 6}, {7, 6}, S::ROLLING_SLASH,
            {Foe(SLIME), Foe(KOBOLD), Foe(SLIME, kOneHp), free, Foe(SLIME_RED), free, Foe(SLIME_YELLOW)}),
      Skill("LONG_THRUST",      Ally(KNIGHT),     {5, 6}, {6, 6}, S::LONG_THRUST,     {Foe(SLIME), Foe(KOBOLD), Foe(SLIME, kOneHp)}),
      walk,
      // clang-format on
  };
}

// ---- pictures ---------------------------------------------------------------

struct SSurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SSurfaceFree>;

SurfacePtr NewSurface(int w, int h) {
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!s) throw std::runtime_error(std::string("no memory for a picture: ") + SDL_GetError());
  SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_NONE);
  return s;
}

// The back buffer as the frame left it.
SurfacePtr Grab(const SDL_Rect& r) {
  SurfacePtr s = NewSurface(r.w, r.h);
  auto* pixels = static_cast<Uint32*>(s->pixels);
  const int stride = s->pitch / 4;
  for (int y = 0; y < r.h; ++y) {
    for (int x = 0; x < r.w; ++x) {
      pixels[y * stride + x] = 0xff000000u | gamelib_test::GetBackBufferPixel(r.x + x, r.y + y);
    }
  }
  return s;
}

class CFilmStrip {
 public:
  CFilmStrip(int width, int height) : w(width), h(height) {}

  // Takes the crop of the frame just drawn, then draws its label on a
  // cleared back buffer and takes that too.
  void Add(const SDL_Rect& crop, const std::string& label) {
    frames.push_back(Grab(crop));
    ClsDrawScreen();
    DrawStringToHandle(3, 1, label.c_str(), GetColor(255, 255, 255), fontEdge12, GetColor(0, 0, 0));
    labels.push_back(Grab({0, 0, w, kLabelH}));
  }

  void Save(const fs::path& path) const {
    if (frames.empty()) throw std::runtime_error("no frame to write to " + path.string());
    const int count = static_cast<int>(frames.size());
    const int columns = std::min(kPerRow, count);
    const int rows = (count + columns - 1) / columns;
    const int cellH = kLabelH + h;
    SurfacePtr sheet = NewSurface(columns * (w + kGap) + kGap, rows * (cellH + kGap) + kGap);
    SDL_FillRect(sheet.get(), nullptr, SDL_MapRGB(sheet->format, 48, 48, 56));
    for (int i = 0; i < count; ++i) {
      const int x = kGap + (i % columns) * (w + kGap);
      const int y = kGap + (i / columns) * (cellH + kGap);
      SDL_Rect at{x, y, w, kLabelH};
      SDL_BlitSurface(labels[static_cast<std::size_t>(i)].get(), nullptr, sheet.get(), &at);
      at = {x, y + kLabelH, w, h};
      SDL_BlitSurface(frames[static_cast<std::size_t>(i)].get(), nullptr, sheet.get(), &at);
    }
    if (IMG_SavePNG(sheet.get(), path.string().c_str()) != 0) {
      throw std::runtime_error("could not write " + path.string() + ": " + IMG_GetError());
    }
  }

 private:
  int w, h;
  std::vector<SurfacePtr> frames;
  std::vector<SurfacePtr> labels;
};

// ---- the battle ---------------------------------------------------------------

EDirection4 FacingTowards(SPoint from, SPoint to) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  if (dx == 0 && dy == 0) return EDirection4::DOWN;
  if (std::abs(dx) >= std::abs(dy)) return dx > 0 ? EDirection4::RIGHT : EDirection4::LEFT;
  return dy > 0 ? EDirection4::DOWN : EDirection4::UP;
}

// The battle of one scene: the map's own enemies sent away, the scene's
// units put on it. The units outlive the battle, whose actors point at them.
class CFilmSet {
 public:
  explicit CFilmSet(const SScene& scene_) : scene(scene_), stage(kFilmStage, {}) {
    for (CUnit* u : stage.state.units) u->onStage = false;
    stage.Update();  // past the opening announcement; the map's enemies leave
    stage.showCheapStatus = false;
    if (!stage.GetMap()) throw std::runtime_error("stage " + std::to_string(kFilmStage) + " has no map");
  }

  CUnit& Join(const SMember& m, SPoint grid, EDirection4 facing) {
    const CGridObject* cell = stage.GetMap()->GetGrid(grid);
    if (!cell || !IsEnterable(cell->type, IsFlyingCharactor(m.charactor))) {
      throw std::runtime_error(scene.name + ": nobody can stand on (" + std::to_string(grid.x) + ", " +
                               std::to_string(grid.y) + ")");
    }
    cast.push_back(std::make_unique<CUnit>(m.charactor, m.team, grid));
    CUnit& u = *cast.back();
    u.InitByCharactor();
    if (m.health == EHealth::WOUNDED) u.hp = std::max(u.maxHp / 3, 1);
    if (m.health == EHealth::ONE_HP) u.hp = 1;
    if (m.health == EHealth::FALLEN) u.hp = 0;
    if (m.poisoned) u.AddExtState({3, EExtState::POISON});
    u.CreateActor(stage);
    u.SetDirection(facing);
    auto* sprite = dynamic_cast<CEnemy*>(u.actor.get());
    stage.AddUnitActor(sprite);
    stage.state.units.push_back(&u);
    if (u.IsDead() && GetClassInfo(u.charactor).lyingPose && sprite) {
      // The pose a unit is left in when it falls in battle.
      u.SetDirection(EDirection4::UP);
      sprite->GetDrawStrategy().SetRotate(true);
      sprite->GetDrawStrategy().SetAngle(90.0);
      sprite->drawOffset = {0.0, 1.0};
    }
    return u;
  }

  // Looks at the grids from above the middle of `grids`; returns the crop
  // window that holds them on the screen.
  SDL_Rect Frame(const std::vector<SPoint>& grids) {
    SPointD lo = GridToPixel(grids.front());
    SPointD hi = lo;
    for (SPoint g : grids) {
      const SPointD p = GridToPixel(g);
      lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
      hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    const CGeographicalFeatures& map = *stage.GetMap();
    const SPointD middle = (lo + hi) * 0.5;
    const double left = map.scrollLimitLeft + 320.0;
    const double top = map.scrollLimitTop + 240.0;
    camera = {std::clamp(middle.x, left, std::max(left, map.scrollLimitRight - 320.0)),
              std::clamp(middle.y, top, std::max(top, map.scrollLimitBottom - 240.0))};
    stage.SetCameraPosition(camera);
    const int w = std::max(kCropW, static_cast<int>(hi.x - lo.x) + 64);
    const int h = std::max(kCropH, static_cast<int>(hi.y - lo.y) + 64);
    if (w > 640 || h > 480) throw std::runtime_error(scene.name + ": the units do not fit on one screen");
    // A little more room above: spells stand tall and numbers rise.
    const SPointD centre = middle - camera + SPointD(320.0, 240.0 - 8.0);
    const int x = std::clamp(static_cast<int>(std::lround(centre.x)) - w / 2, 0, 640 - w);
    const int y = std::clamp(static_cast<int>(std::lround(centre.y)) - h / 2, 0, 480 - h);
    return {x, y, w, h};
  }

  const SScene& scene;
  std::vector<std::unique_ptr<CUnit>> cast;  // before the stage: it must die after it
  CStage stage;
  SPointD camera;
};

std::string Describe(const CUnit& u, int hpBefore) {
  std::string s = u.name + " " + std::to_string(hpBefore) + "->" + std::to_string(u.hp);
  if (!u.onStage) s += " (gone)";
  for (const CUnitExtState& e : u.extStates) s += " +" + std::string(GetExtStateInfo(e.type).name);
  return s;
}

void Film(const SScene& scene, const fs::path& outDir) {
  gameRandom = std::make_unique<CRandom>(scene.seed);
  effectRandom = std::make_unique<CRandom>(scene.seed);
  CFilmSet set(scene);
  CStage& stage = set.stage;

  CUnit& attacker = set.Join(scene.attacker, scene.from, FacingTowards(scene.from, scene.aim));
  std::vector<SPoint> shown{scene.from};
  auto action = std::make_unique<CStageStrategy_UnitAction>(stage);

  if (scene.weapon || scene.skill) {
    std::span<const SPoint> shape;
    int minRange = 0;
    int maxRange = 0;
    EAttackActType kind{};
    if (scene.skill) {
      const SSkillInfo& info = GetSkillInfo(*scene.skill);
      shape = info.area;
      minRange = info.minRange;
      maxRange = info.maxRange;
      kind = info.act;
      attacker.skills.push_back(*scene.skill);
    } else {
      const SWeaponInfo& info = GetWeaponInfo(*scene.weapon);
      shape = info.area;
      minRange = info.minRange;
      maxRange = info.maxRange;
      kind = info.act;
      attacker.weapon = *scene.weapon;
    }
    const std::vector<SPoint> area =
        GetAttackArea(minRange == 1 && maxRange == 1, shape, scene.aim, scene.from, stage);
    if (area.empty() || scene.onArea.size() > area.size()) {
      throw std::runtime_error(scene.name + ": " + std::to_string(scene.onArea.size()) + " units for an area of " +
                               std::to_string(area.size()) + " grids");
    }
    for (std::size_t i = 0; i < scene.onArea.size(); ++i) {
      if (scene.onArea[i]) set.Join(*scene.onArea[i], area[i], EDirection4::DOWN);
    }
    shown.insert(shown.end(), area.begin(), area.end());
    action->AddActionInfo(
        std::make_unique<CUnitActionInfo_Attack>(*action, kind, attacker, area, scene.skill.value_or(ESkill{})));
  } else {
    SPoint at = scene.from;
    for (EDirection4 d : scene.route) {
      at = at + DirectionOffset(d);
      shown.push_back(at);
    }
    action->AddActionInfo(std::make_unique<CUnitActionInfo_Move>(*action, attacker, scene.route));
  }
  if (scene.mustBeBlocked) {
    const CGridObject* cell = stage.GetMap()->GetGrid(*scene.mustBeBlocked);
    if (!cell || cell->type != EMapObjectType::BLOCKED) {
      throw std::runtime_error(scene.name + ": the map no longer blocks (" + std::to_string(scene.mustBeBlocked->x) +
                               ", " + std::to_string(scene.mustBeBlocked->y) + ")");
    }
  }

  std::vector<int> hpBefore;
  for (const auto& u : set.cast) hpBefore.push_back(u->hp);
  const SDL_Rect crop = set.Frame(shown);
  CFilmStrip strip(crop.w, crop.h);

  const CStageStrategy* playing = action.get();
  stage.SetStrategy(std::move(action));
  int frame = 0;
  int endedAt = -1;
  ClsDrawScreen();
  stage.Draw();
  strip.Add(crop, "0");
  while (endedAt < 0 || frame < endedAt + kTailFrames) {
    if (frame >= kMaxFrames) {
      throw std::runtime_error(scene.name + ": the act still runs after " + std::to_string(kMaxFrames) + " frames");
    }
    stage.Update();
    ++frame;
    if (endedAt < 0 && stage.GetStrategy() != playing) {
      // Browsing would scroll to the active unit and show the cursor; the
      // film keeps looking at the same place instead.
      endedAt = frame;
      stage.SetStrategy(std::make_unique<CStageStrategy>(stage));
      stage.cursor->visible = false;
      stage.SetCameraPosition(set.camera);
    }
    if (frame % kEvery != 0) continue;
    ClsDrawScreen();
    stage.Draw();
    strip.Add(crop, std::to_string(frame) + (endedAt >= 0 ? "  (browsing)" : ""));
  }

  const fs::path path = outDir / (scene.name + ".png");
  strip.Save(path);
  std::string summary;
  for (std::size_t i = 0; i < set.cast.size(); ++i) {
    summary += (i ? ", " : "") + Describe(*set.cast[i], hpBefore[i]);
  }
  std::printf("%s  (%d frames, back to browsing at %d)  %s\n", path.string().c_str(), frame, endedAt,
              summary.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: actfilms OUTDIR   (run from the folder holding dat/)\n");
    return 2;
  }
  gamelib_test::UseHeadlessDrivers();
  SetGraphMode(640, 480, 32, 60);
  if (GameLib_Init() != 0) {
    std::fprintf(stderr, "actfilms: the game library did not start: %s\n", GameLib_GetLastError());
    return 1;
  }
  int rc = 0;
  try {
    const fs::path outDir = argv[1];
    fs::create_directories(outDir);
    SetTransColor(255, 0, 255);
    SetDrawMode(DX_DRAWMODE_BILINEAR);
    CreateFonts();
    imageManager = std::make_unique<CImageManager>();
    LoadUnitSprites();
    soundManager = std::make_unique<CSoundManager>(false);
    InstallUnitActorMaker();
    for (const SScene& scene : Scenes()) Film(scene, outDir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "actfilms: %s\n", e.what());
    rc = 1;
  }
  soundManager.reset();
  imageManager.reset();
  gameRandom.reset();
  effectRandom.reset();
  GameLib_End();
  return rc;
}
