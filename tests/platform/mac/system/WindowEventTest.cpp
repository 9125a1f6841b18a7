#include "AppKitTestSupport.h"

#include "platform/mac/system/Application.h"
#include "platform/mac/system/Display.h"

namespace plugin::sys {
namespace {

using test::LogView;
using Strings = std::vector<std::string>;

class WindowEventTest : public test::AppKitTest
{
protected:
  WindowEventTest()
  {
    window->ContentView()->AddSubview(editor);
    window->MakeKeyAndOrderFront();
    editor->Take();
  }

  static constexpr Point kInside{50, 50}, kOutside{300, 250};
  WindowRef window = Window::Create(MakeRect(100, 200, 400, 300));
  std::shared_ptr<LogView> editor = std::make_shared<LogView>(MakeRect(10, 20, 200, 100), true, true);
};

TEST_F(WindowEventTest, APressOwnsTheDragAndTheReleaseWhereverTheMouseGoes)
{
  user.PressMouse(*window, kInside);
  user.DragMouse(*window, kOutside);
  user.ReleaseMouse(*window, kOutside);
  user.MoveMouse(*window, kInside); // no mouse-move delivery yet
  EXPECT_EQ(editor->Take(), (Strings{"down", "drag", "up"}));
  EXPECT_EQ(window->FirstResponder(), editor.get()); // it accepts first responder
  EXPECT_EQ(editor->events[1].deltaX, 250.0);
  EXPECT_EQ(editor->events[1].deltaY, -200.0); // mouse deltas grow downward

  window->SetAcceptsMouseMovedEvents(true);
  user.MoveMouse(*window, kInside);
  user.ScrollWheel(*window, kOutside, 3.0); // nothing under the mouse there takes it
  user.ScrollWheel(*window, kInside, -2.5, 1.0);
  EXPECT_EQ(editor->Take(), (Strings{"move", "wheel"}));
  EXPECT_EQ(editor->events.back().deltaY, -2.5);
  EXPECT_EQ(editor->events.back().deltaX, 1.0);
  EXPECT_EQ(editor->events.back().window, window.get());
}

TEST_F(WindowEventTest, TheMouseLocationAndTheCurrentEventFollowDelivery)
{
  struct Probe : LogView
  {
    using LogView::LogView;
    std::optional<Event> current;
    void MouseDown(const Event&) override
    {
      if (CurrentEvent()) current = *CurrentEvent();
    }
  };
  auto probe = std::make_shared<Probe>(MakeRect(0, 0, 10, 10));
  window->ContentView()->AddSubview(probe);
  user.SetTabletInput(true);
  user.PressMouse(*window, {5, 5});
  ASSERT_TRUE(probe->current);
  EXPECT_EQ(probe->current->subtype, kEventSubtypeTabletPoint);
  EXPECT_EQ(probe->current->type, EventType::LeftMouseDown);
  EXPECT_EQ(CurrentEvent(), nullptr);
  EXPECT_EQ(MouseLocation(), (Point{105, 205}));
  EXPECT_EQ(window->MouseLocationInWindow(), (Point{5, 5}));
}

TEST_F(WindowEventTest, AnInactiveWindowTakesTheFirstClickOnlyWhereViewsAcceptIt)
{
  auto other = Window::Create(MakeRect(0, 0, 10, 10));
  other->MakeKeyAndOrderFront(); // takes key status from this window
  user.Click(*window, kInside);
  EXPECT_TRUE(editor->Take().empty());
  EXPECT_EQ(window->FirstResponder(), window.get());
  time.AdvanceMs(1000.0);
  user.Click(*window, kInside); // the first click made the window key
  EXPECT_EQ(editor->Take(), (Strings{"down", "up"}));
  other->MakeKeyAndOrderFront();
  editor->acceptsFirstMouse = true;
  time.AdvanceMs(1000.0);
  user.Click(*window, kInside);
  EXPECT_EQ(editor->Take(), (Strings{"down", "up"}));
}

TEST_F(WindowEventTest, ClickCountsFollowTimeAndPlace)
{
  const struct
  {
    double waitMs;
    Point at;
    MouseButton button;
    long count;
  } steps[] = {
      {0, {50, 50}, MouseButton::Left, 1},   {100, {52, 47}, MouseButton::Left, 2},
      {400, {50, 50}, MouseButton::Left, 3}, {501, {50, 50}, MouseButton::Left, 1}, // too late
      {10, {55, 50}, MouseButton::Left, 1},                                         // too far
      {10, {55, 50}, MouseButton::Right, 1}, {10, {55, 50}, MouseButton::Right, 2}, // counted apart
      {10, {55, 50}, MouseButton::Left, 2},
  };
  for (const auto& s : steps) {
    time.AdvanceMs(s.waitMs);
    user.Click(*window, s.at, s.button);
    ASSERT_GE(editor->events.size(), 2u);
    const Event& down = editor->events[editor->events.size() - 2];
    EXPECT_EQ(down.clickCount, s.count) << s.at.x << " after " << s.waitMs;
    EXPECT_EQ(editor->events.back().clickCount, s.count); // the release repeats it
  }
}

TEST_F(WindowEventTest, TrackingAreasReportCrossingsByTheirOptions)
{
  const struct
  {
    unsigned options;
    Strings log;
  } cases[] = {
      // Entered/exited, always active, during drags: leaving during a drag is reported at once.
      {0x481, {"enter", "down", "exit", "drag", "enter", "drag", "exit", "drag", "up"}},
      // Without drag reporting, the crossing waits for the release.
      {0x081, {"enter", "down", "drag", "drag", "drag", "up", "exit"}},
  };
  for (const auto& c : cases) {
    editor->AddTrackingArea(TrackingArea::Create(editor->Bounds(), c.options, editor.get()));
    time.AdvanceMs(1000.0);
    user.MoveMouse(*window, kInside);
    user.MoveMouse(*window, {60, 60}); // still inside: nothing new
    user.PressMouse(*window, kInside);
    user.DragMouse(*window, kOutside);
    user.DragMouse(*window, kInside);
    user.DragMouse(*window, kOutside);
    user.ReleaseMouse(*window, kOutside);
    // The press made the editor first responder; moves then go to it only through the window.
    Strings log = editor->Take();
    std::erase(log, "move");
    EXPECT_EQ(log, c.log) << std::hex << c.options;
    for (const Event& e : editor->events)
      if (e.type == EventType::MouseEntered || e.type == EventType::MouseExited) {
        EXPECT_NE(e.trackingArea, nullptr);
      }
    editor->RemoveTrackingArea(editor->TrackingAreas().front().get());
    editor->events.clear();
    window->MakeFirstResponder(nullptr);
  }
}

TEST_F(WindowEventTest, KeysGoToTheFirstResponderAndUnhandledOnesUpTheChain)
{
  user.Click(*window, kInside);
  editor->Take();
  user.PressKey(*window, 0, u"a", kEventModifierShift, u"A");
  ASSERT_EQ(editor->Take(), (Strings{"key"})); // key-up handled by the default: up the chain
  EXPECT_EQ(editor->events.back().characters, u"A");
  EXPECT_EQ(editor->events.back().charactersIgnoringModifiers, u"a");
  EXPECT_EQ(editor->events.back().modifierFlags, kEventModifierShift);
  ASSERT_EQ(window->UnhandledKeyEvents().size(), 1u);
  EXPECT_EQ(window->UnhandledKeyEvents()[0].type, EventType::KeyUp);

  editor->handlesKeys = false;
  user.PressKey(*window, 122, u"\uf704");
  EXPECT_EQ(window->UnhandledKeyEvents().size(), 3u);
  EXPECT_EQ(window->UnhandledKeyEvents()[1].keyCode, 122);
  // A first responder that leaves the window hands over to the window.
  editor->RemoveFromSuperview();
  EXPECT_EQ(window->FirstResponder(), window.get());
  EXPECT_FALSE(window->MakeFirstResponder(editor.get())); // not in this window any more
}

} // namespace
} // namespace plugin::sys
