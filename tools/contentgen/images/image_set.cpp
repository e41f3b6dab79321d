#include "images/image_set.h"

#include <stdexcept>

#include "contentgen.h"
#include "images/artwork.h"
#include "images/fonts.h"
#include "images/units.h"

namespace contentgen {

namespace {

using Draw = std::function<CCanvas(CFontBook&)>;

template <typename F>
Draw NoFonts(F f) {
  return [f](CFontBook&) { return f(); };
}

struct SStatusWord {
  const char* file;
  const char* line1;
  const char* line2;
  std::uint32_t fill, edge;
};

std::vector<SImageEntry> BuildEntries() {
  std::vector<SImageEntry> e;
  auto add = [&](std::string path, Draw d) { e.push_back({std::move(path), std::move(d)}); };

  add("title.png", [](CFontBook& f) { return DrawTitle(f); });
  add("town_entrance.jpg", NoFonts(DrawTownEntrance));
  add("shadow.png", NoFonts(DrawShadow));
  for (int i = 0; i < 3; ++i) add("portal" + std::to_string(i + 1) + ".png", NoFonts([i] { return DrawPortal(i); }));

  add("ui_parts/cursor.png", NoFonts(DrawCursor));
  add("ui_parts/cursor_down.png", NoFonts(DrawCursorDown));
  add("ui_parts/arrow.png", NoFonts(DrawSmallArrow));
  add("ui_parts/large_arrow.png", NoFonts(DrawLargeArrow));
  add("ui_parts/hand.png", NoFonts(DrawHand));
  const std::pair<const char*, EGridTint> tiles[] = {{"move_grid_blue", EGridTint::Blue},
                                                     {"move_grid_yellow", EGridTint::Yellow},
                                                     {"move_grid_red", EGridTint::Red},
                                                     {"move_grid_green", EGridTint::Green},
                                                     {"sight_grid", EGridTint::Sight}};
  for (const auto& [name, tint] : tiles)
    add(std::string("ui_parts/") + name + ".png", NoFonts([tint] { return DrawRangeTile(tint); }));
  for (const char* s : {"poison", "slow", "fast", "move_down", "move_up", "provocation", "concentrate"})
    add(std::string("ui_parts/state_icon_") + s + ".png", NoFonts([s] { return DrawStateIcon(s); }));
  for (int d = 0; d < 10; ++d) add("ui_parts/num_" + std::to_string(d) + ".png", NoFonts([d] { return DrawDigit(d, false); }));
  for (int d = 0; d < 10; ++d)
    add("ui_parts/num_" + std::to_string(d) + "_green.png", NoFonts([d] { return DrawDigit(d, true); }));

  // Status words: SLOW raises WT, so it shows the "lowered" word, and FAST
  // the "raised" one.
  const SStatusWord words[] = {
      {"moji_poison.png", "毒", "", 0xc890ff, 0x2a0a40},
      {"moji_wtdown.png", "行動力", "低下", 0x80b8ff, 0x0a1a50},
      {"moji_wtup.png", "行動力", "増加", 0xffb040, 0x4a1808},
      {"moji_movedown.png", "移動力", "低下", 0x80b8ff, 0x0a1a50},
      {"moji_moveup.png", "移動力", "増加", 0xffb040, 0x4a1808},
      {"moji_provocation.png", "挑発", "", 0xff7070, 0x4a0a0a},
      {"moji_concentration.png", "集中", "", 0xfff070, 0x4a3a08},
      {"moji_evede.png", "MISS", "", 0xf0f0ff, 0x202040},
  };
  for (const SStatusWord& w : words)
    add(std::string("effect/") + w.file,
        [w](CFontBook& f) { return DrawStatusText(f, w.line1, w.line2, Hex(w.fill), Hex(w.edge)); });
  for (int i = 0; i < 8; ++i) add("effect/shot_hit0" + std::to_string(i + 1) + ".png", NoFonts([i] { return DrawShotHit(i); }));
  add("effect/heal.png", NoFonts(DrawHealSparkle));
  add("effect/water_ball_small.png", NoFonts(DrawPoisonBubble));
  add("effect/speed_effect_blue.png", NoFonts([] { return DrawSpeedStreak(true); }));
  add("effect/speed_effect_red.png", NoFonts([] { return DrawSpeedStreak(false); }));

  const std::pair<const char*, int> swings[] = {{"knife", 4}, {"long_sword", 4}, {"large_sword", 5}, {"spier", 4}};
  for (const auto& [kind, count] : swings)
    for (int i = 0; i < count; ++i)
      add(std::string("weapon/") + kind + "_0" + std::to_string(i + 1) + ".png",
          NoFonts([kind, i] { return DrawSwing(kind, i); }));
  add("weapon/bow.png", NoFonts(DrawBow));
  add("weapon/arrow_01.png", NoFonts(DrawArrow));
  for (int i = 0; i < 4; ++i) add("weapon/rod_0" + std::to_string(i + 1) + ".png", NoFonts([i] { return DrawRod(i); }));

  for (const std::string& name : UnitSheetNames())
    add("ziki/" + name, NoFonts([name] { return DrawUnitSheet(name); }));
  add("ziki/emotion.png", [](CFontBook& f) { return DrawEmotionSheet(f); });
  for (const char* face : {"fighter", "knight", "sorcerer", "sorceress", "priestess", "unknown", "kobold", "fairy",
                           "spilit_of_fire", "spilit_of_water", "spilit_of_forest", "spilit_of_ray"}) {
    const std::string file = std::string(face) + "_face.png";
    add("ziki/" + file, NoFonts([file] { return DrawFace(file); }));
  }
  add("ziki/fireball_effect.png", NoFonts(DrawFireball));
  add("ziki/firewall1.png", NoFonts([] { return DrawFirewall(0); }));
  add("ziki/firewall2.png", NoFonts([] { return DrawFirewall(1); }));
  for (int i = 0; i < 5; ++i) add("ziki/thunder" + std::to_string(i + 1) + ".png", NoFonts([i] { return DrawThunder(i); }));
  add("ziki/water_ball_small.png", NoFonts(DrawWaterBall));
  add("item/coins2.png", NoFonts(DrawCoins));
  return e;
}

}  // namespace

const std::vector<SImageEntry>& ImageEntries() {
  static const std::vector<SImageEntry> entries = BuildEntries();
  return entries;
}

const SImageEntry& FindImageEntry(const std::string& path) {
  for (const SImageEntry& e : ImageEntries())
    if (e.path == path) return e;
  throw std::runtime_error("the generator draws no picture called \"" + path + "\"");
}

void WriteImageEntry(const SImageEntry& entry, CFontBook& fonts, const std::filesystem::path& datDir) {
  SaveImage(entry.draw(fonts), datDir / "image" / std::filesystem::path(entry.path));
}

void GenerateImages(const std::filesystem::path& outDir) {
  CFontBook fonts;
  for (const SImageEntry& e : ImageEntries()) WriteImageEntry(e, fonts, outDir);
}

}  // namespace contentgen
