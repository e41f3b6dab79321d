#include "map_layout.h"

#include "map_text.h"

#include <array>
#include <fstream>
#include <map>
#include <sstream>

namespace contentgen::maps {

namespace {

using G = EGround;
using D = EDecoration;
constexpr EMapObjectType PLAIN = EMapObjectType::PLAIN, ROUGH = EMapObjectType::ROUGH,
                         FLY = EMapObjectType::FLY_ONLY, BLOCKED = EMapObjectType::BLOCKED;

// clang-format off
const std::vector<STileKind> tileKinds = {
  // name                 ground          decoration          terrain
  // forest
  {"grass",               G::GRASS,       D::NONE,            PLAIN},
  {"flowers",             G::GRASS,       D::FLOWERS,         PLAIN},
  {"path",                G::PATH,        D::NONE,            PLAIN},
  {"tall grass",          G::GRASS,       D::TALL_GRASS,      ROUGH},
  {"bushes",              G::GRASS,       D::BUSH,            ROUGH},
  {"thicket",             G::GRASS,       D::THICKET,         ROUGH},
  {"tree",                G::GRASS,       D::TREE,            BLOCKED},
  {"forest",              G::CANOPY,      D::NONE,            BLOCKED},
  {"boulder",             G::GRASS,       D::BOULDER,         BLOCKED},
  {"cliff",               G::CLIFF,       D::NONE,            BLOCKED},
  {"water",               G::WATER,       D::NONE,            FLY},
  {"bridge",              G::WATER,       D::BRIDGE,          PLAIN},
  {"ford",                G::WATER,       D::STEPPING_STONES, ROUGH},
  // cave
  {"cave floor",          G::CAVE_FLOOR,  D::NONE,            PLAIN},
  {"mushrooms",           G::CAVE_FLOOR,  D::MUSHROOMS,       PLAIN},
  {"rubble",              G::CAVE_FLOOR,  D::RUBBLE,          ROUGH},
  {"rock",                G::ROCK,        D::NONE,            BLOCKED},
  {"stalagmite",          G::CAVE_FLOOR,  D::STALAGMITE,      BLOCKED},
  {"crystals",            G::CAVE_FLOOR,  D::CRYSTALS,        BLOCKED},
  {"underground water",   G::CAVE_WATER,  D::NONE,            FLY},
  {"shallows",            G::CAVE_WATER,  D::STEPPING_STONES, ROUGH},
  {"cave bridge",         G::CAVE_WATER,  D::BRIDGE,          PLAIN},
  {"chasm",               G::CHASM,       D::NONE,            FLY},
  {"rope bridge",         G::CHASM,       D::BRIDGE,          PLAIN},
  // castle
  {"stone floor",         G::STONE,       D::NONE,            PLAIN},
  {"marble floor",        G::MARBLE,      D::NONE,            PLAIN},
  {"carpet",              G::CARPET,      D::NONE,            PLAIN},
  {"castle wall",         G::CASTLE_WALL, D::NONE,            BLOCKED},
  {"pillar",              G::STONE,       D::PILLAR,          BLOCKED},
  {"statue",              G::STONE,       D::STATUE,          BLOCKED},
  {"brazier",             G::STONE,       D::BRAZIER,         BLOCKED},
  {"throne",              G::CARPET,      D::THRONE,          BLOCKED},
  {"debris",              G::STONE,       D::DEBRIS,          ROUGH},
  {"moat",                G::MOAT,        D::NONE,            FLY},
  {"drawbridge",          G::MOAT,        D::BRIDGE,          PLAIN},
  {"paving",              G::PAVING,      D::NONE,            PLAIN},
  {"lawn",                G::LAWN,        D::NONE,            PLAIN},
  {"hedge",               G::LAWN,        D::BUSH,            ROUGH},
};
// clang-format on

constexpr std::array<std::pair<const char*, EMapObjectType>, 4> terrainWords{{
    {"plain", PLAIN}, {"rough", ROUGH}, {"fly-only", FLY}, {"blocked", BLOCKED}}};

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

const char* TerrainWord(EMapObjectType type) {
  for (const auto& [word, t] : terrainWords)
    if (t == type) return word;
  return "blocked";
}

}  // namespace

const std::vector<STileKind>& TileKinds() { return tileKinds; }

const STileKind* FindTileKind(std::string_view name) {
  for (const auto& kind : tileKinds)
    if (name == kind.name) return &kind;
  return nullptr;
}

std::vector<EMapObjectType> SMapLayout::Terrain() const {
  std::vector<EMapObjectType> terrain;
  terrain.reserve(cells.size());
  for (const STileKind* kind : cells) terrain.push_back(kind->terrain);
  return terrain;
}

SMapLayout ParseMapLayout(std::string_view text, int stage) {
  auto fail = [stage](int line, const std::string& what) {
    throw CMapLayoutError(Printf("stage %d layout, line %d: %s", stage, line, what.c_str()));
  };
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  enum class ESection { NONE, LEGEND, MAP } section = ESection::NONE;
  std::map<char, const STileKind*> legend;
  std::vector<std::pair<int, std::string_view>> rows;
  int lineNo = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (section == ESection::MAP) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
      rows.emplace_back(lineNo, line);
      continue;
    }
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.starts_with("//")) continue;
    if (trimmed == "[legend]") {
      section = ESection::LEGEND;
      continue;
    }
    if (trimmed == "[map]") {
      if (legend.empty()) fail(lineNo, "the map starts before any legend entry");
      section = ESection::MAP;
      continue;
    }
    if (section != ESection::LEGEND) fail(lineNo, "expected [legend] before anything else");

    // "<char> <kind name> <terrain>"
    const char symbol = trimmed.front();
    if (trimmed.size() < 2 || (trimmed[1] != ' ' && trimmed[1] != '\t'))
      fail(lineNo, "a legend entry is one character, a tile kind and its terrain");
    if (static_cast<unsigned char>(symbol) > 126) fail(lineNo, "legend characters must be plain ASCII");
    const std::string_view rest = Trim(trimmed.substr(1));
    const auto split = rest.find_last_of(" \t");
    if (split == std::string_view::npos) fail(lineNo, Printf("legend entry '%c' needs a kind and a terrain", symbol));
    const std::string name(Trim(rest.substr(0, split)));
    const std::string_view word = rest.substr(split + 1);
    const STileKind* kind = FindTileKind(name);
    if (kind == nullptr) fail(lineNo, Printf("unknown tile kind \"%s\"", name.c_str()));
    if (word != TerrainWord(kind->terrain))
      fail(lineNo, Printf("\"%s\" is %s ground, but the legend says %.*s", name.c_str(), TerrainWord(kind->terrain), static_cast<int>(word.size()), word.data()));
    if (!legend.emplace(symbol, kind).second) fail(lineNo, Printf("the character '%c' is in the legend twice", symbol));
  }
  if (section != ESection::MAP) fail(lineNo, "the layout has no [map] section");
  while (!rows.empty() && rows.back().second.empty()) rows.pop_back();
  if (rows.empty()) fail(lineNo, "the map section is empty");

  SMapLayout layout;
  layout.stage = stage;
  layout.width = static_cast<int>(rows.front().second.size());
  layout.height = static_cast<int>(rows.size());
  for (int y = 0; y < layout.height; ++y) {
    const auto& [rowLine, row] = rows[static_cast<size_t>(y)];
    if (static_cast<int>(row.size()) != layout.width)
      fail(rowLine, Printf("map row %d is %zu cells wide, the first row %d", y, row.size(), layout.width));
    for (int x = 0; x < layout.width; ++x) {
      const auto found = legend.find(row[static_cast<size_t>(x)]);
      if (found == legend.end())
        fail(rowLine, Printf("cell (%d,%d) uses '%c', which is not in the legend", x, y, row[static_cast<size_t>(x)]));
      layout.cells.push_back(found->second);
    }
  }
  return layout;
}

SMapLayout LoadMapLayout(const std::filesystem::path& path, int stage) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CMapLayoutError(Printf("stage %d: cannot read the map layout %s", stage, path.string().c_str()));
  std::ostringstream text;
  text << in.rdbuf();
  return ParseMapLayout(text.str(), stage);
}

}  // namespace contentgen::maps
