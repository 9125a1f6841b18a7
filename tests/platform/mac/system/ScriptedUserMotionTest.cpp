// The scripted user's hand moves the mouse as a real one: while the cursor is hidden and warped
// back after each event (as a knob does), each event lands there plus the hand's motion; a pen, and
// a cursor shown again, land where the hand puts them.
#include "AppKitTestSupport.h"

#include "platform/mac/system/Display.h"

#include <utility>

namespace plugin::sys {
namespace {

using ScriptedUserMotionTest = test::AppKitTest;

TEST_F(ScriptedUserMotionTest, AHiddenCursorMovesOnByTheHandsMotionAPenOrAShownOneIsWhereTheHandIs)
{
  WindowRef window = Window::Create(MakeRect(100, 200, 400, 300));
  const auto view = std::make_shared<test::LogView>(MakeRect(0, 0, 400, 300));
  window->ContentView()->AddSubview(view);
  window->MakeKeyAndOrderFront();
  const Point hand[] = {{53, 46}, {52, 49}, {52, 60}};
  const Point warped[] = {{53, 46}, {49, 53}, {50, 61}}; // the press point plus each drag's own motion
  // A hidden mouse, a hidden pen, a shown mouse: only the first moves on from where the cursor is.
  for (const auto& [hidden, pen] : {std::pair{true, false}, std::pair{true, true}, std::pair{false, false}}) {
    user.SetTabletInput(pen);
    user.PressMouse(*window, {50, 50});
    const Point press = MouseLocation();
    if (hidden) DisplayHideCursor(MainDisplayId());
    view->events.clear();
    for (const Point& p : hand) {
      user.DragMouse(*window, p);
      if (hidden) SetMouseLocation(press);
    }
    if (hidden) DisplayShowCursor(MainDisplayId());
    user.ReleaseMouse(*window, {52, 60});
    ASSERT_EQ(view->events.size(), 4u);
    for (size_t i = 0; i < 3; ++i) {
      const Event& drag = view->events[i];
      EXPECT_EQ(drag.locationInWindow, hidden && !pen ? warped[i] : hand[i]) << hidden << pen << i;
    }
    EXPECT_EQ(view->events[3].locationInWindow, (Point{52, 60})) << hidden << pen;
  }
}

} // namespace
} // namespace plugin::sys
