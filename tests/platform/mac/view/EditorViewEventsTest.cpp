// The editor view's event translation through the window: clicks, drags with capture across the
// view's edge, wheel, keys to the context or on to the host, drops, coordinates at draw and
// backing scales, and the frame loop on the virtual clock.
#include "tests/platform/mac/EditorViewFixture.h"

#include "platform/mac/system/Display.h"
#include "platform/mac/system/Pasteboard.h"
#include "platform/mac/system/Screen.h"
#include "platform/mac/system/Url.h"

#include <algorithm>

using namespace macview;
using plugin::sys::MouseButton;

namespace {

class EditorViewEvents : public EditorViewTest
{};

} // namespace

TEST_F(EditorViewEvents, ClickCountsGiveDownOrDoubleClick)
{
  Open();
  const Point p = At(20.f, 30.f);
  user.Click(*window, p); // 1: down
  user.Click(*window, p); // 2: double click (which captures nothing, so its release goes nowhere)
  user.Click(*window, p); // 3: down again
  EXPECT_EQ(probe->Take(), (std::vector<std::string>{"down 20 30 L", "up 20 30 L", "dbl 20 30 L",
                                                     "down 20 30 L", "up 20 30 L"}));
  time.AdvanceMs(1000.0);
  user.Click(*window, p, MouseButton::Right);
  user.Click(*window, p, MouseButton::Right);
  EXPECT_EQ(probe->Take(), (std::vector<std::string>{"down 20 30 R", "up 20 30 R", "dbl 20 30 R"}));
}

TEST_F(EditorViewEvents, CommandClickSetsBothButtons)
{
  Open();
  user.PressMouse(*window, At(5.f, 5.f), MouseButton::Left, sys::kEventModifierCommand);
  ASSERT_FALSE(probe->log.empty());
  EXPECT_EQ(probe->log.front(), "down 5 5 L R");
}

TEST_F(EditorViewEvents, PointsAreDividedByTheDrawScale)
{
  Open(200, 100, 2.f);
  EXPECT_EQ(V().Frame().size, (sys::Size{400.0, 200.0}));
  // View point (200, 100) is toolkit (100, 50); the view is flipped, so y counts from the top.
  user.Click(*window, V().ConvertPointToView({200.0, 100.0}, nullptr));
  EXPECT_EQ(probe->log.front(), "down 100 50 L");
  user.ScrollWheel(*window, V().ConvertPointToView({40.0, 60.0}, nullptr), 1.5, 7.0);
  EXPECT_EQ(probe->log.back(), "wheel 20 30 L");
  EXPECT_FLOAT_EQ(probe->wheel, 1.5f); // unscaled, the horizontal delta unused
}

TEST_F(EditorViewEvents, BackingScaleTwoDoublesTheDrawableNotTheUnits)
{
  Open(200, 100, 1.5f);
  EXPECT_EQ(V().Layer()->DrawableWidth(), 300u);
  sys::Screen::Main().SetBackingScaleFactor(2.0);
  EXPECT_FLOAT_EQ(G().GetScreenScale(), 2.f);
  EXPECT_EQ(V().Layer()->DrawableWidth(), 600u);
  EXPECT_EQ(V().Layer()->DrawableHeight(), 300u);
  user.Click(*window, At(50.f, 20.f));
  EXPECT_EQ(probe->log.front(), "down 50 20 L");
}

// Entering a window sizes the drawable through the backing-properties change; the move alone doesn't.
TEST_F(EditorViewEvents, OpeningSizesTheDrawableThroughTheBackingChange)
{
  for (const unsigned backing : {1u, 2u}) {
    sys::Screen::Main().SetBackingScaleFactor(backing);
    Open(200, 100);
    EXPECT_EQ(V().Layer()->DrawableWidth(), 200 * backing);
    EXPECT_EQ(V().Layer()->DrawableHeight(), 100 * backing);
    V().Layer()->SetDrawableSize(1, 1);
    V().ViewDidMoveToWindow();
    EXPECT_EQ(V().Layer()->DrawableWidth(), 1u) << backing;
    dlg.CloseWindow();
  }
}

