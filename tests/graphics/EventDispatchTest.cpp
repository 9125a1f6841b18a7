#include "graphics/IPopupMenu.h"
#include "graphics/controls/ICornerResizerControl.h"
#include "graphics/controls/IFPSDisplayControl.h"
#include "graphics/controls/IPopupMenuControl.h"
#include "graphics/controls/ITextEntryControl.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

// Special controls whose showing and editing states a test can set.
class ShowingPopup : public IPopupMenuControl
{
public:
  void Expand() { mState = kExpanded; }
};
class EditingField : public ITextEntryControl
{
public:
  void Edit() { mEditing = true; }
};

class DispatchCanvas : public RecordingCanvas
{
public:
  using RecordingCanvas::RecordingCanvas;
  ShowingPopup* InstallPopup()
  {
    auto* popup = new ShowingPopup;
    mPopupMenuCtrl = popup;
    InitSpecialControl(popup);
    return popup;
  }
  EditingField* InstallField()
  {
    auto* field = new EditingField;
    mTextEntryCtrl = field;
    InitSpecialControl(field);
    return field;
  }
};

// A control that adds two items of its own to a host context menu.
class MenuControl : public RecordingControl
{
public:
  using RecordingControl::RecordingControl;
  void CreateContextMenu(IPopupMenu& menu) override
  {
    menu.AddItem("Own");
    menu.AddItem("Sub", new IPopupMenu("", {"Deep"}));
  }
};

class EventDispatchTest : public ::testing::Test
{
protected:
  // Attached, with the attach hooks forgotten.
  template <class C = RecordingControl> C* Add(const IRECT& r, int param = -1, const char* name = "c")
  {
    auto* c = static_cast<C*>(ui.AttachControl(new C(r, param, &log, name)));
    c->hooks.clear();
    return c;
  }
  // Gesture calls only ("Begin"/"End" with their parameter), in order.
  std::vector<std::string> Gestures() const
  {
    std::vector<std::string> out;
    for (const DelegateCall& c : dlg.calls)
      if (c.op == "Begin" || c.op == "End") out.push_back(c.op + " " + std::to_string(c.index));
    return out;
  }

  HookLog log;
  TD dlg;
  DispatchCanvas ui{dlg};
};

} // namespace

TEST_F(EventDispatchTest, PressHitTestTakesTheTopmostUsableControl)
{
  RecordingControl* low = Add(IRECT(0, 0, 100, 100), -1, "low");
  RecordingControl* top = Add(IRECT(0, 0, 100, 100), -1, "top");
  struct Case
  {
    const char* name;
    bool hidden, transparent, disabled, mouseWhileDisabled;
    int expected;
  } cases[] = {
      {"top", false, false, false, false, 1},
      {"hidden", true, false, false, false, 0},
      {"transparent", false, true, false, false, 0},
      {"disabled", false, false, true, false, 0},
      {"disabled but takes the mouse", false, false, true, true, 1},
  };
  for (const Case& c : cases) {
    top->Hide(c.hidden);
    top->SetIgnoreMouse(c.transparent);
    top->SetDisabled(c.disabled);
    top->SetMouseWhileDisabled(c.mouseWhileDisabled);
    EXPECT_EQ(ui.GetMouseControlIdx(50, 50), c.expected) << c.name;
  }
  EXPECT_EQ(ui.GetMouseControlIdx(100, 50), -1); // the right edge is outside
  low->Hide(true);
  top->Hide(true);
  EXPECT_EQ(ui.GetMouseControl(50, 50, true), nullptr);
  EXPECT_TRUE(ui.CaptureIsEmpty()); // events over nothing capture nothing
}

TEST_F(EventDispatchTest, HoverSkipsTheBackgroundAndNeedsTracking)
{
  RecordingControl* background = Add(IRECT(0, 0, 300, 200), -1, "bg");
  EXPECT_FALSE(ui.OnMouseOver(50, 50, NoButton())); // tracking off
  ui.EnableMouseOver(true);
  EXPECT_FALSE(ui.OnMouseOver(50, 50, NoButton())); // the background alone never takes hover
  RecordingControl* knob = Add(IRECT(40, 40, 60, 60), -1, "knob");
  EXPECT_TRUE(ui.OnMouseOver(50, 50, NoButton()));
  EXPECT_EQ(ui.GetMouseOverControl(), knob);
  EXPECT_EQ(ui.GetMouseOverIdx(), 1);
  knob->SetDisabled(true);
  EXPECT_FALSE(ui.OnMouseOver(51, 50, NoButton()));
  EXPECT_EQ(knob->hooks.back(), "OnMouseOut");
  knob->SetHoverWhileDisabled(true);
  EXPECT_TRUE(ui.OnMouseOver(52, 50, NoButton()));
  ui.SetMouseCursor(ICanvas::kCursorHand);
  ui.OnMouseOut();
  EXPECT_EQ(ui.GetMouseOverControl(), nullptr);
  EXPECT_EQ(ui.GetCursorType(), ICanvas::kCursorArrow);
  EXPECT_EQ(background->hooks.back(), "OnMouseOut");
  EXPECT_FALSE(knob->GetMouseIsOver());
}

