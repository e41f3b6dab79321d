#include "gfx/draw_queue.h"

#include <algorithm>

void CDrawDataQueue::AddCallback(std::function<void()> callback, int priority) {
  CDrawInfoForQueue& info = entries.emplace_back();
  info.callback = std::move(callback);
  info.priority = priority;
}

void CDrawDataQueue::Add(SPointD position, const SDrawData& data, int priority) {
  entries.push_back({position, data, {}, priority});
}

void CDrawDataQueue::Flush() {
  // Draw from a separate list so that a callback may queue again safely.
  drawing.clear();
  drawing.swap(entries);

  order.clear();
  order.reserve(drawing.size());
  for (std::uint32_t i = 0; i < drawing.size(); ++i) order.emplace_back(drawing[i].priority, i);
  std::sort(order.begin(), order.end());

  for (const auto& [priority, index] : order) {
    const CDrawInfoForQueue& info = drawing[index];
    if (info.callback) {
      info.callback();
    } else {
      DrawSDrawData(info.data, info.position);
    }
  }
  drawing.clear();
}
