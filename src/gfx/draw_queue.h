// The battle's draw queue: actors queue their records during the battle's
// Draw step, and one Flush paints them back to front by priority.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "gfx/draw_data.h"

// Draw layers. A queue priority is layer * 1000 + screen y, so layers never
// mix and, within a layer, lower items are painted over higher ones.
enum ELayer : int {
  LAYER_COMMAND_BACK = 3,   // overlays of the battle command menus, priority 3000
  LAYER_COMMAND_FRONT = 4,  // overlays of the battle command menus, priority 4000
  LAYER_EMOTION = 6,        // emotion balloons
  LAYER_UNIT = 9,           // units, the map cursor, projectiles, visual effects
  LAYER_MESSAGE = 10,       // "MISS" and similar battle texts
};

// Priority of an item of `layer` whose screen y is `screenY`.
inline int LayerPriority(int layer, double screenY) { return static_cast<int>(screenY + layer * 1000.0); }

// One queued item: a record drawn at a position, or a callback run in its place.
struct CDrawInfoForQueue {
  SPointD position;
  SDrawData data;
  std::function<void()> callback;
  int priority = 0;

  bool operator==(const CDrawInfoForQueue& o) const { return priority == o.priority; }
  std::strong_ordering operator<=>(const CDrawInfoForQueue& o) const { return priority <=> o.priority; }
};

class CDrawDataQueue {
 public:
  virtual ~CDrawDataQueue() = default;

  virtual void AddCallback(std::function<void()> callback, int priority);
  // The record is copied: later changes by its actor do not affect this frame.
  virtual void Add(SPointD position, const SDrawData& data, int priority);
  // Draws everything by ascending priority (equal priorities in the order
  // they were queued) and empties the queue. Items queued by a callback
  // during the flush wait for the next flush.
  virtual void Flush();

  const std::vector<CDrawInfoForQueue>& GetEntries() const { return entries; }
  bool IsEmpty() const { return entries.empty(); }

 private:
  std::vector<CDrawInfoForQueue> entries;
  // Reused between flushes so that a frame does not reallocate them.
  std::vector<CDrawInfoForQueue> drawing;
  std::vector<std::pair<int, std::uint32_t>> order;
};
