#include "CanvasVGTestSupport.h"
#include "graphics/ResourceCaches.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <mutex>

// Toolkit behaviour whose outcome, not the calls made, is asserted: it must come out the same
// on the recording canvas the toolkit's own tests use and on the drawing backend.

using namespace canvastest;

namespace {

struct RecordingCanvasMaker
{
  TestEditorDelegate dlg;
  std::unique_ptr<RecordingCanvas> g;
  RecordingCanvasMaker(int w, int h, float drawScale, float screenScale)
      : g(std::make_unique<RecordingCanvas>(dlg, w, h, 60, drawScale))
  {
    g->SetScreenScale(screenScale);
  }
};

struct CanvasVGMaker
{
  TestEditorDelegate dlg;
  testsupport::RecordingBackend backend;
  std::unique_ptr<TestCanvasVG> g;
  CanvasVGMaker(int w, int h, float drawScale, float screenScale)
      : g(std::make_unique<TestCanvasVG>(dlg, w, h, RecordingVGBackend(), drawScale))
  {
    g->OpenOn(&backend, screenScale);
  }
};

template <class Maker> class CanvasResults : public ::testing::Test
{
protected:
  ICanvas& Make(int w = 300, int h = 200, float drawScale = 1.f, float screenScale = 1.f)
  {
    maker = std::make_unique<Maker>(w, h, drawScale, screenScale);
    return *maker->g;
  }
  std::unique_ptr<Maker> maker;
};

using Canvases = ::testing::Types<RecordingCanvasMaker, CanvasVGMaker>;
TYPED_TEST_SUITE(CanvasResults, Canvases);

TYPED_TEST(CanvasResults, LayersAreAlignedToPixelsAndStacked)
{
  ICanvas& g = this->Make(300, 200, 2.f);
  g.StartLayer(nullptr, IRECT(0.3f, 0.3f, 10.2f, 10.2f), true);
  EXPECT_EQ(g.LayerStackDepth(), 1);
  ILayerPtr layer = g.EndLayer();
  ASSERT_TRUE(layer && layer->GetAPIBitmap());
  EXPECT_EQ(layer->Bounds(), IRECT(0, 0, 10.5f, 10.5f));
  EXPECT_EQ(layer->GetAPIBitmap()->GetWidth(), 22); // the width 10.5 is rounded up to 11 before scaling
  EXPECT_EQ(layer->GetAPIBitmap()->GetHeight(), 22);
  EXPECT_EQ(layer->GetAPIBitmap()->GetScale(), 1.f);
  EXPECT_EQ(layer->GetAPIBitmap()->GetDrawScale(), 2.f);
  EXPECT_EQ(g.LayerStackDepth(), 0);
  EXPECT_EQ(g.PopLayer(), nullptr);
  EXPECT_EQ(g.GetTransform(), IMatrix());
}

TYPED_TEST(CanvasResults, HostileLayerRectanglesMakeBoundedBitmaps)
{
  ICanvas& g = this->Make();
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const IRECT& r : {IRECT(5, 5, 1, 1), IRECT(0, 0, nan, nan), IRECT(-inf, 0, inf, 10)}) {
    g.StartLayer(nullptr, r);
    ILayerPtr layer = g.EndLayer();
    ASSERT_TRUE(layer && layer->GetAPIBitmap());
    EXPECT_GE(layer->GetAPIBitmap()->GetWidth(), 0);
    EXPECT_LE(layer->GetAPIBitmap()->GetWidth(), 16777216);
    g.DrawLayer(layer);
  }
  EXPECT_EQ(g.LayerStackDepth(), 0);
}

TYPED_TEST(CanvasResults, ALayerGoesStaleWhenItsOwnerMovesOrTheScaleChanges)
{
  ICanvas& g = this->Make(300, 200, 1.f, 2.f);
  RecordingControl owner(IRECT(0, 0, 10, 10));
  g.StartLayer(&owner, owner.GetBounds());
  ILayerPtr layer = g.EndLayer();
  EXPECT_TRUE(g.CheckLayer(layer));
  owner.SetBounds(IRECT(5, 0, 15, 10));
  EXPECT_FALSE(g.CheckLayer(layer));
  owner.SetBounds(IRECT(0, 0, 10, 10));
  EXPECT_FALSE(g.CheckLayer(layer)) << "stale for good";

  g.StartLayer(&owner, owner.GetBounds());
  ILayerPtr fresh = g.EndLayer();
  EXPECT_TRUE(g.CheckLayer(fresh));
  g.SetScreenScale(1.f);
  EXPECT_FALSE(g.CheckLayer(fresh));
}

