#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/menu/IPopupMenu.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;
using Strings = std::vector<std::string>;

namespace {

// An open in-editor menu takes every pointer event.
struct ShowingPopup : IPopupMenuControl
{
  ShowingPopup() { mState = kExpanded; }
};
struct DispatchCanvas : RecordingCanvas
{
  using RecordingCanvas::RecordingCanvas;
  void Install(IPopupMenuControl* popup) { InitSpecialControl(mPopupMenuCtrl = popup); }
  int SetMouseCursor(int kind) override
  {
    return cursorsSet.push_back(kind), RecordingCanvas::SetMouseCursor(kind);
  }
  std::vector<int> cursorsSet;
};
// Adds items of its own to a host context menu.
struct MenuControl : RecordingControl
{
  using RecordingControl::RecordingControl;
  void CreateContextMenu(IPopupMenu& menu) override { menu.AddItem("Sub", new IPopupMenu("", {"Deep"})); }
};

class EventDispatchTest : public ::testing::Test
{
protected:
  template <class C = RecordingControl> C* Add(const IRECT& r, int param = -1)
  {
    auto* c = static_cast<C*>(ui.AttachControl(new C(r, param)));
    return c->hooks.clear(), c; // attach hooks forgotten
  }
  Strings Gestures() const
  {
    Strings out;
    for (const DelegateCall& c : dlg.calls)
      if (c.op == "Begin" || c.op == "End") out.push_back(c.op + " " + std::to_string(c.index));
    return out;
  }
  TD dlg;
  DispatchCanvas ui{dlg};
};

} // namespace

TEST_F(EventDispatchTest, HitTestTakesTheTopmostUsableControlAndHoverNeverTheBackground)
{
  RecordingControl* low = Add(IRECT(0, 0, 100, 100));
  RecordingControl* top = Add(IRECT(0, 0, 100, 100));
  const bool cases[][6] = {// hidden, transparent, disabled, mouse while disabled, top pressed, top hovered
                           {0, 0, 0, 0, 1, 1},
                           {1, 0, 0, 0, 0, 0},
                           {0, 1, 0, 0, 0, 0},
                           {0, 0, 1, 0, 0, 0},
                           {0, 0, 1, 1, 1, 0}};
  ui.EnableMouseOver(true);
  for (const auto& c : cases) {
    top->Hide(c[0]), top->SetIgnoreMouse(c[1]), top->SetDisabled(c[2]), top->SetMouseWhileDisabled(c[3]);
    EXPECT_EQ(ui.GetMouseControlIdx(50, 50), c[4] ? 1 : 0);
    EXPECT_EQ(ui.GetMouseControlIdx(50, 50, true), c[5] ? 1 : -1);
  }
  EXPECT_EQ(ui.GetMouseControlIdx(100, 50), -1); // the right edge is outside
  low->Hide(true), top->Hide(true);
  EXPECT_EQ(ui.GetMouseControl(50, 50, true), nullptr);
  EXPECT_TRUE(ui.CaptureIsEmpty()); // events over nothing capture nothing
}

TEST_F(EventDispatchTest, AnOpenMenuTheResizerAndTheFrameDisplayComeBeforeTheList)
{
  RecordingControl* knob = Add(IRECT(0, 0, 300, 200), TD::kMode);
  ui.AttachCornerResizer(0, false);
  ui.ShowFPSDisplay(true);
  const std::vector<IControl*> found{ui.GetMouseControl(295, 195, false), ui.GetMouseControl(20, 20, false),
                                     ui.GetMouseControl(250, 20, false)};
  EXPECT_EQ(found, (std::vector<IControl*>{ui.GetCornerResizer(), ui.GetFPSDisplay(), knob}));
  EXPECT_EQ(ui.SetLastClickedParamForPos(250, 20), TD::kMode);
  ui.Install(new ShowingPopup);
  EXPECT_EQ(ui.GetMouseControl(250, 20, true), static_cast<IControl*>(ui.GetPopupMenuControl()));
  EXPECT_EQ(ui.GetCapturedControl(0), static_cast<IControl*>(ui.GetPopupMenuControl()));
}

