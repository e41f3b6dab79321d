#include "scenes/save_slot_list.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "persist/save_data.h"
#include "runtime/gamelib/gamelib.h"
#include "runtime/globals.h"
#include "ui/dialog.h"
#include "ui/menu_dialog.h"
#include "ui/window_panes.h"

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenMargin = 8;  // the list never touches the screen's edge
constexpr int kMinListWidth = 440;
constexpr int kStampGap = 16;     // between the longest caption and the stamps

int TextWidth(const std::string& text) {
  return GetDrawStringWidthToHandle(text.c_str(), static_cast<int>(text.size()), fontNormal16);
}

}  // namespace

std::string SlotStamp(int slot, std::int64_t fileTime) {
  std::string stamp = Format("No.%02d", slot);
  if (fileTime <= 0) return stamp;
  const std::time_t seconds = static_cast<std::time_t>(fileTime / 1000);
  std::tm local{};
  if (!localtime_r(&seconds, &local)) return stamp;
  char when[32];
  std::strftime(when, sizeof when, "%Y/%m/%d %H:%M", &local);
  return stamp + "  " + when;
}

std::unique_ptr<CDialog> CreateSaveSlotListDialog() {
  const auto slots = GetSaveSlotList();
  std::vector<SMenuItem> items;
  std::vector<std::string> stamps;
  for (int i = 0; i < SAVE_SLOT_COUNT; ++i) {
    const auto& slot = slots[static_cast<std::size_t>(i)];
    items.push_back({true, std::to_string(i), slot ? slot->GetSummaryText() : "なし"});
    stamps.push_back(SlotStamp(i, slot ? slot->fileTime : 0));
  }
  auto list = CreateMenuDialog("データ選択", items);

  // Beside a line's text: the frame, the line's container at x 10 with the
  // text 2 further in and 2 before its end, and 10 pixels of air.
  const int lineChrome = 2 * list->borderWidth + 10 + 2 + 2 + 10;
  // Room for a save's caption and stamp even while every slot is empty, so
  // that the list keeps its size and place once the first save is written.
  int widestCaption = TextWidth(CCheapSaveData().GetSummaryText());
  int widestStamp = TextWidth("No.00  0000/00/00 00:00");
  for (std::size_t i = 0; i < items.size(); ++i) {
    widestCaption = std::max(widestCaption, TextWidth(items[i].caption));
    widestStamp = std::max(widestStamp, TextWidth(stamps[i]));
  }
  // The column starts after the longest caption, unless that would push the
  // stamps off the screen; captions that reach into it go without.
  const int roomOnScreen = kScreenWidth - 2 * kScreenMargin - lineChrome;
  const int column = std::min(widestCaption + kStampGap, roomOnScreen - widestStamp);
  int lineWidth = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto* line = dynamic_cast<CPaneContainer*>(list->FindPane(items[i].key));
    if (!line) continue;
    lineWidth = std::max(lineWidth, line->width);
    if (column <= 0 || TextWidth(items[i].caption) + kStampGap > column) continue;
    line->AddChild(std::make_unique<CPaneTextLabel>(items[i].key + "_stamp", SPoint(2 + column, 2), fontNormal16,
                                                    stamps[i]));
    lineWidth = std::max(lineWidth, column + widestStamp + 4);
  }
  for (const auto& pane : list->GetPanes()) pane->width = lineWidth;
  list->width = std::max(kMinListWidth, lineWidth - 4 + lineChrome);
  return list;
}

SPoint SaveSlotListPosition(const CDialog& root, const CDialog& list) {
  const int beside = root.position.x + root.width - 15;
  const int rightmost = kScreenWidth - kScreenMargin - list.width;
  // Too wide to stand beside the menu: over it, flush with its left edge, so
  // that no strip of the menu's items peeks out beside the list.
  const int x = beside <= rightmost ? beside : std::min(root.position.x, rightmost);
  return {std::max(kScreenMargin, x), root.position.y + 20};
}
