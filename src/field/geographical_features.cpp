#include "field/geographical_features.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string_view>

#include "field/battlefield.h"
#include "runtime/gamelib/gamelib.h"

namespace {

// Generous bound on a map side in chips: the largest battle map is 108 x 140,
// and a wild header must not make us allocate gigabytes.
constexpr int MAX_MAP_CHIPS_PER_SIDE = 4096;

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CMapFileError("map file '" + path + "' cannot be opened (missing or unreadable)");
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<std::string> lines;
  std::string all = text.str();
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The first `count` fields of a line as integers; extra fields are ignored.
std::vector<int> ParseFields(const std::string& path, const std::vector<std::string>& lines, int lineNo,
                             int count) {
  std::vector<int> values;
  values.reserve(static_cast<std::size_t>(count));
  std::string_view rest = lines[static_cast<std::size_t>(lineNo)];
  // A UTF-8 byte order mark may lead the file.
  if (lineNo == 0 && rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  const std::string where = "map file '" + path + "' line " + std::to_string(lineNo);
  if (Trim(rest).empty()) {
    throw CMapFileError(where + " is empty where " + std::to_string(count) + " numbers are needed");
  }
  bool more = true;
  for (int j = 0; j < count; ++j) {
    if (!more) {
      throw CMapFileError(where + " has " + std::to_string(j) + " fields where " + std::to_string(count) +
                          " are needed (line cut short)");
    }
    const std::size_t comma = rest.find(',');
    const std::string_view field = Trim(rest.substr(0, comma));
    int value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size()) {
      throw CMapFileError(where + " field " + std::to_string(j) + ": '" + std::string(field) +
                          "' is not a whole number");
    }
    values.push_back(value);
    if (comma == std::string_view::npos) {
      more = false;
    } else {
      rest.remove_prefix(comma + 1);
    }
  }
  return values;
}

}  // namespace

CMapObject::CMapObject(int chipNumber_, int handle, SPointD centre)
    : CActor(SDrawData(handle), centre), chipNumber(chipNumber_) {
  drawData.SetSize(MAP_CHIP_SIZE, MAP_CHIP_SIZE);
}

CGeographicalFeatures::CGeographicalFeatures(CBattlefield& stage_, unsigned int gridLineColour_, double cameraX,
                                             double cameraY, int chipColumns_, int chipRows_,
                                             const std::string& chipImagePath_)
    : stage(stage_),
      chipColumns(chipColumns_),
      chipRows(chipRows_),
      chipHandles(static_cast<std::size_t>(std::max(0, chipColumns_) * std::max(0, chipRows_)), 0),
      camera(cameraX, cameraY),
      cameraStart(cameraX, cameraY),
      gridLineColour(gridLineColour_),
      chipImagePath(chipImagePath_) {}

CGeographicalFeatures::~CGeographicalFeatures() { Release(); }

double CGeographicalFeatures::GetScrollX() const { return cameraStart.x - camera.x; }
double CGeographicalFeatures::GetScrollY() const { return cameraStart.y - camera.y; }

CGridObject* CGeographicalFeatures::GetGrid(SPoint p) const {
  if (!IsInMap(p)) return nullptr;
  return grid[static_cast<std::size_t>(p.y * width + p.x)].get();
}

EMapObjectType CGeographicalFeatures::GetTerrain(SPoint p) const {
  const CGridObject* cell = GetGrid(p);
  return cell ? cell->type : EMapObjectType::BLOCKED;
}

const CMapObject* CGeographicalFeatures::GetChip(int layerIndex, int column, int row) const {
  if (layerIndex < 0 || layerIndex > 2 || column < 0 || row < 0 || column >= chipWidth || row >= chipHeight)
    return nullptr;
  return layers[layerIndex][static_cast<std::size_t>(row * chipWidth + column)].get();
}