TEST_F(EventDispatchTest, SpecialControlsTakeEventsBeforeTheList)
{
  RecordingControl* knob = Add(IRECT(0, 0, 300, 200));
  ui.AttachCornerResizer(0, false);
  ui.ShowFPSDisplay(true);
  EXPECT_EQ(ui.GetMouseControl(295, 195, false), ui.GetCornerResizer());
  EXPECT_EQ(ui.GetMouseControl(20, 20, false), ui.GetFPSDisplay());
  EXPECT_EQ(ui.GetMouseControl(250, 20, false), knob);
  EditingField* field = ui.InstallField();
  field->Edit();
  EXPECT_EQ(ui.GetMouseControl(295, 195, false), field);
  ShowingPopup* popup = ui.InstallPopup();
  popup->Expand();
  EXPECT_EQ(ui.GetMouseControl(250, 20, true), popup);
  EXPECT_EQ(ui.GetCapturedControl(0), popup);
}

TEST_F(EventDispatchTest, PressDragReleaseStayWithTheCapturedControl)
{
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30), TD::kGain, "knob");
  ui.OnMouseDrag(Drag(20, 20, 1, 1)); // nothing captured: no drag
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseDrag(Drag(500, -40, 5, -3)); // outside the editor, still the knob's
  ui.OnMouseDrag(Drag(500, -40, 0, 0));  // no movement: not delivered
  ui.OnMouseUp(Press(500, -40));
  ui.OnMouseDrag(Drag(20, 20, 1, 1)); // released
  EXPECT_EQ(knob->hooks, (HookLog{"OnMouseDown", "OnMouseDrag", "OnMouseUp"}));
  EXPECT_EQ(Gestures(), (std::vector<std::string>{"Begin 0", "End 0"}));
  EXPECT_TRUE(ui.CaptureIsEmpty());
  float x = 0, y = 0;
  ui.GetMouseDownPoint(x, y);
  EXPECT_EQ(x, 20.f);
  EXPECT_EQ(y, 20.f);
}

TEST_F(EventDispatchTest, WhileTypingDragsReachOnlyTheInEditorField)
{
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30));
  ui.OnMouseDown(Press(20, 20));
  ui.SetInTextEntry(knob);
  ui.OnMouseDrag(Drag(25, 25, 5, 5));
  EXPECT_EQ(knob->hooks, (HookLog{"OnMouseDown"}));
}

TEST_F(EventDispatchTest, MultiTouchRefusesASecondTouchOnAControlUnlessItAllowsIt)
{
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30), TD::kGain, "knob");
  ui.EnableMultiTouch(true);
  ui.OnMouseDown({Point(20, 20, LeftButton(1))});
  ui.OnMouseDown({Point(21, 21, LeftButton(2))});
  EXPECT_EQ(ui.GetCapturedControl(2), nullptr);
  knob->SetMultiTouch(true);
  ui.OnMouseDown({Point(21, 21, LeftButton(2))});
  EXPECT_EQ(ui.GetCapturedControl(2), knob);
  ui.OnMouseUp({Point(20, 20, LeftButton(1)), Point(21, 21, LeftButton(2))});
  EXPECT_EQ(knob->hooks, (HookLog{"OnMouseDown", "OnMouseDown", "OnMouseUp", "OnMouseUp"}));
  EXPECT_EQ(Gestures(), (std::vector<std::string>{"Begin 0", "Begin 0", "End 0", "End 0"}));
}

TEST_F(EventDispatchTest, RightClickOnABoundControlOpensTheHostMenuInsteadOfAPress)
{
  ui.Resize(300, 200, 1.5f, false);
  auto* knob = Add<MenuControl>(IRECT(10, 10, 30, 30), TD::kSteps);
  ui.OnMouseDown(Press(20.9f, 11.f, RightButton()));
  EXPECT_TRUE(knob->hooks.empty());
  EXPECT_TRUE(Gestures().empty());
  EXPECT_TRUE(ui.CaptureIsEmpty());
  EXPECT_EQ(dlg.CallsNamed("HostMenu"), (std::vector<DelegateCall>{{"HostMenu", TD::kSteps, 31, 16}}));
  EXPECT_EQ(dlg.hostMenuItems, (std::vector<std::string>{"Own", "Sub", "Deep"}));
  EXPECT_EQ(dlg.hostMenuTarget, knob);

  RecordingControl* plain = Add(IRECT(50, 50, 60, 60)); // unbound: an ordinary right press
  ui.OnMouseDown(Press(55, 55, RightButton()));
  EXPECT_EQ(plain->hooks, (HookLog{"OnMouseDown"}));
  EXPECT_EQ(dlg.CallsNamed("HostMenu").size(), 1u);
}

