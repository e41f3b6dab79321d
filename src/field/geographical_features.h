// The battle map: three layers of 16 x 16 map chips for the picture and one
// terrain layer that gives every 32 x 32 grid cell its terrain type, read
// from a map CSV file, plus the camera that scrolls over it.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "field/terrain.h"
#include "gfx/actor.h"

class CBattlefield;

constexpr int MAP_CHIP_SIZE = 16;
constexpr int MAP_GRID_SIZE = 32;
// A chip layer cell holding this number shows nothing.
constexpr int MAP_CHIP_EMPTY = 255;

// A map CSV that cannot be used: missing, truncated or not made of numbers.
// The message names the file and, where there is one, the line (counted from 0).
class CMapFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One grid cell of the terrain layer.
struct CGridObject {
  EMapObjectType type = EMapObjectType::BLOCKED;
};

// The sprite of one map chip, standing at the chip's centre.
class CMapObject : public CActor {
 public:
  CMapObject(int chipNumber, int handle, SPointD centre);
  int chipNumber;
};

// Visible chip window, inclusive on both ends.
struct SChipWindow {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;
};

class CGeographicalFeatures {
 public:
  // The chips, chipColumns x chipRows of them, are cut from the picture in
  // `chipImagePath` as the maps loaded need them.
  CGeographicalFeatures(CBattlefield& stage, unsigned int gridLineColour, double cameraX, double cameraY,
                        int chipColumns, int chipRows, const std::string& chipImagePath);
  virtual ~CGeographicalFeatures();
  CGeographicalFeatures(const CGeographicalFeatures&) = delete;
  CGeographicalFeatures& operator=(const CGeographicalFeatures&) = delete;

  // How far the picture has scrolled from the camera it started with.
  virtual double GetScrollX() const;
  virtual double GetScrollY() const;
  // The cell at p, or nullptr off the map or for a cell the map leaves empty.
  virtual CGridObject* GetGrid(SPoint p) const;
  // Replaces the whole map. Throws CMapFileError for a file that is missing
  // or malformed; the map is left unchanged then.
  virtual void LoadMapCsv(const std::string& path);
  // Frees the chip images (a later map cuts them again).
  virtual void Release();
  virtual void Draw();
  virtual void DrawGridLines();
  // Queues the visible chips of one layer at priority depth * 1000.
  virtual void DrawLayer(int depth, int layerIndex);
  virtual void Update() {}
  // The chips around the one under the camera, clamped to the map.
  virtual SChipWindow GetVisibleChips(int marginX, int marginY) const;

  bool IsInMap(SPoint p) const { return p.x >= 0 && p.y >= 0 && p.x < width && p.y < height; }
  // Terrain of a cell; cells outside the map or left empty count as walls.
  EMapObjectType GetTerrain(SPoint p) const;
  const CMapObject* GetChip(int layerIndex, int column, int row) const;

  CBattlefield& stage;
  int chipColumns;
  int chipRows;
  std::vector<int> chipHandles;
  SPointD camera;
  double scrollLimitTop = 0, scrollLimitBottom = 0, scrollLimitLeft = 0, scrollLimitRight = 0;
  SPointD cameraStart;
  unsigned int gridLineColour;
  int chipWidth = 0;
  int chipHeight = 0;
  int width = 0;
  int height = 0;

 private:
  // Chip layers and grid are stored row by row: index row * columns + column.
  std::vector<std::unique_ptr<CMapObject>> layers[3];
  std::vector<std::unique_ptr<CGridObject>> grid;
  std::string chipImagePath;
  bool chipSheetUnreadable = false;

  // Gives every chip among the first `count` numbers its handle.
  void CutChips(const std::vector<int>& numbers, std::size_t count);
};