TEST_F(EventDispatchTest, TheCapturedControlKeepsItsGestureAndASecondTouchNeedsMultiTouch)
{
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30), TD::kGain);
  ui.OnMouseDrag(Drag(20, 20, 1, 1)); // nothing captured
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseDrag(Drag(500, -40, 5, -3)); // far outside, still the knob's
  ui.OnMouseDrag(Drag(500, -40, 0, 0));  // no movement: not delivered
  ui.EnableMultiTouch(true);
  ui.OnMouseDown({Point(21, 21, LeftButton(2))}); // refused: the knob is held
  knob->SetMultiTouch(true);
  ui.OnMouseDown({Point(21, 21, LeftButton(2))});
  ui.OnMouseUp({Point(500, -40), Point(21, 21, LeftButton(2))});
  ui.OnMouseDown(Press(20, 20));
  ui.SetInTextEntry(knob); // while a value is typed, drags go to the in-editor field only
  ui.OnMouseDrag(Drag(25, 25, 5, 5));
  EXPECT_EQ(knob->hooks,
            (HookLog{"OnMouseDown", "OnMouseDrag", "OnMouseDown", "OnMouseUp", "OnMouseUp", "OnMouseDown"}));
  EXPECT_EQ(Gestures(), (Strings{"Begin 0", "Begin 0", "End 0", "End 0", "Begin 0"}));
}

TEST_F(EventDispatchTest, RightClicksOpenTheHostMenuAndDoubleClicksPressOrReset)
{
  ui.Resize(300, 200, 1.5f, false);
  auto* knob = Add<MenuControl>(IRECT(10, 10, 30, 30), TD::kSteps);
  ui.OnMouseDown(Press(20.9f, 11.f, RightButton())); // at (x, y) times the draw scale
  EXPECT_EQ(dlg.calls.back(), (DelegateCall{"HostMenu", TD::kSteps, 31, 16}));
  EXPECT_EQ(dlg.hostMenuTarget, knob);
  EXPECT_EQ(dlg.hostMenuItems, (Strings{"Sub", "Deep"}));
  RecordingControl* plain = Add(IRECT(50, 50, 60, 60)); // unbound: an ordinary right press
  ui.OnMouseDown(Press(55, 55, RightButton()));
  ui.OnMouseUp(Press(55, 55));
  RecordingControl* button = Add(IRECT(70, 70, 90, 90), TD::kBypass);
  button->SetDoubleClickIsClick(true);
  ui.OnMouseDblClick(80, 80, LeftButton());
  ui.OnMouseUp(Press(80, 80)); // the capture stayed for it
  ui.OnMouseDblClick(55, 55, LeftButton());
  ui.OnMouseDblClick(200, 150, LeftButton()); // over nothing
  EXPECT_TRUE(knob->hooks.empty() && ui.CaptureIsEmpty());
  EXPECT_EQ(plain->hooks, (HookLog{"OnMouseDown", "OnMouseUp", "OnMouseDblClick"}));
  EXPECT_EQ(button->hooks, (HookLog{"OnMouseDown", "OnMouseUp"}));
  EXPECT_EQ(Gestures(), (Strings{"Begin 3", "End 3"}));
}

