// The in-editor popup menu on the recording canvas: text is 7 units per character and 14 high, so
// every expected number below follows from the item texts and the menu's spacing defaults
// (tick 10, text insets 5, arrow space 8, panel inset 5, cell gap 2, shadow 10).
#include "graphics/attached/IPopupMenuControl.h"
#include "support/ui/CallTrace.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/ShapeCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using Panel = IPopupMenuControl::MenuPanel;

namespace {

// Keeps every menu handed back to it.
struct Caller : RecordingControl
{
  Caller() : RecordingControl(IRECT(0, 0, 1, 1)) {}
  void OnPopupMenuSelection(IPopupMenu* m, int valIdx) override
  {
    menus.push_back(m);
    RecordingControl::OnPopupMenuSelection(m, valIdx);
  }
  std::vector<IPopupMenu*> menus;
};

struct MenuFixture
{
  explicit MenuFixture(int w = 300, int h = 200) : ui(dlg, w, h), driver(ui)
  {
    ui.AttachPopupMenuControl();
    menu = ui.GetPopupMenuControl();
    caller = new Caller;
    ui.AttachControl(caller);
  }
  void Open(IPopupMenu& m, const IRECT& anchor) { ui.CreatePopupMenu(*caller, m, anchor); }
  // Lets every running fade finish, one state per frame.
  void Settle()
  {
    for (int i = 0; i < 4; ++i) {
      driver.AdvanceMs(250);
      driver.Tick();
    }
  }
  // Pointer moved to (or pressed at) the centre of cell idx of panel p.
  void Hover(int p, int idx)
  {
    const IRECT c = *menu->GetPanel(p)->Cell(idx);
    ui.OnMouseOver(c.MW(), c.MH(), NoButton());
  }
  void Click(int p, int idx)
  {
    const IRECT c = *menu->GetPanel(p)->Cell(idx);
    ui.OnMouseDown(Press(c.MW(), c.MH()));
  }
  // Texts drawn by the menu, in order.
  std::vector<std::string> DrawnTexts()
  {
    ui.ClearCalls();
    menu->Draw(ui);
    std::vector<std::string> out;
    for (const CanvasCall& c : ui.CallsNamed("DoDrawText"))
      out.push_back(c.text);
    return out;
  }

  TestEditorDelegate dlg;
  ShapeCanvas ui;
  FrameDriver driver;
  IPopupMenuControl* menu = nullptr;
  Caller* caller = nullptr;
};

IPopupMenu* Numbered(int n)
{
  auto* m = new IPopupMenu("");
  for (int i = 0; i < n; ++i)
    m->AddItem(("Item " + std::to_string(i)).c_str());
  return m;
}

} // namespace

// Cell 35 + 10 + 2 x 5 + 8 = 63 wide, 14 high; panel 3 x 14 + 2 x 2 = 46 high. Without submenus and
// with room below, the root opens below the anchor at x = 120 - 63 / 2.
TEST(PopupMenuControl, ThreeItemMenuOpensCentredBelowItsAnchor)
{
  MenuFixture f;
  IPopupMenu m("", {"One", "Two", "Three"});
  float w = 0, h = 0;
  f.menu->GetPanelDimensions(m, w, h);
  EXPECT_EQ(Nums({w, h}), "63,46");
  f.Open(m, IRECT(100, 50, 140, 70));
  ASSERT_EQ(f.menu->NPanels(), 1);
  const Panel& p = *f.menu->GetPanel(0);
  std::string cells;
  for (const IRECT& c : p.mCellBounds)
    cells += Nums({c.L, c.T, c.R, c.B}) + " ";
  EXPECT_EQ(cells, "93.5,75,156.5,89 93.5,91,156.5,105 93.5,107,156.5,121 ");
  EXPECT_EQ(p.mRECT, IRECT(88.5f, 70, 161.5f, 126));
  EXPECT_EQ(p.mTargetRECT, IRECT(78.5f, 60, 171.5f, 136));
  EXPECT_TRUE(f.menu->GetBounds() == p.mTargetRECT && f.menu->GetHitRect() == p.mRECT);
  EXPECT_EQ(f.menu->GetCallOutArrowDir(), IPopupMenuControl::kArrowUp);
  // Text 15 right of the cell: half of tick plus max(tick, 1), then the inset.
  f.ui.ClearCalls();
  f.menu->Draw(f.ui);
  EXPECT_EQ(Trace(f.ui.CallsNamed("DoDrawText")), "DoDrawText108.5,75,151.5,89,14,0'One' "
                                                  "DoDrawText108.5,91,151.5,105,14,0'Two' "
                                                  "DoDrawText108.5,107,151.5,121,14,0'Three'");
}