TEST_F(EditorViewEvents, DragDeltasFollowThePreviousPosition)
{
  Open();
  user.PressMouse(*window, At(10.f, 10.f));
  user.DragMouse(*window, At(14.f, 7.f));
  user.DragMouse(*window, At(20.f, 7.f));
  user.ReleaseMouse(*window, At(20.f, 7.f));
  ASSERT_EQ(probe->drags.size(), 2u);
  EXPECT_EQ(probe->drags[0], (std::pair{4.f, -3.f}));
  EXPECT_EQ(probe->drags[1], (std::pair{6.f, 0.f}));
}

TEST_F(EditorViewEvents, LeavingDuringACaptureSendsMouseOutOnRelease)
{
  Open();
  const Point outside = V().ConvertPointToView({450.0, 50.0}, nullptr);
  user.MoveMouse(*window, At(10.f, 10.f));
  user.PressMouse(*window, At(10.f, 10.f));
  probe->Take();
  user.DragMouse(*window, outside);
  EXPECT_TRUE(V().MouseOutDuringDrag());
  EXPECT_EQ(std::count(probe->log.begin(), probe->log.end(), "out"), 0);
  user.ReleaseMouse(*window, outside);
  EXPECT_EQ(probe->log.back(), "out");
  EXPECT_FALSE(V().MouseOutDuringDrag());

  // Re-entering before the release clears the pending mouse-out.
  time.AdvanceMs(1000.0); // a fresh press, not a double click
  user.MoveMouse(*window, At(10.f, 10.f));
  user.PressMouse(*window, At(10.f, 10.f));
  user.DragMouse(*window, outside);
  user.DragMouse(*window, At(12.f, 10.f));
  EXPECT_FALSE(V().MouseOutDuringDrag());
  probe->Take();
  user.ReleaseMouse(*window, At(12.f, 10.f));
  EXPECT_EQ(probe->Take(), (std::vector<std::string>{"up 12 10 L"}));
}

TEST_F(EditorViewEvents, TrackingAreaCoversTheBoundsWithItsOptions)
{
  Open();
  const sys::TrackingAreaRef first = V().TrackingArea();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Options(), 0x481u);
  EXPECT_EQ(first->GetRect(), V().Bounds());
  EXPECT_EQ(first->Owner(), &V());
  G().Resize(300, 100, 1.f, true);
  ASSERT_NE(V().TrackingArea(), first); // replaced on every update
  EXPECT_EQ(V().TrackingArea()->GetRect().size.width, 300.0);
  EXPECT_EQ(V().TrackingAreas().size(), 1u);
}

TEST_F(EditorViewEvents, KeysGoToTheContextOrOnToTheHost)
{
  Open();
  user.MoveMouse(*window, At(30.f, 40.f));
  user.PressKey(*window, 0, u"a");
  ASSERT_EQ(probe->keys.size(), 1u);
  EXPECT_EQ(probe->keys[0].mVKey, 'A');
  EXPECT_STREQ(probe->keys[0].mUtf8, "a");
  EXPECT_EQ(probe->log.back(), "key 30 40"); // at the last mouse position
  const auto unhandledDowns = [this] {
    std::vector<std::uint16_t> codes;
    for (const sys::Event& e : window->UnhandledKeyEvents())
      if (e.type == sys::EventType::KeyDown) codes.push_back(e.keyCode);
    return codes;
  };
  EXPECT_TRUE(unhandledDowns().empty());

  probe->handlesKeys = false;
  user.PressKey(*window, 18, u"!", sys::kEventModifierShift);
  ASSERT_EQ(probe->keys.size(), 2u);
  EXPECT_EQ(probe->keys[1].mVKey, 0);
  EXPECT_FALSE(probe->keys[1].mShift);
  // Unhandled: the host's window sees the key.
  EXPECT_EQ(unhandledDowns(), (std::vector<std::uint16_t>{18}));
}

