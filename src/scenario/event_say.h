// Talk in a story scene: a window with the speaker's name, a face picture
// and one page of text grows out of the speaker in 16 frames; DECIDE turns
// to the next page, and after the last page the talk ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/draw_data.h"
#include "scenario/events.h"
#include "ui/gui_manager.h"

class CDialog;

// The talk window of one page, 480 x 120, unopened: the face at the left,
// the text wrapped beside it. Without a name it has no title bar. `icon` is
// a picture of dat/image/ ("ziki/knight_face.png"; a path that starts with
// "dat/image/" names the same picture); without one the face stays empty.
std::unique_ptr<CDialog> CreateTalkDialog(const std::string& name, const std::string& text, const std::string& icon);

class CEvent_Say : public CEventBase {
 public:
  static constexpr int kOpeningFrames = 16;
  enum EPlacement { TOP = 0, BOTTOM = 1 };

  CEvent_Say(CStage& stage, EPlacement placement, std::string unitTag, std::vector<SEventPage> pages);
  ~CEvent_Say() override;
  // Opens the first page. A speaker who is not on the map leaves the window
  // nameless, growing from the middle of the screen; no page at all ends
  // the talk at once.
  void Start() override;
  void Update() override;
  void ProcessInput() override;
  void Draw() override;
  bool IsEnd() const override { return done; }
  bool IsWaitingForDecide() const override { return dialog != nullptr && !done; }

  CDialog* GetDialog() const { return dialog; }
  std::size_t GetPageIndex() const { return pageIndex; }

 private:
  EPlacement placement;
  std::string unitTag;
  std::vector<SEventPage> pages;
  std::string speaker;  // the unit's name, or none
  bool done = false;
  CGuiManager manager;
  CDialog* dialog = nullptr;  // owned by the manager
  SDrawData arrow;
  std::size_t pageIndex = 0;
  int t = 0;  // frames since the window began to grow
  int fullWidth = 0;
  int fullHeight = 0;
  SPointD target;
  SPointD start;
};
