// The scripted user's hand moves the mouse as a real one: a hidden cursor that something warps
// back after each event moves on from there by the hand's motion; a visible cursor, and a pen,
// are where the hand puts them.
#include "AppKitTestSupport.h"

#include "platform/mac/system/Display.h"

namespace plugin::sys {
namespace {

using test::LogView;

// Like a knob: hides the cursor on a press and, when warping, puts it back at the press point
// after every drag; shows it again on the release.
class LockingView : public LogView
{
public:
  using LogView::LogView;
  bool warp = true;

  void MouseDown(const Event& e) override
  {
    LogView::MouseDown(e);
    mLock = MouseLocation();
    DisplayHideCursor(MainDisplayId());
  }
  void MouseDragged(const Event& e) override
  {
    LogView::MouseDragged(e);
    if (!warp) return;
    const double top = static_cast<double>(DisplayPixelsHigh(MainDisplayId()));
    DisplayMoveCursorToPoint(MainDisplayId(), {mLock.x, top - mLock.y});
  }
  void MouseUp(const Event& e) override
  {
    LogView::MouseUp(e);
    DisplayShowCursor(MainDisplayId());
  }

private:
  Point mLock;
};

class ScriptedUserMotionTest : public test::AppKitTest
{
protected:
  ScriptedUserMotionTest()
  {
    window->ContentView()->AddSubview(view);
    window->MakeKeyAndOrderFront();
  }

  WindowRef window = Window::Create(MakeRect(100, 200, 400, 300));
  std::shared_ptr<LockingView> view = std::make_shared<LockingView>(MakeRect(0, 0, 400, 300));
};

TEST_F(ScriptedUserMotionTest, AHiddenWarpedCursorMovesOnByTheHandsMotion)
{
  const Point hand[] = {{53, 46}, {52, 49}, {52, 60}};
  const struct
  {
    const char* name;
    bool warp, tablet;
    Point at[3]; // where each drag lands, window coordinates
  } cases[] = {
      // Warped back to (50, 50) after each drag: each lands there plus its own motion.
      {"warped mouse", true, false, {{53, 46}, {49, 53}, {50, 61}}},
      // Hidden but left alone: the cursor follows the hand.
      {"hidden mouse", false, false, {{53, 46}, {52, 49}, {52, 60}}},
      // A pen points where it is, warped or not.
      {"pen", true, true, {{53, 46}, {52, 49}, {52, 60}}},
  };
  for (const auto& c : cases) {
    user.Reset();
    window->MakeKeyAndOrderFront();
    view->warp = c.warp;
    view->events.clear();
    user.SetTabletInput(c.tablet);
    user.MoveMouse(*window, {50, 50});
    user.PressMouse(*window, {50, 50});
    for (const Point& p : hand)
      user.DragMouse(*window, p);
    user.ReleaseMouse(*window, {52, 60});
    ASSERT_EQ(view->events.size(), 5u) << c.name;
    for (int i = 0; i < 3; ++i) {
      const Event& drag = view->events[static_cast<size_t>(i + 1)];
      EXPECT_EQ(drag.locationInWindow, c.at[i]) << c.name << " drag " << i;
      // The event's deltas are the hand's motion whatever the cursor does.
      const Point from = i == 0 ? Point{50, 50} : hand[i - 1];
      EXPECT_EQ(drag.deltaX, hand[i].x - from.x) << c.name << " drag " << i;
      EXPECT_EQ(drag.deltaY, from.y - hand[i].y) << c.name << " drag " << i;
    }
    EXPECT_EQ(DisplayCursor().hideCount, 0) << c.name;
  }
}

TEST_F(ScriptedUserMotionTest, OnceShownTheCursorIsWhereTheHandPutsIt)
{
  user.PressMouse(*window, {50, 50});
  user.DragMouse(*window, {50, 80});
  user.DragMouse(*window, {50, 110});
  user.ReleaseMouse(*window, {50, 110});
  // Each drag moved on from the press point; the release, without motion, lands there.
  EXPECT_EQ(view->events[1].locationInWindow, (Point{50, 80}));
  EXPECT_EQ(view->events[2].locationInWindow, (Point{50, 80}));
  EXPECT_EQ(view->events[3].locationInWindow, (Point{50, 50}));
  user.PressMouse(*window, {300, 20});
  EXPECT_EQ(view->events.back().locationInWindow, (Point{300, 20}));
  EXPECT_EQ(window->MouseLocationInWindow(), (Point{300, 20}));
}

} // namespace
} // namespace plugin::sys
