#include "AppKitTestSupport.h"

#include "platform/mac/system/Cursor.h"
#include "platform/mac/system/Display.h"

#include <limits>

namespace plugin::sys {
namespace {

using CursorAndDisplayTest = test::AppKitTest;

TEST_F(CursorAndDisplayTest, HidingNestsAndWarpsTurnTheDisplayUpsideDown)
{
  const DisplayId main = MainDisplayId();
  EXPECT_EQ(DisplayPixelsHigh(main), 1080u);
  EXPECT_EQ(DisplayPixelsHigh(main + 1), 0u);
  EXPECT_EQ(DisplayShowCursor(main), kDisplaySuccess); // nothing hidden: stays visible
  EXPECT_EQ(DisplayHideCursor(main), kDisplaySuccess);
  EXPECT_EQ(DisplayHideCursor(main), kDisplaySuccess);
  EXPECT_EQ(DisplayShowCursor(main), kDisplaySuccess);
  EXPECT_EQ(DisplayCursor().hideCount, 1);
  EXPECT_EQ(DisplayHideCursor(main + 1), kDisplayIllegalArgument);

  const struct
  {
    Point display; // origin top left
    Point screen;  // origin bottom left, kept on the screen
  } warps[] = {
      {{100, 80}, {100, 1000}},
      {{0, 1080}, {0, 0}},
      {{-50, 2000}, {0, 0}},
      {{5000, -10}, {1920, 1080}},
  };
  for (const auto& w : warps) {
    EXPECT_EQ(DisplayMoveCursorToPoint(main, w.display), kDisplaySuccess);
    EXPECT_EQ(MouseLocation(), w.screen) << w.display.x << "," << w.display.y;
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(DisplayMoveCursorToPoint(main, {nan, 0}), kDisplayIllegalArgument);
  EXPECT_EQ(DisplayMoveCursorToPoint(main + 1, {1, 1}), kDisplayIllegalArgument);
  EXPECT_EQ(DisplayCursor().warpCount, 4);
  EXPECT_EQ(MouseLocation(), (Point{1920, 1080}));
}

TEST_F(CursorAndDisplayTest, ExtrasCanBeMissingAndTheHelpModeNeedsTheHelpCursor)
{
  EXPECT_EQ(Cursor::Current()->Kind(), CursorKind::Arrow);
  for (CursorKind kind : {CursorKind::BusyButClickable, CursorKind::WindowResizeNorth, CursorKind::Help}) {
    ASSERT_TRUE(Cursor::System(kind));
    EXPECT_EQ(Cursor::System(kind), Cursor::System(kind)); // one shared object per kind
    Cursor::SetAvailable(kind, false);
    EXPECT_FALSE(Cursor::System(kind));
  }
  Cursor::SetAvailable(CursorKind::Arrow, false); // the basic kinds cannot go
  EXPECT_TRUE(Cursor::System(CursorKind::Arrow));
  EXPECT_FALSE(Cursor::System(CursorKind::Custom));

  Cursor::SetHelpCursorShown(true); // no help cursor: the mode stays off
  EXPECT_FALSE(Cursor::HelpCursorShown());
  Cursor::Reset();
  Cursor::SetHelpCursorShown(true);
  EXPECT_TRUE(Cursor::HelpCursorShown());
  Cursor::SetAvailable(CursorKind::Help, false);
  EXPECT_FALSE(Cursor::HelpCursorShown());

  const CursorRef move = Cursor::WithImage(Image::ReferencingFile("/cursors/move/cursor.pdf"), {8, 9});
  move->Set();
  EXPECT_EQ(Cursor::Current(), move);
  Cursor own(CursorKind::Custom);
  own.Set(); // an object of its own is copied
  EXPECT_NE(Cursor::Current().get(), &own);
  EXPECT_EQ(Cursor::Current()->Kind(), CursorKind::Custom);
}

} // namespace
} // namespace plugin::sys