TYPED_TEST(CanvasResults, EveryDrawLeavesTheTransformAndItsStackAsItFoundThem)
{
  ICanvas& g = this->Make();
  g.BeginFrame();
  g.StartLayer(nullptr, IRECT(0, 0, 40, 40));
  ILayerPtr layer = g.EndLayer();
  float xs[] = {0, 1, 2};
  float ys[] = {0, 2, 1};
  IText rotated(14.f);
  rotated.mAngle = 30.f;
  const std::vector<std::pair<std::string, std::function<void(ICanvas&)>>> ops = {
      {"DrawText rotated", [&](ICanvas& c) { c.DrawText(rotated, "Kelmo", IRECT(0, 0, 50, 20)); }},
      {"DrawMultiLineText", [](ICanvas& c) { c.DrawMultiLineText(IText(), "a b c", IRECT(0, 0, 5, 50)); }},
      {"DrawDottedLine", [](ICanvas& c) { c.DrawDottedLine(COLOR_RED, 0, 0, 50, 0); }},
      {"DrawDottedRect", [](ICanvas& c) { c.DrawDottedRect(COLOR_RED, IRECT(0, 0, 20, 20)); }},
      {"DrawFastDropShadow", [](ICanvas& c) { c.DrawFastDropShadow(IRECT(5, 5, 9, 9), IRECT(0, 0, 20, 20)); }},
      {"DrawLayer", [&](ICanvas& c) { c.DrawLayer(layer); }},
      {"DrawRotatedLayer", [&](ICanvas& c) { c.DrawRotatedLayer(layer, 45); }},
      {"FillEllipseRotated", [](ICanvas& c) { c.FillEllipseRotated(COLOR_RED, 1, 1, 3, 2, 20); }},
      {"DrawConvexPolygon", [&](ICanvas& c) { c.DrawConvexPolygon(COLOR_RED, xs, ys, 3); }},
      {"DrawArc", [](ICanvas& c) { c.DrawArc(COLOR_RED, 10, 10, 5, 0, 270); }},
  };
  for (const auto& [name, op] : ops) {
    g.PathTransformReset(true);
    g.PathTransformTranslate(3, 4);
    g.PathTransformRotate(10);
    g.PathTransformSave();
    const IMatrix before = g.GetTransform();
    op(g);
    EXPECT_EQ(g.GetTransform(), before) << name;
    EXPECT_EQ(g.TransformStackDepth(), 1) << name;
    EXPECT_EQ(g.LayerStackDepth(), 0) << name;
  }
  g.EndFrame();
}

TYPED_TEST(CanvasResults, DirtyControlsAreReportedGrownAndDrawnInWholePixels)
{
  ICanvas& g = this->Make(300, 200, 1.f, 2.f);
  auto* control = new RecordingControl(IRECT(10, 10, 20, 20));
  g.AttachControl(control);
  FrameDriver frames(g);
  ASSERT_TRUE(frames.Tick());
  ASSERT_EQ(frames.lastDirty.size(), 1u);
  EXPECT_EQ(frames.lastDirty[0], IRECT(9.25f, 9.25f, 20.75f, 20.75f));
  EXPECT_EQ(g.GetClipRect(), IRECT(9, 9, 21, 21));
  EXPECT_EQ(control->drawCount, 1);
  EXPECT_FALSE(frames.Tick()) << "nothing dirty: no frame";
}

TYPED_TEST(CanvasResults, EmptyTextMeasuresNothingAndUnsupportedBitmapsAreEmpty)
{
  ICanvas& g = this->Make();
  IRECT r(1, 2, 3, 4);
  EXPECT_EQ(g.MeasureText(IText(), "", r), 0.f);
  EXPECT_EQ(g.MeasureText(IText(), nullptr, r), 0.f);
  EXPECT_EQ(r, IRECT(1, 2, 3, 4));
  EXPECT_FALSE(g.LoadBitmap("picture.gif").IsValid());
  EXPECT_FALSE(g.LoadBitmap("nowhere/missing.png").IsValid());
  EXPECT_EQ(g.GetAlphaChannelIndex(), 3);
  EXPECT_FALSE(g.IsFlippedBitmap());
}

TYPED_TEST(CanvasResults, TheProcessCachesLiveAsLongAsAnyContext)
{
  const auto users = [] {
    std::lock_guard lock(BitmapCache().Mutex());
    return BitmapCache().InstanceCount();
  };
  const int before = users();
  ICanvas& first = this->Make();
  TypeParam second(100, 100, 1.f, 1.f);
  EXPECT_EQ(users(), before + 2);
  (void)first;
  this->maker.reset();
  EXPECT_EQ(users(), before + 1);
}

} // namespace
