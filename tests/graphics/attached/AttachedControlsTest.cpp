// The small controls the graphics context attaches itself: corner resizer, value bubble and SVG
// background, on a 300 x 200 recording canvas (the panel is probed in the pixel test).
#include "graphics/attached/IBubbleControl.h"
#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/ISVGControl.h"
#include "support/ui/CallTrace.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/ShapeCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin::ui;
using namespace plugin::ui::test;

// Side 20 / draw scale in the bottom-right corner; a double click restores 300 x 200 at scale 1;
// leaving restores the cursor shown before; the triangle takes the drag, hover or rest colour.
TEST(CornerResizerControl, CornerSquareCursorAndColours)
{
  TestEditorDelegate dlg;
  ShapeCanvas ui(dlg, 300, 200);
  ui.AttachCornerResizer(0, false, COLOR_RED, COLOR_GREEN, COLOR_BLUE, 20.f);
  ICornerResizerControl* r = ui.GetCornerResizer();
  auto triangle = [&] {
    ui.ClearCalls();
    r->Draw(ui);
    return Trace(ui.CallsNamed("fillT"));
  };
  EXPECT_EQ(r->GetBounds(), IRECT(280, 180, 300, 200));
  ui.Resize(300, 200, 2.f, false);
  EXPECT_TRUE(r->GetBounds() == IRECT(290, 190, 300, 200) && r->GetHitRect() == r->GetBounds());
  EXPECT_EQ(triangle(), "fillT255,255,0,0,290,200,300,190,300,200,1");

  ui.SetMouseCursor(ICanvas::kCursorHand);
  ui.OnMouseOver(295, 195, NoButton());
  EXPECT_EQ(ui.GetCursorType(), ICanvas::kCursorSizeNWSE);
  EXPECT_EQ(triangle(), "fillT255,0,255,0,290,200,300,190,300,200,1");
  ui.OnMouseDown(Press(295, 195));
  EXPECT_TRUE(ui.GetResizeDragActive());
  EXPECT_EQ(triangle(), "fillT255,0,0,255,290,200,300,190,300,200,1");
  ui.OnMouseUp(Press(295, 195));
  ui.OnMouseOver(100, 100, NoButton());
  EXPECT_EQ(ui.GetCursorType(), ICanvas::kCursorHand);

  ui.Resize(400, 300, 1.5f, true);
  EXPECT_EQ(r->GetBounds().R, 400.f);
  ui.OnMouseDblClick(395, 295, LeftButton());
  EXPECT_EQ(Nums({double(ui.Width()), double(ui.Height()), ui.GetDrawScale()}), "300,200,1");
  EXPECT_EQ(r->GetBounds(), IRECT(280, 180, 300, 200));
}

// Fade in 200 ms, stay 1000 ms, then 200 ms more at a time while the caller is held, fade out 200 ms.
// The bubble around "x" (7 x 14, grown by 15 and 10) right of (100, 50) has its call-out on the left.
TEST(BubbleControl, StaysWhileItsCallerIsCapturedThenFades)
{
  TestEditorDelegate dlg;
  ShapeCanvas ui(dlg, 300, 200);
  FrameDriver driver(ui);
  ui.AttachBubbleControl();
  IBubbleControl* b = ui.GetBubble(0);
  auto* caller = new RecordingControl(IRECT(60, 40, 100, 60));
  ui.AttachControl(caller);
  ui.Capture(0, caller);
  ui.ShowBubbleControl(caller, 100, 50, "x");
  std::string states;
  auto step = [&](double ms) {
    driver.AdvanceMs(ms - 1000.0 / 60);
    driver.Tick();
    states += std::to_string(b->GetState());
  };
  step(100);
  step(120);
  ui.ClearCalls();
  b->Draw(ui);
  EXPECT_EQ(Trace(ui.calls), "clear M110,48 A115,48,5,270,360,0 A122,48,5,0,90,0 A122,52,5,90,180,0 "
                             "A115,52,5,180,270,0 L110,55 L100,50 L110,45 Z fill0,255,255,255,255,0,1,0,0.95 "
                             "stroke0,255,0,0,0,2,10,0,0,0,0,0,0.95 DoDrawText110,43,127,57,14,0.95'x'");
  step(1010);
  step(250);
  ui.ReleaseMouseCapture();
  step(250);
  step(250);
  EXPECT_EQ(states, "122230");
  EXPECT_TRUE(b->IsHidden());
}

// The SVG control draws through one layer until its bounds or a scale change.
TEST(BackgroundControls, SvgLayerIsReusedUntilTheScaleChanges)
{
  TestEditorDelegate dlg;
  ShapeCanvas ui(dlg, 300, 200);
  auto* svg = new ISVGControl(IRECT(0, 0, 300, 200), ISVG(), true);
  ui.AttachControl(svg);
  int layers = 0;
  for (float screenScale : {1.f, 1.f, 2.f, 2.f}) {
    ui.SetScreenScale(screenScale);
    ui.ClearCalls();
    svg->Draw(ui);
    layers += ui.Count("CreateAPIBitmap");
  }
  EXPECT_EQ(layers, 2);
}