void CGeographicalFeatures::LoadMapCsv(const std::string& path) {
  const std::vector<std::string> lines = ReadLines(path);
  if (lines.empty()) throw CMapFileError("map file '" + path + "' is empty (line 0 should give the map size)");
  const std::vector<int> size = ParseFields(path, lines, 0, 2);
  const int w = size[0];
  const int h = size[1];
  if (w < 1 || h < 1 || w > MAX_MAP_CHIPS_PER_SIDE || h > MAX_MAP_CHIPS_PER_SIDE) {
    throw CMapFileError("map file '" + path + "' line 0: map size " + std::to_string(w) + " x " +
                        std::to_string(h) + " chips is outside 1.." + std::to_string(MAX_MAP_CHIPS_PER_SIDE));
  }
  // Header, then three chip layers and the terrain layer, each block after
  // the first preceded by a separator line.
  const long needed = 4L * h + 4;
  if (static_cast<long>(lines.size()) < needed) {
    throw CMapFileError("map file '" + path + "' has lines 0.." + std::to_string(lines.size() - 1) +
                        " only, but a map " + std::to_string(h) + " chips high needs lines 0.." +
                        std::to_string(needed - 1));
  }

  // Every number of the four blocks is read and checked before anything is
  // built, so a header that promises a huge map costs no memory until the
  // file really holds that many numbers.
  const int chipCount = static_cast<int>(chipHandles.size());
  std::vector<int> numbers;  // block by block, each row by row
  for (int block = 0; block < 4; ++block) {
    const int first = 1 + block * (h + 1);
    for (int row = 0; row < h; ++row) {
      const int lineNo = first + row;
      const std::vector<int> values = ParseFields(path, lines, lineNo, w);
      for (int column = 0; block < 3 && column < w; ++column) {
        const int n = values[static_cast<std::size_t>(column)];
        if (n != MAP_CHIP_EMPTY && (n < 0 || n >= chipCount)) {
          throw CMapFileError("map file '" + path + "' line " + std::to_string(lineNo) + " field " +
                              std::to_string(column) + ": chip " + std::to_string(n) +
                              " is not on the chip sheet (0.." + std::to_string(chipCount - 1) + ")");
        }
      }
      numbers.insert(numbers.end(), values.begin(), values.end());
    }
  }
  const auto cells = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  const auto number = [&](int block, int row, int column) {
    return numbers[static_cast<std::size_t>(block) * cells + static_cast<std::size_t>(row * w + column)];
  };

  CutChips(numbers, 3 * cells);

  std::vector<std::unique_ptr<CMapObject>> newLayers[3];
  for (int layer = 0; layer < 3; ++layer) {
    newLayers[layer].resize(cells);
    for (int row = 0; row < h; ++row) {
      for (int column = 0; column < w; ++column) {
        const int n = number(layer, row, column);
        if (n == MAP_CHIP_EMPTY) continue;
        const SPointD centre(column * MAP_CHIP_SIZE + MAP_CHIP_SIZE / 2, row * MAP_CHIP_SIZE + MAP_CHIP_SIZE / 2);
        newLayers[layer][static_cast<std::size_t>(row * w + column)] =
            std::make_unique<CMapObject>(n, chipHandles[static_cast<std::size_t>(n)], centre);
      }
    }
  }

  // Only the top-left chip of each grid cell decides its terrain; an odd
  // last column or row has no cell.
  const int gw = w / 2;
  const int gh = h / 2;
  std::vector<std::unique_ptr<CGridObject>> newGrid(static_cast<std::size_t>(gw) * static_cast<std::size_t>(gh));
  for (int y = 0; y < gh; ++y) {
    for (int x = 0; x < gw; ++x) {
      const std::optional<EMapObjectType> type = TerrainFromCode(number(3, y * 2, x * 2));
      if (!type) continue;
      newGrid[static_cast<std::size_t>(y * gw + x)] = std::make_unique<CGridObject>(CGridObject{*type});
    }
  }

  chipWidth = w;
  chipHeight = h;
  width = gw;
  height = gh;
  scrollLimitTop = 0;
  scrollLimitBottom = h * MAP_CHIP_SIZE;
  scrollLimitLeft = 0;
  scrollLimitRight = w * MAP_CHIP_SIZE;
  for (int layer = 0; layer < 3; ++layer) layers[layer] = std::move(newLayers[layer]);
  grid = std::move(newGrid);
}