TEST_F(EditorViewEvents, DropsReachTheControlAtTheScaledPoint)
{
  Open(200, 100, 2.f);
  const Point at = V().ConvertPointToView({100.0, 50.0}, nullptr);
  EXPECT_TRUE(user.DropFiles(*window, {"/tmp/one.wav"}, at));
  EXPECT_EQ(probe->dropped, (std::vector<std::string>{"/tmp/one.wav"}));
  EXPECT_TRUE(user.DropFiles(*window, {"/tmp/a.wav", "/tmp/b.wav"}, at));
  EXPECT_EQ(probe->dropped, (std::vector<std::string>{"/tmp/a.wav", "/tmp/b.wav"}));

  // Only a control under the (scaled) point gets the drop.
  layout = [this](ICanvas* ui) {
    probe = new ProbeControl(IRECT(60.f, 30.f, 80.f, 40.f));
    ui->AttachControl(probe);
  };
  dlg.CloseWindow();
  Open(200, 100, 2.f);
  EXPECT_TRUE(user.DropFiles(*window, {"/tmp/in.wav"}, V().ConvertPointToView({140.0, 70.0}, nullptr)));
  EXPECT_EQ(probe->dropped, (std::vector<std::string>{"/tmp/in.wav"}));
}

TEST_F(EditorViewEvents, DropAnswers)
{
  Open();
  sys::DraggingInfo files{sys::Pasteboard::Create(), {}};
  files.pasteboard->WriteObjects({*sys::Url::FileUrlWithPath("/tmp/x.wav")});
  EXPECT_EQ(V().DraggingEntered(files), sys::kDragOperationGeneric);

  sys::DraggingInfo text{sys::Pasteboard::Create(), {}};
  text.pasteboard->SetString("hello", sys::kPasteboardTypeString);
  EXPECT_EQ(V().DraggingEntered(text), sys::kDragOperationNone);
  EXPECT_FALSE(user.Drop(*window, text.pasteboard, At(5.f, 5.f)));
  EXPECT_FALSE(user.DropFiles(*window, {}, At(5.f, 5.f)));
  // Asked to take a drop without files anyway, it reports success and does nothing.
  EXPECT_TRUE(V().PerformDragOperation(text));
  EXPECT_TRUE(V().PerformDragOperation(sys::DraggingInfo{}));
  EXPECT_TRUE(probe->dropped.empty());
  sys::DraggingSession session({});
  EXPECT_EQ(V().SourceOperationMask(session, sys::DraggingContext::OutsideApplication),
            sys::kDragOperationCopy);
}

TEST_F(EditorViewEvents, FramesRunAtTheFrameRateOnlyWhenDirty)
{
  Open();
  time.AdvanceMs(20.0); // the first frame draws everything
  EXPECT_EQ(probe->draws, 1);
  const int presents = V().Layer()->PresentCount();
  time.AdvanceMs(100.0); // six ticks, nothing dirty
  EXPECT_EQ(probe->draws, 1);
  EXPECT_EQ(V().Layer()->PresentCount(), presents);
  probe->SetDirty(false);
  time.AdvanceMs(1000.0 / 60.0 + 0.1);
  EXPECT_EQ(probe->draws, 2);
}

TEST_F(EditorViewEvents, FrameRateZeroMeansSixty)
{
  Open(200, 100, 1.f, 0);
  ASSERT_TRUE(V().TimerRunning());
  probe->SetDirty(false);
  time.AdvanceMs(1000.0 / 60.0 - 0.5);
  EXPECT_EQ(probe->draws, 0);
  time.AdvanceMs(1.0);
  EXPECT_EQ(probe->draws, 1);
}

TEST_F(EditorViewEvents, EventsAfterCloseReachNothing)
{
  Open();
  const std::shared_ptr<sys::View> view = V().shared_from_this();
  auto& editorView = static_cast<ICanvasView_vKelmo_vst3&>(*view);
  dlg.CloseWindow();
  EXPECT_EQ(editorView.GetGraphics(), nullptr);
  EXPECT_FALSE(editorView.TimerRunning());
  EXPECT_EQ(editorView.Superview(), nullptr);
  sys::Event e;
  e.clickCount = 1;
  editorView.MouseDown(e);
  editorView.MouseDragged(e);
  editorView.MouseUp(e);
  editorView.ScrollWheel(e);
  editorView.MouseExited(e);
  editorView.MouseEntered(e);
  editorView.Render();
  float x = 0.f, y = 0.f;
  EXPECT_FALSE(editorView.GetMouseXY(e, x, y));
  e.charactersIgnoringModifiers = u"a";
  editorView.KeyDown(e);
  EXPECT_FALSE(editorView.IsOpaque());
  EXPECT_EQ(editorView.StringForToolTip(editorView, 1, {}, nullptr), "");
}