// Fades of 100 ms: expanding -> expanded; a click: selection -> collapsing -> clean-up -> collapsed,
// hidden from the click on. Separators show once the panel's weight passes 0.9.
TEST(PopupMenuControl, StateSequenceOnTheVirtualClock)
{
  MenuFixture f;
  IPopupMenu m("", {"a", "b"});
  m.AddSeparator();
  f.Open(m, IRECT(100, 50, 140, 70));
  auto separators = [&] {
    f.ui.ClearCalls();
    f.menu->Draw(f.ui);
    int n = 0;
    for (const CanvasCall& c : f.ui.CallsNamed("fillR"))
      n += c.args[1] == COLOR_MID_GRAY.R && c.args.back() == 0.25;
    return n;
  };
  EXPECT_EQ(f.menu->GetState(), IPopupMenuControl::kExpanding);
  EXPECT_FALSE(f.menu->IsHidden());
  f.driver.AdvanceMs(1000.0 / 60 * 2); // with the frame's own step: 50 ms
  f.driver.Tick();
  EXPECT_NEAR(f.menu->GetPanel(0)->mBlend.mWeight, 0.95 * 0.5, 1e-3);
  EXPECT_EQ(separators(), 0);
  f.driver.AdvanceMs(60);
  f.driver.Tick();
  EXPECT_EQ(f.menu->GetState(), IPopupMenuControl::kExpanded);
  EXPECT_FLOAT_EQ(f.menu->GetPanel(0)->mBlend.mWeight, 0.95f);
  EXPECT_EQ(separators(), 1);

  f.Click(0, 0);
  std::vector<int> states{f.menu->GetState()};
  EXPECT_TRUE(f.menu->IsHidden());
  for (int i = 0; i < 3; ++i) {
    f.driver.AdvanceMs(100);
    f.driver.Tick();
    states.push_back(f.menu->GetState());
  }
  EXPECT_EQ(states, std::vector<int>({4, 3, 6, 0}));
  EXPECT_EQ(f.menu->NPanels(), 0);
  EXPECT_EQ(f.ui.Count("UpdateTooltips"), 1); // cleaned up
}

// Only plain items are choices; indented, disabled and separator items, submenu openers and clicks
// outside every cell complete the menu with nothing chosen.
TEST(PopupMenuControl, WhichClicksChooseAnItem)
{
  MenuFixture f;
  IPopupMenu m("");
  m.AddItem("plain");
  m.AddItem("indented", IPopupMenu::Item::kIndented);
  m.AddItem("disabled", IPopupMenu::Item::kDisabled);
  m.AddSeparator();
  m.AddItem("more", new IPopupMenu("", {"x"}));
  int completions = 0;
  m.SetFunction([&](IPopupMenu*) { ++completions; });
  const int expected[] = {0, -1, -1, -1, -1, -1};
  for (int idx = 0; idx < 6; ++idx) {
    f.caller->menus.clear();
    f.Open(m, IRECT(100, 20, 140, 40));
    if (idx < 5)
      f.Click(0, idx);
    else
      f.ui.OnMouseDown(Press(5, 195)); // far from the panel
    EXPECT_EQ(m.GetChosenItemIdx(), expected[idx]) << idx;
    EXPECT_EQ(f.caller->menus, std::vector<IPopupMenu*>{expected[idx] >= 0 ? &m : nullptr}) << idx;
    f.Settle();
    ASSERT_EQ(f.menu->GetState(), IPopupMenuControl::kCollapsed);
  }
  EXPECT_EQ(completions, 6);
}

