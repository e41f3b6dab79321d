#include "scenario/event_say.h"

#include <climits>
#include <cstdio>
#include <utility>

#include "battle/stage.h"
#include "core/saturating.h"
#include "core/wrap_text.h"
#include "field/unit.h"
#include "gfx/stage_actor.h"
#include "runtime/globals.h"
#include "runtime/key_manager.h"
#include "ui/dialog.h"
#include "ui/window_panes.h"

namespace {

constexpr int kTalkWidth = 480;
constexpr int kTalkHeight = 120;
constexpr int kFaceSize = 96;
constexpr int kLineHeight = 20;
constexpr double kGrowthPerFrame = 0.0625;  // of the way, each of the 16 opening frames

SDrawData FacePicture(const std::string& icon) {
  if (icon.empty()) return SDrawData();
  const std::string prefix = "dat/image/";
  return ImageDrawData(icon.starts_with(prefix) ? icon.substr(prefix.size()) : icon);
}

SPoint Truncated(SPointD p) { return {TruncSaturate(p.x), TruncSaturate(p.y)}; }

}  // namespace

std::unique_ptr<CDialog> CreateTalkDialog(const std::string& name, const std::string& text, const std::string& icon) {
  auto dialog = std::make_unique<CDialog>(kTalkWidth, kTalkHeight);
  SetGameTitle(*dialog, name);
  dialog->backgroundAlpha = 220;
  const int b = dialog->borderWidth;
  if (name.empty()) dialog->titleBarHeight = b;
  const int m = (kTalkHeight - kFaceSize - 2 * b) / 2;
  const std::vector<std::string> lines = WrapText(text, kTalkWidth - kFaceSize - 2 * b - 3 * m, fontNormal20, true);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    AddLabel(*dialog, "LabelText" + std::to_string(i), SPoint(2 * m + kFaceSize, m + kLineHeight * static_cast<int>(i)),
             fontNormal20, lines[i]);
  }
  auto face = std::make_unique<CPaneImage>("FaceIcon", SPoint(m, m), FacePicture(icon));
  face->visible = !face->drawData.images.empty() && face->drawData.images.front().handle > 0;
  dialog->AddPane(std::move(face));
  return dialog;
}

CEvent_Say::CEvent_Say(CStage& stage_, EPlacement placement_, std::string unitTag_, std::vector<SEventPage> pages_)
    : CEventBase(stage_), placement(placement_), unitTag(std::move(unitTag_)), pages(std::move(pages_)) {}

CEvent_Say::~CEvent_Say() = default;

void CEvent_Say::Start() {
  if (pages.empty()) {
    done = true;
    return;
  }
  const CUnit* unit = stage->state.FindByKey(unitTag);
  if (unit && unit->actor) {
    start = unit->actor->GetScreenPosition();
    speaker = unit->name;
  } else {
    if (!unitTag.empty()) {
      std::fprintf(stderr, "story scene: no unit tagged '%s' is on the map; the talk window has no name\n",
                   unitTag.c_str());
    }
    start = SPointD(320.0, 240.0);
  }
  arrow = SDrawData(GetImageHandle("ui_parts/cursor_down.png"));
  arrow.SetImageSize(16, 16);
  arrow.SetSize(16, 16);
  auto first = CreateTalkDialog(speaker, pages[0].text, pages[0].icon);
  fullWidth = first->width;
  fullHeight = first->height;
  target = SPointD(320 - fullWidth / 2, placement == BOTTOM ? 464 - fullHeight : 16);
  first->width = 0;
  first->height = 0;
  dialog = manager.OpenDialog(Truncated(start), std::move(first));
}

void CEvent_Say::Update() {
  manager.Update();
  if (!dialog) return;
  if (t < kOpeningFrames) {
    dialog->position = Truncated(SPointD(start.x + (target.x - start.x) * kGrowthPerFrame * t,
                                         start.y + (target.y - start.y) * kGrowthPerFrame * t));
    dialog->width = static_cast<int>(fullWidth * kGrowthPerFrame * t);
    dialog->height = static_cast<int>(fullHeight * kGrowthPerFrame * t);
  } else if (t == kOpeningFrames) {
    dialog->position = Truncated(target);
    dialog->width = fullWidth;
    dialog->height = fullHeight;
  }
  if (t < INT_MAX) ++t;
}

void CEvent_Say::ProcessInput() {
  if (!dialog || done || !keyManager) return;
  manager.ProcessInput(*keyManager);
  if (!keyManager->IsPush(EGameKey::DECIDE, true)) return;
  if (++pageIndex >= pages.size()) {
    done = true;
    return;
  }
  dialog->Close();
  const SEventPage& page = pages[pageIndex];
  dialog = manager.OpenDialog(Truncated(target), CreateTalkDialog(speaker, page.text, page.icon));
}

void CEvent_Say::Draw() {
  manager.Draw();
  if (!dialog || t <= kOpeningFrames) return;
  const int lift = t % 60 < 30 ? 4 : 2;
  DrawSDrawData(arrow, SPointD(dialog->position.x + dialog->width / 2, dialog->position.y + dialog->height - lift));
}