TEST_F(EditorViewEvents, HiddenLockedCursorIsWarpedBackAndDragsMeasureFromThere)
{
  Open();
  user.MoveMouse(*window, At(50.f, 50.f));
  user.PressMouse(*window, At(50.f, 50.f));
  G().HideMouseCursor(true, true);
  EXPECT_GT(sys::DisplayCursor().hideCount, 0);
  const int warps = sys::DisplayCursor().warpCount;
  user.DragMouse(*window, At(53.f, 46.f));
  user.DragMouse(*window, At(52.f, 49.f));
  ASSERT_EQ(probe->drags.size(), 2u);
  EXPECT_EQ(probe->drags[0], (std::pair{3.f, -4.f}));
  EXPECT_EQ(probe->drags[1], (std::pair{-1.f, 3.f})); // on from the lock point by the hand's motion
  EXPECT_EQ(sys::DisplayCursor().warpCount, warps + 2);
  EXPECT_EQ(sys::MouseLocation(), G().CursorScreenPosition());
  EXPECT_FLOAT_EQ(V().PrevX(), 50.f);
  EXPECT_FLOAT_EQ(V().PrevY(), 50.f);

  G().HideMouseCursor(false);
  EXPECT_EQ(sys::DisplayCursor().hideCount, 0);
  EXPECT_FALSE(G().CursorIsLocked());
  user.DragMouse(*window, At(60.f, 50.f));
  EXPECT_EQ(sys::DisplayCursor().warpCount, warps + 2);
  EXPECT_FLOAT_EQ(V().PrevX(), 60.f);
}

TEST_F(EditorViewEvents, TabletEventsAreNotLockedNorWarped)
{
  Open();
  user.SetTabletInput(true);
  user.MoveMouse(*window, At(40.f, 40.f));
  EXPECT_TRUE(G().TabletInput());
  const int warps = sys::DisplayCursor().warpCount;
  G().MoveMouseCursor(10.f, 10.f);
  EXPECT_EQ(sys::DisplayCursor().warpCount, warps);
  user.SetTabletInput(false);
  user.MoveMouse(*window, At(40.f, 40.f));
  EXPECT_FALSE(G().TabletInput());
  G().MoveMouseCursor(10.f, 20.f);
  EXPECT_EQ(sys::DisplayCursor().warpCount, warps + 1);
  float x = 0.f, y = 0.f;
  G().GetMouseLocation(x, y);
  EXPECT_FLOAT_EQ(x, 10.f);
  EXPECT_FLOAT_EQ(y, 20.f);
  EXPECT_FLOAT_EQ(G().CursorX(), 10.f);
}

TEST_F(EditorViewEvents, EventsWithNothingLaidOutReachNoControl)
{
  layout = [](ICanvas*) {}; // no controls at all
  Open();
  EXPECT_EQ(G().NControls(), 0);
  user.MoveMouse(*window, At(10.f, 10.f));
  user.Click(*window, At(10.f, 10.f));
  user.PressMouse(*window, At(10.f, 10.f), MouseButton::Right);
  user.DragMouse(*window, At(20.f, 10.f), MouseButton::Right);
  user.ReleaseMouse(*window, At(20.f, 10.f), MouseButton::Right);
  user.ScrollWheel(*window, At(10.f, 10.f), -2.0);
  EXPECT_TRUE(user.DropFiles(*window, {"/tmp/a.wav"}, At(10.f, 10.f)));
  user.PressKey(*window, 0, u"a");
  EXPECT_FALSE(window->UnhandledKeyEvents().empty()); // nobody took the key: the host gets it
  G().UpdateTooltips();
  EXPECT_EQ(user.HoverToolTip(*window, At(10.f, 10.f)), std::nullopt);
  time.AdvanceMs(50.0);
}