// 30 items cannot stand in 200 units: 11 rows of 16 from y 15 scroll; hovering the last cell moves
// the list down one item per move, never past 30 - 11; the first cell then scrolls back.
TEST(PopupMenuControl, TallMenusScrollByHoveringTheirArrowCells)
{
  MenuFixture f;
  std::unique_ptr<IPopupMenu> m(Numbered(30));
  f.Open(*m, IRECT(100, 20, 140, 40));
  Panel& p = *f.menu->GetPanel(0);
  ASSERT_TRUE(p.mScroller);
  ASSERT_EQ(p.NCells(), 11);
  EXPECT_EQ(Nums({p.Cell(0)->T, p.Cell(10)->T, p.Cell(0)->W()}), "15,175,77");
  EXPECT_EQ(f.DrawnTexts().size(), 10u); // the last cell is a down arrow
  f.Hover(0, 10);
  EXPECT_EQ(p.mScrollItemOffset, 1);
  const std::vector<std::string> visible = f.DrawnTexts();
  EXPECT_EQ(visible.front() + " " + visible.back(), "Item 2 Item 10"); // arrows at both ends
  for (int i = 0; i < 40; ++i)
    f.Hover(0, 10);
  EXPECT_EQ(p.mScrollItemOffset, 19);
  EXPECT_EQ(f.DrawnTexts().back(), "Item 29");
  f.Hover(0, 0);
  EXPECT_EQ(p.mScrollItemOffset, 18);
  f.Click(0, 3); // an item cell: the item shown there
  EXPECT_EQ(m->GetChosenItemIdx(), 21);
}

// Hovering "B" opens its submenu beside the cell, level with it; the choice is reported with the
// submenu and its own index. Moving back to "A" closes the submenu and drops B's highlight.
TEST(PopupMenuControl, SubmenusOpenOnHoverAndReportTheirOwnIndex)
{
  MenuFixture f;
  IPopupMenu m("", {"A"});
  auto* sub = new IPopupMenu("", {"x", "y"});
  m.AddItem("B", sub);
  m.AddItem("C");
  f.Open(m, IRECT(20, 20, 60, 40));
  f.Settle();
  // Root: cells 35 wide from x 27.5; B at y 61.
  EXPECT_EQ(*f.menu->GetPanel(0)->Cell(1), IRECT(27.5f, 61, 62.5f, 75));
  f.Hover(0, 1);
  ASSERT_EQ(f.menu->NPanels(), 2);
  const Panel& sp = *f.menu->GetPanel(1);
  EXPECT_EQ(sp.mRECT, IRECT(67.5f, 56, 112.5f, 96));
  EXPECT_EQ(f.menu->GetState(), IPopupMenuControl::kSubMenuAppearing);
  EXPECT_EQ(f.menu->GetPanel(0)->mHighlightedCell, f.menu->GetPanel(0)->Cell(1));

  f.Hover(0, 0);
  EXPECT_FALSE(sp.mShouldDraw);
  EXPECT_EQ(f.menu->GetPanel(0)->mHighlightedCell, nullptr);
  f.Hover(0, 1);
  EXPECT_TRUE(sp.mShouldDraw);
  f.Settle();
  f.Hover(1, 1);
  f.Click(1, 1);
  EXPECT_EQ(sub->GetChosenItemIdx(), 1);
  EXPECT_EQ(m.GetChosenItemIdx(), -1);
  EXPECT_EQ(f.caller->menus, std::vector<IPopupMenu*>{sub});
}