TEST_F(EventDispatchTest, WheelDropsKeysAndHoverGoToTheControlUnderThePointer)
{
  RecordingControl* background = Add(IRECT(0, 0, 300, 200));
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30));
  ui.OnMouseWheel(20, 20, NoButton(), 1.f);
  ui.OnDropMultiple({"/b.txt", "/c.txt"}, 20, 20);
  Strings handled;
  ui.SetKeyHandlerFunc([&](const plugin::IKeyPress& key, bool up) {
    return handled.push_back(std::to_string(key.mVKey) + (up ? " up" : " down")), true;
  });
  knob->keyResult = true;
  EXPECT_TRUE(ui.OnKeyDown(20, 20, Key(65)));
  knob->keyResult = false;
  EXPECT_TRUE(ui.OnKeyUp(20, 20, Key(65)));     // declined: the handler takes it
  EXPECT_TRUE(ui.OnKeyDown(100, 100, Key(66))); // the background is never asked
  ui.SetKeyHandlerFunc(nullptr);
  EXPECT_FALSE(ui.OnKeyDown(100, 100, Key(66)));
  ui.EnableMouseOver(true);
  EXPECT_TRUE(ui.OnMouseOver(20, 20, NoButton()));
  ui.SetMouseCursor(ICanvas::kCursorHand);
  ui.OnMouseOut();
  EXPECT_EQ(knob->hooks,
            (HookLog{"OnMouseWheel", "OnDrop", "OnKeyDown", "OnKeyUp", "OnMouseOver", "OnMouseOut"}));
  EXPECT_EQ(knob->lastText, "/b.txt");
  EXPECT_EQ(handled, (Strings{"65 up", "66 down"}));
  EXPECT_EQ(background->hooks, (HookLog{"OnMouseOut"}));
  // The arrow was set on leaving; the kind shown before stays recorded for the pointer's return.
  EXPECT_EQ(ui.cursorsSet, (std::vector<int>{ICanvas::kCursorHand, ICanvas::kCursorArrow}));
  EXPECT_EQ(ui.GetCursorType(), ICanvas::kCursorHand);
}

TEST_F(EventDispatchTest, EveryBegunGestureEndsOnceWhateverEndsTheCapture)
{
  Add(IRECT(10, 10, 30, 30), TD::kGain);
  IControl* pair = ui.AttachControl(new RecordingControl(IRECT(40, 40, 60, 60), {TD::kSteps, -1, TD::kMode}));
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseDown(Press(20, 20)); // a repeated press (its release was lost) begins nothing more
  ui.SetResizeDragActive(true);
  ui.OnMouseDrag(Drag(30, 30, 10, 10)); // resizing releases the capture
  ui.OnMouseUp(Press(30, 30));
  ui.OnMouseDown(Press(50, 50));
  ui.OnTouchCancelled({Point(50, 50)});
  ui.OnMouseDown(Press(50, 50));
  ui.RemoveControl(pair);
  ui.OnMouseUp(Press(50, 50));
  ui.OnMouseDown(Press(20, 20));
  ui.RemoveAllControls();
  EXPECT_EQ(Gestures(), (Strings{"Begin 0", "End 0", "Begin 1", "Begin 2", "End 1", "End 2", "Begin 1",
                                 "Begin 2", "End 1", "End 2", "Begin 0", "End 0"}));
}

// A control built from an empty parameter list has no entry 0 to read: every path treats it as
// unbound (ASan would report a read of the missing entry).
TEST_F(EventDispatchTest, AControlWithoutValueEntriesIsUnboundEverywhere)
{
  auto* none = static_cast<RecordingControl*>(
      ui.AttachControl(new RecordingControl(IRECT(10, 10, 30, 30), std::initializer_list<int>{})));
  none->hooks.clear();
  none->SetPromptBlocked(false);
  ui.OnMouseDown(Press(20, 20, RightButton())); // an ordinary right press: no host menu, no prompt
  ui.OnMouseUp(Press(20, 20));
  ui.OnMouseDblClick(20, 20, LeftButton());
  EXPECT_EQ(ui.SetLastClickedParamForPos(20, 20), -1);
  ui.AssignParamNameToolTips();
  EXPECT_EQ(none->hooks, (HookLog{"OnMouseDown", "OnMouseUp", "OnMouseDblClick"}));
  EXPECT_TRUE(Gestures().empty());
  EXPECT_TRUE(dlg.CallsNamed("HostMenu").empty() && dlg.CallsNamed("Send").empty());
  EXPECT_EQ(ui.Count("CreatePlatformTextEntry") + ui.Count("CreatePlatformPopupMenu"), 0);
  EXPECT_STREQ(none->GetTooltip(), "");
}