TEST_F(EventDispatchTest, DoubleClickIsASecondPressOrTheControlsOwnHandler)
{
  RecordingControl* button = Add(IRECT(10, 10, 30, 30), TD::kBypass, "button");
  button->SetDoubleClickIsClick(true);
  ui.OnMouseDblClick(20, 20, LeftButton());
  EXPECT_EQ(ui.GetCapturedControl(0), button); // kept for the following release
  ui.OnMouseUp(Press(20, 20));
  EXPECT_EQ(button->hooks, (HookLog{"OnMouseDown", "OnMouseUp"}));
  EXPECT_EQ(Gestures(), (std::vector<std::string>{"Begin 3", "End 3"}));

  RecordingControl* knob = Add(IRECT(40, 40, 60, 60), -1, "knob");
  ui.OnMouseDblClick(50, 50, LeftButton());
  EXPECT_EQ(knob->hooks, (HookLog{"OnMouseDblClick"}));
  EXPECT_TRUE(ui.CaptureIsEmpty());
  ui.OnMouseDblClick(200, 150, LeftButton()); // over nothing
}

TEST_F(EventDispatchTest, WheelDropsAndKeysGoToTheControlUnderThePointer)
{
  RecordingControl* background = Add(IRECT(0, 0, 300, 200), -1, "bg");
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30), -1, "knob");
  ui.OnMouseWheel(20, 20, NoButton(), 1.f);
  ui.OnDrop("/a.txt", 20, 20);
  ui.OnDropMultiple({"/b.txt", "/c.txt"}, 20, 20);
  EXPECT_EQ(knob->hooks, (HookLog{"OnMouseWheel", "OnDrop", "OnDrop"}));
  EXPECT_EQ(knob->lastText, "/b.txt");

  std::vector<std::string> handled;
  ui.SetKeyHandlerFunc([&](const plugin::IKeyPress& key, bool isUp) {
    handled.push_back(std::to_string(key.mVKey) + (isUp ? " up" : " down"));
    return true;
  });
  knob->keyResult = true;
  EXPECT_TRUE(ui.OnKeyDown(20, 20, Key(65)));
  knob->keyResult = false;
  EXPECT_TRUE(ui.OnKeyUp(20, 20, Key(65)));   // the knob declines: the handler takes it
  EXPECT_TRUE(ui.OnKeyDown(100, 100, Key(66))); // the background is never asked
  EXPECT_EQ(handled, (std::vector<std::string>{"65 up", "66 down"}));
  EXPECT_EQ(std::count(background->hooks.begin(), background->hooks.end(), "OnKeyDown"), 0);
  ui.SetKeyHandlerFunc(nullptr);
  EXPECT_FALSE(ui.OnKeyDown(100, 100, Key(66)));

  int appearance = -1;
  ui.SetAppearanceChangedFunc([&](int a) { appearance = a; });
  ui.OnAppearanceChanged(1);
  EXPECT_EQ(appearance, 1);
}

TEST_F(EventDispatchTest, ResizeDragScalesFromThePressAndRescalesOnRelease)
{
  Add(IRECT(0, 0, 300, 200));
  ui.OnMouseDown(Press(100, 100));
  ui.SetResizeDragActive(true);
  ui.OnMouseDrag(Drag(150, 200, 50, 100));
  EXPECT_FLOAT_EQ(ui.GetDrawScale(), 1.5f); // the smaller of 150/100 and 200/100
  ui.OnMouseUp(Press(150, 200));
  EXPECT_FALSE(ui.GetResizeDragActive());
}

TEST_F(EventDispatchTest, GesturesStayBalancedWhenTheCaptureEndsWithoutARelease)
{
  RecordingControl* knob = Add(IRECT(10, 10, 30, 30), TD::kGain, "knob");
  RecordingControl* pair = static_cast<RecordingControl*>(
      ui.AttachControl(new RecordingControl(IRECT(40, 40, 60, 60), {TD::kSteps, -1, TD::kMode})));

  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseDown(Press(20, 20)); // a second press of the same gesture (its release was lost)
  ui.Resize(400, 300, 1.f, false);
  ui.OnMouseUp(Press(20, 20));

  ui.OnMouseDown(Press(50, 50));
  ui.OnTouchCancelled({Point(50, 50)});

  ui.OnMouseDown(Press(50, 50));
  ui.RemoveControl(pair);
  ui.OnMouseUp(Press(50, 50));

  ui.OnMouseDown(Press(20, 20));
  ui.RemoveAllControls();
  EXPECT_EQ(Gestures(), (std::vector<std::string>{"Begin 0", "End 0", "Begin 1", "Begin 2", "End 1", "End 2",
                                                  "Begin 1", "Begin 2", "End 1", "End 2", "Begin 0", "End 0"}));
  (void)knob;
}

TEST_F(EventDispatchTest, LastClickedParameterIsTakenOnce)
{
  Add(IRECT(10, 10, 30, 30), TD::kMode);
  EXPECT_EQ(ui.SetLastClickedParamForPos(20, 20), TD::kMode);
  EXPECT_EQ(ui.GetAndClearLastClickedParam(), TD::kMode);
  EXPECT_EQ(ui.GetAndClearLastClickedParam(), -1);
  EXPECT_EQ(ui.SetLastClickedParamForPos(200, 150), -1);
  EXPECT_TRUE(ui.CaptureIsEmpty());
}