// A root with submenus goes above its anchor when there is more room there; its submenus then grow
// upwards from their cell: top = cell top + shadow 10 + 2 gaps - panel height - inset / 2, kept
// inside the editor. Root cells 35 x 14 (A, B, C), submenu cells 35 wide from x 72.5.
TEST(PopupMenuControl, SubmenusOfAMenuAboveItsAnchorGrowUpwards)
{
  const std::tuple<IRECT, int, float, IRECT> cases[] = {
      // anchor, submenu items: B's top, submenu panel
      {{20, 160, 60, 180}, 2, 125, {67.5f, 106.5f, 112.5f, 146.5f}}, // 125 + 14 - 30 - 2.5
      {{20, 110, 60, 130}, 6, 75, {67.5f, 10, 112.5f, 114}},         // -7.5, kept at 10
  };
  for (const auto& [anchor, n, cellTop, panel] : cases) {
    MenuFixture f;
    IPopupMenu m("", {"A"});
    auto* sub = new IPopupMenu("");
    for (int i = 0; i < n; ++i)
      sub->AddItem(std::string(1, char('a' + i)).c_str());
    m.AddItem("B", sub);
    m.AddItem("C");
    f.Open(m, anchor);
    f.Settle();
    EXPECT_EQ(f.menu->GetCallOutArrowDir(), IPopupMenuControl::kArrowDown);
    EXPECT_EQ(f.menu->GetPanel(0)->Cell(1)->T, cellTop);
    f.Hover(0, 1);
    ASSERT_EQ(f.menu->NPanels(), 2);
    EXPECT_EQ(f.menu->GetPanel(1)->mRECT, panel) << n;
  }
}

// Hostile menus: empty, separators only, 1000 items in a 40 x 30 editor; a second request while a
// menu is open leaves the open one reporting to its own caller.
TEST(PopupMenuControl, BadMenusAndSecondRequests)
{
  MenuFixture f;
  IPopupMenu empty("");
  f.Open(empty, IRECT(100, 50, 140, 70));
  EXPECT_EQ(f.menu->GetPanel(0)->NCells(), 0);
  f.ui.OnMouseDown(Press(120, 80));
  EXPECT_EQ(empty.GetChosenItemIdx(), -1);
  f.Settle();

  IPopupMenu seps("");
  seps.AddSeparator();
  seps.AddSeparator();
  f.Open(seps, IRECT(100, 50, 140, 70));
  f.Click(0, 1);
  EXPECT_EQ(seps.GetChosenItemIdx(), -1);
  f.Settle();

  auto* other = new Caller;
  f.ui.AttachControl(other);
  IPopupMenu first("", {"one"}), second("", {"two"});
  f.Open(first, IRECT(100, 50, 140, 70));
  f.ui.CreatePopupMenu(*other, second, IRECT(10, 10, 20, 20));
  EXPECT_EQ(f.ui.GetControlInPopupMenu(), f.caller);
  f.Click(0, 0);
  EXPECT_EQ(first.GetChosenItemIdx(), 0);
  EXPECT_TRUE(other->menus.empty());
  EXPECT_EQ(f.caller->menus.back(), &first);
  f.Settle();

  MenuFixture tiny(40, 30);
  std::unique_ptr<IPopupMenu> huge(Numbered(1000));
  tiny.Open(*huge, IRECT(10, 10, 20, 20));
  const Panel& p = *tiny.menu->GetPanel(0);
  EXPECT_TRUE(p.mScroller && p.NCells() == 1 && p.mScrollMaxRows == 1);
  for (int i = 0; i < 5; ++i)
    tiny.Hover(0, 0);
  tiny.DrawnTexts();
  tiny.Click(0, 0); // an arrow cell holds no item
  EXPECT_EQ(huge->GetChosenItemIdx(), -1);
}
