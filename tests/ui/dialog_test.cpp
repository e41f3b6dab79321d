#include "ui/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/call_recording.h"
#include "ui/gui_manager.h"
#include "ui/ui_test_support.h"

namespace {

constexpr int kLeft = 0, kUp = 1, kRight = 2, kDown = 3;

// Focusable boxes of a given size; containers need no font.
CPaneBase* AddBox(CDialog& d, const std::string& name, int x, int y, int w = 20, int h = 20, bool focused = false) {
  auto box = std::make_unique<CPaneContainer>(name, SPoint(x, y), w, h);
  box->focusable = true;
  box->focused = focused;
  return d.AddPane(std::move(box));
}

std::string Focus(const CDialog& d) {
  const CPaneBase* p = d.GetFocusedPane();
  return p ? p->name : "";
}

// F at (100, 100) with its centre at (110, 110).
struct FocusCase {
  const char* what;
  std::vector<std::pair<std::string, SPoint>> others;  // top-left of each candidate
  int direction;
  std::string expected;
};

// Test names show the case, not the bytes of the parameter.
void PrintTo(const FocusCase& c, std::ostream* os) { *os << c.what; }

class MovePaneFocuseTest : public testing::TestWithParam<FocusCase> {};

TEST_P(MovePaneFocuseTest, PicksTheNearestPaneInTheDirection) {
  const FocusCase& c = GetParam();
  CDialog d(400, 400);
  AddBox(d, "F", 100, 100)->focused = true;
  d.SetFocus("F", true);
  for (const auto& [name, at] : c.others) AddBox(d, name, at.x, at.y);
  d.MovePaneFocuse(c.direction);
  EXPECT_EQ(Focus(d), c.expected) << c.what;
  EXPECT_EQ(d.GetFocusedPaneField()->name, c.expected);
  if (c.expected != "F") {
    EXPECT_FALSE(d.FindPane("F")->focused) << "the old focus is cleared";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sectors, MovePaneFocuseTest,
    testing::Values(
        FocusCase{"quarter sector beats a nearer pane outside it", {{"near_up", {100, 75}}, {"right", {140, 110}}}, kRight, "right"},
        FocusCase{"nearest of two in the sector", {{"far", {200, 100}}, {"close", {140, 95}}}, kRight, "close"},
        FocusCase{"half plane when the sector is empty", {{"upright", {130, 60}}}, kRight, "upright"},
        FocusCase{"nothing in the half plane: focus stays", {{"left", {40, 100}}}, kRight, "F"},
        // An exact upper-right diagonal bears just under 45: up, not right.
        FocusCase{"45 degree diagonal belongs to up", {{"diag", {120, 80}}, {"right", {130, 105}}}, kRight, "right"},
        FocusCase{"45 degree diagonal found going up", {{"diag", {120, 80}}, {"right", {125, 100}}}, kUp, "diag"},
        // The lower-right diagonal bears just over 135: down.
        FocusCase{"135 degree diagonal belongs to down", {{"diag", {120, 120}}, {"below", {100, 150}}}, kDown, "diag"},
        FocusCase{"135 degree diagonal is not right", {{"diag", {120, 120}}, {"right", {130, 95}}}, kRight, "right"},
        FocusCase{"a pane named like the focus is never a candidate", {{"F", {140, 100}}, {"far", {200, 100}}}, kRight, "far"}));

TEST(MovePaneFocuseMenuTest, LeftInAVerticalMenuFallsIntoTheHalfPlaneAndTiesFollowTheGameSort) {
  CDialog d(200, 200);
  d.wrapsFocus = true;
  for (int i = 0; i < 4; ++i) AddBox(d, "item" + std::to_string(i), 10, 5 + 24 * i, 90, 20);
  const std::vector<std::string> afterLeft = {"item1", "item2", "item1", "item2"};
  for (int i = 0; i < 4; ++i) {
    for (const auto& p : d.GetPanes()) p->focused = false;
    d.SetFocus("item" + std::to_string(i), true);
    d.MovePaneFocuse(kLeft);
    EXPECT_EQ(Focus(d), afterLeft[i]) << "LEFT from item" << i;
    d.MovePaneFocuse(kRight);
    EXPECT_EQ(Focus(d), afterLeft[i]) << "RIGHT has nowhere to go";
  }
}

TEST(MovePaneFocuseMenuTest, WrapAroundOnlyWhenAskedAndNeverOntoDisabledLines) {
  for (bool wraps : {false, true}) {
    CDialog d(200, 200);
    d.wrapsFocus = wraps;
    AddBox(d, "top", 10, 5, 90, 20)->focusable = false;  // disabled line
    AddBox(d, "a", 10, 29, 90, 20)->focused = true;
    d.SetFocus("a", true);
    AddBox(d, "b", 10, 53, 90, 20);
    AddBox(d, "c", 10, 77, 90, 20);
    d.MovePaneFocuse(kUp);
    EXPECT_EQ(Focus(d), wraps ? "c" : "a") << "up on the first enabled line, wraps " << wraps;
    d.SetFocus("a", false);
    d.SetFocus("c", true);
    d.MovePaneFocuse(kDown);
    EXPECT_EQ(Focus(d), wraps ? "a" : "c") << "down on the last line, wraps " << wraps;
  }
}

TEST(MovePaneFocuseTest, ScrollsTheFocusIntoViewWithTheFocusMargin) {
  CGuiManager m;
  auto owned = std::make_unique<CDialog>(100, 100);  // client 92 - 8 wide, 76 high
  CDialog& d = *owned;
  d.hasVerticalScrollBar = true;
  for (int i = 0; i < 6; ++i) AddBox(d, "l" + std::to_string(i), 0, 30 * i, 50, 20);
  d.SetFocus("l0", true);
  m.OpenDialog({0, 0}, std::move(owned));
  EXPECT_EQ(d.GetClientHeight(), 76);
  EXPECT_EQ(d.GetClientWidth(), 84);
  EXPECT_EQ(d.GetContentHeight(), 150 + 20 + 1);
  EXPECT_EQ(d.GetContentWidth(), 51);
  for (int i = 0; i < 4; ++i) d.MovePaneFocuse(kDown);
  EXPECT_EQ(Focus(d), "l4");
  EXPECT_EQ(d.scrollY, 120 + 20 + 1 - 76) << "the pane's bottom plus the margin touches the client bottom";
  d.MovePaneFocuse(kUp);
  EXPECT_EQ(d.scrollY, 65) << "l3 (90..110) is already in view";
  d.MovePaneFocuse(kUp);
  d.MovePaneFocuse(kUp);
  EXPECT_EQ(d.scrollY, 30 - 1);
  EXPECT_EQ(d.scrollX, 0) << "no horizontal bar, no horizontal scrolling";
}

// Counts what reaches a dialog's hook.
class CCountingHook : public CDialogHook {
 public:
  void Draw() override { ++draws; }
  void Update() override { ++updates; }
  void ProcessInput(CKeyManagerBase&) override { ++inputs; }
  int draws = 0, updates = 0, inputs = 0;
};

struct Menu {
  CDialog* dialog;
  CCountingHook* hook;
};

Menu OpenMenu(CGuiManager& m, bool focused = true) {
  auto d = std::make_unique<CDialog>(200, 200);
  auto hook = std::make_unique<CCountingHook>();
  CCountingHook* h = hook.get();
  d->SetHook(std::move(hook));
  AddBox(*d, "a", 10, 5, 20, 20, focused);
  AddBox(*d, "b", 10, 29);
  CDialog* raw = m.OpenDialog({50, 60}, std::move(d));
  return {raw, h};
}

TEST(CGuiManagerTest, KeysGoToTheTopmostDialogOnly) {
  CGuiManager m;
  CScriptedKeys keys;
  keys.pushed = {EGameKey::DOWN};
  m.ProcessInput(keys);  // nothing open: nothing happens

  Menu below = OpenMenu(m);
  Menu top = OpenMenu(m);
  EXPECT_EQ(top.dialog->position, SPoint(50, 60));
  EXPECT_EQ(top.dialog->GetManager(), &m);
  EXPECT_TRUE(below.dialog->IsActive()) << "opening another dialog leaves the first one's flag";
  m.ProcessInput(keys);
  EXPECT_EQ(Focus(*top.dialog), "b");
  EXPECT_EQ(Focus(*below.dialog), "a");
  EXPECT_EQ(top.hook->inputs, 1);
  EXPECT_EQ(below.hook->inputs, 0);

  m.Update();
  m.Draw();
  EXPECT_EQ(below.hook->updates + top.hook->updates, 2);
  EXPECT_EQ(below.hook->draws + top.hook->draws, 2);

  top.dialog->Close();
  EXPECT_EQ(m.GetDialogs().size(), 2u) << "dropped only by the next update";
  m.Update();
  ASSERT_EQ(m.GetDialogs().size(), 1u);
  keys.pushed = {EGameKey::DOWN};
  m.ProcessInput(keys);
  EXPECT_EQ(Focus(*below.dialog), "b");
}

TEST(CDialogTest, DecideCancelAndSoundsFollowTheDialogsWishes) {
  CSoundCapture sounds;
  CGuiManager m;
  Menu menu = OpenMenu(m);
  int decided = 0;
  menu.dialog->FindPane("b")->onDecide = [&](CDialog& d) {
    EXPECT_EQ(&d, menu.dialog);
    ++decided;
  };
  CScriptedKeys keys;
  keys.pushed = {EGameKey::DOWN, EGameKey::DECIDE, EGameKey::CANCEL};
  m.ProcessInput(keys);
  EXPECT_EQ(decided, 1) << "DECIDE fires the pane focused after the move";
  EXPECT_TRUE(sounds.Played().empty()) << "silent unless the dialog plays sounds";
  EXPECT_FALSE(menu.dialog->IsClosed()) << "cancel leaves closing to the owner";

  menu.dialog->playsSounds = true;
  keys.pushed = {EGameKey::UP, EGameKey::DECIDE, EGameKey::CANCEL};
  m.ProcessInput(keys);
  EXPECT_EQ(sounds.Played(), (std::vector<int>{24, 25, 26}));
  EXPECT_EQ(decided, 1) << "pane a has no callback";
}

TEST(CDialogTest, WithoutAFocusedPaneOnlyTheHookHearsTheKeys) {
  CSoundCapture sounds;
  CGuiManager m;
  Menu menu = OpenMenu(m, false);
  menu.dialog->playsSounds = true;
  CScriptedKeys keys;
  keys.pushed = {EGameKey::DOWN, EGameKey::DECIDE, EGameKey::CANCEL};
  m.ProcessInput(keys);
  EXPECT_EQ(Focus(*menu.dialog), "");
  EXPECT_TRUE(sounds.Played().empty());
  EXPECT_EQ(menu.hook->inputs, 1);
}

TEST(CDialogTest, AChildTakesTheKeysUntilItClosesAndTheParentComesBack) {
  CGuiManager m;
  Menu parent = OpenMenu(m);
  auto owned = std::make_unique<CDialog>(120, 80);
  auto childHook = std::make_unique<CCountingHook>();
  CCountingHook* childCounts = childHook.get();
  owned->SetHook(std::move(childHook));
  AddBox(*owned, "yes", 10, 5, 20, 20, true);
  AddBox(*owned, "no", 40, 5);
  CDialog* child = parent.dialog->OpenChildDialog({200, 150}, std::move(owned));

  EXPECT_EQ(child->position, SPoint(200, 150));
  EXPECT_EQ(child->GetManager(), &m);
  EXPECT_EQ(child->GetParent(), parent.dialog);
  EXPECT_TRUE(child->IsActive());
  EXPECT_FALSE(parent.dialog->IsActive());
  EXPECT_EQ(m.GetDialogs().size(), 1u) << "the parent keeps the child, not the manager";

  CScriptedKeys keys;
  keys.pushed = {EGameKey::RIGHT, EGameKey::DOWN};
  m.ProcessInput(keys);
  EXPECT_EQ(Focus(*child), "no");
  EXPECT_EQ(Focus(*parent.dialog), "a") << "the parent's panes get no keys";
  EXPECT_EQ(parent.hook->inputs, 1) << "but its hook still does";
  EXPECT_EQ(childCounts->inputs, 1);

  m.Update();
  m.Draw();
  EXPECT_EQ(childCounts->updates, 1);
  EXPECT_EQ(childCounts->draws, 1);

  child->Close();  // as a confirmation box does from its own hook
  EXPECT_TRUE(parent.dialog->IsActive()) << "closing re-activates the parent at once";
  EXPECT_EQ(parent.dialog->GetChild(), nullptr);
  m.Update();  // frees the closed child
  m.ProcessInput(keys);
  EXPECT_EQ(Focus(*parent.dialog), "b");
}

TEST(CDialogTest, FocusLookupsReadTheFlagsAndNames) {
  CDialog d;
  AddBox(d, "x", 0, 0);
  AddBox(d, "x", 0, 30)->focused = true;
  EXPECT_EQ(d.FindPane("x"), d.GetPanes()[0].get()) << "first pane of the name";
  EXPECT_EQ(d.FindPane("nope"), nullptr);
  EXPECT_EQ(d.GetFocusedPane(), d.GetPanes()[1].get());
  EXPECT_FALSE(d.SetFocus("nope", true));
  EXPECT_TRUE(d.SetFocus("x", true));
  EXPECT_EQ(d.GetFocusedPane(), d.GetPanes()[0].get()) << "SetFocus leaves the other flags as they are";
  EXPECT_TRUE(d.GetPanes()[1]->focused);
  CDialog empty;
  empty.Layout();
  EXPECT_EQ(empty.GetContentWidth(), 0);
  EXPECT_EQ(empty.GetContentHeight(), 0);
}

unsigned int C(EColorName c) { return GetColorByName(c); }

std::string Box(int l, int t, int r, int b, EColorName c, int fill = 1) {
  return "DrawBox(" + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
         std::to_string(b) + "," + std::to_string(C(c)) + "," + std::to_string(fill) + ")";
}

TEST(CDialogTest, DrawsTheFrameBevelsTitleAndFocusHighlightInOrder) {
  CGuiManager m;
  auto owned = std::make_unique<CDialog>(100, 60);
  owned->title = "Menu";
  owned->font = 7;
  auto gauge = std::make_unique<CPaneGauge>("g", SPoint(3, 4), 40, 6);
  gauge->value = 30;
  gauge->focusable = gauge->focused = true;
  owned->AddPane(std::move(gauge));
  CDialog* d = m.OpenDialog({10, 20}, std::move(owned));
  d->scrollY = 2;
  for (bool active : {true, false}) {
    d->SetActive(active);
    const EColorName f = active ? EColorName::Sienna : EColorName::DimGray;
    const EColorName l = active ? EColorName::Goldenrod : EColorName::Gray;
    const EColorName k = active ? EColorName::Maroon : EColorName::Black;
    CCallRecording rec;
    d->Draw();
    // Client origin (14, 38): x + border, y + title bar - scroll.
    const std::vector<std::string> expected = {
        "SetDrawBlendMode(1,220)", Box(10, 20, 110, 80, EColorName::White), "SetDrawBlendMode(0,0)",
        "SetDrawArea(10,20,110,80)",
        Box(17, 42, 57, 48, EColorName::Red), Box(17, 42, 29, 48, EColorName::Green),
        Box(17, 42, 57, 48, EColorName::DarkGreen, 0),
        "SetDrawBlendMode(1,100)", Box(16, 41, 58, 49, EColorName::LimeGreen), "SetDrawBlendMode(0,0)",
        Box(16, 41, 58, 49, EColorName::Green, 0),
        Box(10, 20, 110, 40, f), Box(10, 20, 14, 80, f), Box(106, 20, 110, 80, f), Box(10, 76, 110, 80, f),
        Box(10, 20, 110, 21, l), Box(14, 39, 106, 40, k), Box(10, 20, 11, 80, l), Box(13, 40, 14, 76, k),
        Box(109, 20, 110, 80, k), Box(106, 40, 107, 76, l), Box(10, 79, 110, 80, k), Box(14, 76, 106, 77, l),
        "DrawStringToHandle(14,24,\"Menu\"," + std::to_string(C(EColorName::AliceBlue)) + ",7)",
        "SetDrawArea(0,0,640,480)"};
    EXPECT_EQ(rec.Calls(), expected) << "active " << active;
  }
  EXPECT_EQ(m.GetClipArea(), CRect(0, 0, 640, 480));
}

TEST(CDialogTest, ScrollBarsAndAnEmptyGaugeOrDialogDrawWithoutDividingByZero) {
  auto owned = std::make_unique<CDialog>(100, 100);
  owned->hasVerticalScrollBar = owned->hasHorizontalScrollBar = true;
  CGuiManager m;
  CDialog* d = m.OpenDialog({0, 0}, std::move(owned));
  CCallRecording rec;
  d->DrawScrollBars();  // no content yet: full thumbs
  EXPECT_EQ(rec.Calls(), (std::vector<std::string>{
                             Box(88, 20, 96, 88, EColorName::Gray), Box(88, 20, 96, 88, EColorName::Silver),
                             Box(4, 88, 88, 96, EColorName::Gray), Box(4, 88, 88, 96, EColorName::Silver)}));
  AddBox(*d, "tall", 0, 0, 20, 135);  // content 21 x 136, client 84 x 68
  d->UpdateContentSize();
  d->scrollY = 34;
  rec.Clear();
  d->DrawScrollBars();
  EXPECT_EQ(rec.Calls()[1], Box(88, 20 + 17, 96, 20 + 17 + 34, EColorName::Silver));

  CPaneGauge gauge("g", {0, 0}, 10, 4);
  gauge.maximum = 0;
  rec.Clear();
  gauge.Draw({5, 5});
  EXPECT_EQ(rec.Calls()[1], Box(5, 5, 15, 9, EColorName::Green)) << "maximum 0 draws a full bar";
}

}  // namespace

namespace {

TEST(CPaneContainerTest, NestedContainersClipInsideTheirOuterContainerAndRestoreIt) {
  CGuiManager m;
  auto owned = std::make_unique<CDialog>(100, 60);
  auto outer = std::make_unique<CPaneContainer>("outer", SPoint(10, 10), 50, 20);
  auto inner = std::make_unique<CPaneContainer>("inner", SPoint(40, 0), 30, 20);  // sticks out on the right
  inner->AddChild(std::make_unique<CPaneGauge>("g1", SPoint(0, 0), 30, 4));
  outer->AddChild(std::move(inner));
  outer->AddChild(std::make_unique<CPaneGauge>("g2", SPoint(0, 10), 80, 4));
  owned->AddPane(std::move(outer));
  CDialog* d = m.OpenDialog({10, 20}, std::move(owned));

  CCallRecording rec;
  d->Draw();
  std::vector<std::string> areas;
  for (const std::string& call : rec.Calls())
    if (call.rfind("SetDrawArea", 0) == 0) areas.push_back(call);
  // Client origin (14, 40); the outer box is (24, 50)-(74, 70).
  EXPECT_EQ(areas, (std::vector<std::string>{"SetDrawArea(10,20,110,80)", "SetDrawArea(24,50,74,70)",
                                             "SetDrawArea(64,50,74,70)", "SetDrawArea(24,50,74,70)",
                                             "SetDrawArea(10,20,110,80)", "SetDrawArea(0,0,640,480)"}));
}

}  // namespace
