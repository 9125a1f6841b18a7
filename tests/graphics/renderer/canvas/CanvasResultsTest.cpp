#include "support/ui/FrameDriver.h"
#include "support/ui/GpuCanvasView.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"

#include <limits>

// Toolkit behaviour whose outcome, not the calls it makes, is asserted: it comes out the same on
// the recording canvas the toolkit's own tests use and on the drawing backend.

using namespace canvastest;

namespace {

struct Recording
{
  TestEditorDelegate dlg;
  RecordingCanvas g;
  Recording(float drawScale, float screenScale) : g(dlg, 300, 200, 60, drawScale)
  {
    g.SetScreenScale(screenScale);
  }
};

struct Drawing
{
  GpuView view;
  TestCanvasVG& g;
  Drawing(float drawScale, float screenScale) : view(300, 200, drawScale, screenScale), g(view.g) {}
};

template <class Canvas> class CanvasResults : public ::testing::Test
{};
using Canvases = ::testing::Types<Recording, Drawing>;
TYPED_TEST_SUITE(CanvasResults, Canvases);

TYPED_TEST(CanvasResults, LayersAreAlignedToPixelsAndGoStaleWithTheirOwnerOrScale)
{
  TypeParam c(2.f, 1.f);
  ICanvas& g = c.g;
  g.StartLayer(nullptr, IRECT(0.3f, 0.3f, 10.2f, 10.2f), true);
  EXPECT_EQ(g.LayerStackDepth(), 1);
  ILayerPtr layer = g.EndLayer();
  EXPECT_EQ(layer->Bounds(), IRECT(0, 0, 10.5f, 10.5f));
  EXPECT_EQ(layer->GetAPIBitmap()->GetWidth(), 22); // 10.5 is rounded up to 11 before scaling
  EXPECT_EQ(layer->GetAPIBitmap()->GetDrawScale(), 2.f);
  EXPECT_EQ(g.PopLayer(), nullptr);
  const float inf = std::numeric_limits<float>::infinity();
  for (const IRECT& r : {IRECT(5, 5, 1, 1), IRECT(0, 0, NAN, NAN), IRECT(-inf, 0, inf, 10)}) {
    g.StartLayer(nullptr, r);
    EXPECT_LE(g.EndLayer()->GetAPIBitmap()->GetWidth(), 16777216);
  }

  RecordingControl owner(IRECT(0, 0, 10, 10));
  g.StartLayer(&owner, owner.GetBounds());
  layer = g.EndLayer();
  EXPECT_TRUE(g.CheckLayer(layer));
  owner.SetBounds(IRECT(5, 0, 15, 10));
  EXPECT_FALSE(g.CheckLayer(layer));
  owner.SetBounds(IRECT(0, 0, 10, 10));
  EXPECT_FALSE(g.CheckLayer(layer)) << "stale for good";
  g.StartLayer(&owner, owner.GetBounds());
  layer = g.EndLayer();
  g.SetScreenScale(2.f);
  EXPECT_FALSE(g.CheckLayer(layer));
}

TYPED_TEST(CanvasResults, DrawingLeavesTheTransformItsStackAndTheLayersAsItFoundThem)
{
  TypeParam c(1.f, 1.f);
  ICanvas& g = c.g;
  g.BeginFrame();
  g.StartLayer(nullptr, IRECT(0, 0, 40, 40));
  ILayerPtr layer = g.EndLayer();
  IText rotated(14.f);
  rotated.mAngle = 30.f;
  const std::function<void(ICanvas&)> ops[] = {
      [&](ICanvas& g) { g.DrawText(rotated, "Kelmo", IRECT(0, 0, 50, 20)); },
      [](ICanvas& g) { g.DrawMultiLineText(IText(), "a b c", IRECT(0, 0, 5, 50)); },
      [](ICanvas& g) { g.DrawDottedRect(COLOR_RED, IRECT(0, 0, 20, 20)); },
      [&](ICanvas& g) { g.DrawRotatedLayer(layer, 45); },
      [&](ICanvas& g) { g.ApplyLayerDropShadow(layer, IShadow()); },
      [](ICanvas& g) { g.FillEllipseRotated(COLOR_RED, 1, 1, 3, 2, 20); },
  };
  for (const auto& op : ops) {
    g.PathTransformReset(true);
    g.PathTransformTranslate(3, 4);
    g.PathTransformSave();
    const IMatrix before = g.GetTransform();
    op(g);
    EXPECT_EQ(g.GetTransform(), before);
    EXPECT_EQ(g.TransformStackDepth(), 1);
    EXPECT_EQ(g.LayerStackDepth(), 0);
  }
  g.EndFrame();
}

TYPED_TEST(CanvasResults, DirtyControlsAreDrawnInWholePixelsAndEmptyRequestsGiveNothing)
{
  TypeParam c(1.f, 2.f);
  ICanvas& g = c.g;
  auto* control = new RecordingControl(IRECT(10, 10, 20, 20));
  g.AttachControl(control);
  FrameDriver frames(g);
  ASSERT_TRUE(frames.Tick());
  EXPECT_EQ(frames.lastDirty.at(0), IRECT(9.25f, 9.25f, 20.75f, 20.75f));
  EXPECT_EQ(g.GetClipRect(), IRECT(9, 9, 21, 21));
  EXPECT_EQ(control->drawCount, 1);
  EXPECT_FALSE(frames.Tick());

  IRECT r(1, 2, 3, 4);
  EXPECT_EQ(g.MeasureText(IText(), "", r), 0.f);
  EXPECT_EQ(r, IRECT(1, 2, 3, 4));
  EXPECT_FALSE(g.LoadBitmap("picture.gif").IsValid());
  EXPECT_FALSE(g.LoadBitmap("nowhere/missing.png").IsValid());
  EXPECT_EQ(g.GetAlphaChannelIndex(), 3);
  EXPECT_FALSE(g.IsFlippedBitmap());
}

} // namespace