// A map uses a few hundred of the sheet's chips: only those get a handle,
// the first time a map needs them.
void CGeographicalFeatures::CutChips(const std::vector<int>& numbers, std::size_t count) {
  for (std::size_t i = 0; i < count && !chipSheetUnreadable; ++i) {
    const int n = numbers[i];
    if (n == MAP_CHIP_EMPTY || chipHandles[static_cast<std::size_t>(n)] != 0) continue;
    const int handle = CutGraph(chipImagePath.c_str(), (n % chipColumns) * MAP_CHIP_SIZE,
                                (n / chipColumns) * MAP_CHIP_SIZE, MAP_CHIP_SIZE, MAP_CHIP_SIZE);
    // A sheet that cannot be read is tried once; its chips draw nothing.
    if (handle < 0) {
      chipSheetUnreadable = true;
    } else {
      chipHandles[static_cast<std::size_t>(n)] = handle;
    }
  }
}

void CGeographicalFeatures::Release() {
  for (int& handle : chipHandles) {
    if (handle > 0) DeleteGraph(handle);
    handle = 0;
  }
}

void CGeographicalFeatures::Draw() {
  DrawLayer(0, 0);
  DrawLayer(1, 1);
  // The top layer (tree crowns, roofs) covers the units.
  DrawLayer(8, 2);
}

SChipWindow CGeographicalFeatures::GetVisibleChips(int marginX, int marginY) const {
  int cx = static_cast<int>(std::trunc(camera.x / MAP_CHIP_SIZE));
  int cy = static_cast<int>(std::trunc(camera.y / MAP_CHIP_SIZE));
  if (camera.x < 0) --cx;
  if (camera.y < 0) --cy;
  SChipWindow window;
  window.left = std::max(0, cx - marginX);
  window.top = std::max(0, cy - marginY);
  window.right = std::min(chipWidth - 1, cx + marginX);
  window.bottom = std::min(chipHeight - 1, cy + marginY);
  return window;
}

void CGeographicalFeatures::DrawLayer(int depth, int layerIndex) {
  if (layerIndex < 0 || layerIndex > 2 || layers[layerIndex].empty()) return;
  // 20 x 16 chips each way covers the 640 x 480 screen with a chip to spare.
  const SChipWindow window = GetVisibleChips(20, 16);
  CDrawDataQueue& queue = stage.GetDrawQueue();
  const auto& layer = layers[layerIndex];
  for (int row = window.top; row <= window.bottom; ++row) {
    for (int column = window.left; column <= window.right; ++column) {
      const CMapObject* chip = layer[static_cast<std::size_t>(row * chipWidth + column)].get();
      if (!chip) continue;
      const SPointD screen(std::trunc(chip->position.x + 320.0 - camera.x),
                           std::trunc(chip->position.y + 240.0 - camera.y));
      queue.Add(screen, chip->drawData, depth * 1000);
    }
  }
}

void CGeographicalFeatures::DrawGridLines() {
  const int px = -static_cast<int>(std::trunc(camera.x - 320.0)) % MAP_GRID_SIZE;
  const int py = -static_cast<int>(std::trunc(camera.y - 240.0)) % MAP_GRID_SIZE;
  const unsigned int colour = gridLineColour;
  stage.GetDrawQueue().AddCallback(
      [px, py, colour] {
        SetDrawBlendMode(DX_BLENDMODE_ALPHA, 150);
        for (int x = px; x < px + 768; x += MAP_GRID_SIZE) DrawLine(x, 0, x, 640, colour, 1);
        for (int y = py; y < py + 640; y += MAP_GRID_SIZE) DrawLine(0, y, 640, y, colour, 1);
        SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
      },
      2000);
}
