#include "CanvasVGTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace canvastest;

namespace {

std::vector<std::string> LogFrom(const testsupport::RecordingBackend& b, size_t from)
{
  return std::vector<std::string>(b.log.begin() + static_cast<long>(std::min(from, b.log.size())),
                                  b.log.end());
}

int MainImage(const ICanvasVG& g)
{
  return g.GetBackend().framebufferImage(g.GetMainFramebuffer());
}

TEST(CanvasVGFrame, MainFramebufferHasTheWindowSizeTimesTheScreenScale)
{
  const struct
  {
    int w, h;
    float drawScale, screenScale;
    int pxW, pxH;
  } cases[] = {
      {200, 100, 1.f, 1.f, 200, 100},
      {200, 100, 1.5f, 2.f, 600, 300},
      {899, 500, 1.1f, 2.f, 2 * 988, 2 * 550}, // trunc(988.9) and trunc(550.0...) before the screen scale
      {101, 33, 0.75f, 3.f, 3 * 75, 3 * 24},
  };
  for (const auto& c : cases) {
    RecordingView v(c.w, c.h, c.drawScale, c.screenScale);
    const auto& tex = v.backend.textures.at(MainImage(v.g));
    EXPECT_EQ(tex.w, c.pxW) << c.w << "x" << c.h << " at " << c.drawScale << ", " << c.screenScale;
    EXPECT_EQ(tex.h, c.pxH);
    EXPECT_EQ(tex.type, VG_TEXTURE_RGBA);
    EXPECT_TRUE(tex.flags & VG_IMAGE_PREMULTIPLIED);
  }
}

TEST(CanvasVGFrame, ResizingReplacesTheMainFramebuffer)
{
  RecordingView v(200, 100);
  const int first = MainImage(v.g);
  v.g.Resize(300, 150, 2.f, false);
  const int second = MainImage(v.g);
  EXPECT_NE(first, second);
  EXPECT_EQ(v.backend.textures.count(first), 0u);
  EXPECT_EQ(v.backend.textures.at(second).w, 600);
  EXPECT_EQ(v.backend.textures.at(second).h, 300);
}

TEST(CanvasVGFrame, AFrameDrawsIntoTheMainFramebufferThenPutsItOnTheLayerAtTheScreenOffset)
{
  RecordingView v(200, 100, 1.5f, 2.f);
  v.g.SetScreenOffset(5.f, 7.f);
  v.TakeDraws();
  v.g.BeginFrame();
  EXPECT_TRUE(v.g.InDraw());
  EXPECT_EQ(RecordingBoundImage(), MainImage(v.g));
  ASSERT_FALSE(v.backend.viewports.empty());
  const auto vp = v.backend.viewports.back();
  EXPECT_EQ(vp.width, 300.f);
  EXPECT_EQ(vp.height, 150.f);
  EXPECT_EQ(vp.ratio, 2.f);
  v.g.FillRect(COLOR_RED, IRECT(0, 0, 10, 10));
  EXPECT_EQ(v.TakeDraws().size(), 1u);

  v.g.EndFrame();
  EXPECT_FALSE(v.g.InDraw());
  EXPECT_EQ(RecordingBoundFramebuffer(), nullptr);
  EXPECT_EQ(v.backend.log, (std::vector<std::string>{"flush", "viewport", "fill", "flush"}));
  const auto& screen = v.backend.draws.at(0);
  EXPECT_EQ(screen.paint.image, MainImage(v.g));
  // The framebuffer's rectangle, moved by the screen offset.
  EXPECT_EQ(screen.bounds, (std::array<float, 4>{5.f, 7.f, 305.f, 157.f}));
  EXPECT_EQ(screen.paint.extent[0], 300.f);
  EXPECT_EQ(screen.paint.innerColor.a, 1.f);
}

TEST(CanvasVGFrame, WithoutAViewNothingIsDrawnAndNothingFails)
{
  TestEditorDelegate dlg;
  TestCanvasVG g(dlg, 100, 100, RecordingVGBackend());
  g.SetScreenScale(2.f);
  EXPECT_EQ(g.GetMainFramebuffer(), nullptr);
  g.BeginFrame();
  g.FillRect(COLOR_RED, IRECT(0, 0, 10, 10));
  g.DrawText(IText(), "text", IRECT(0, 0, 50, 20));
  g.DrawDottedLine(COLOR_BLACK, 0, 0, 50, 0);
  g.StartLayer(nullptr, IRECT(0, 0, 10, 10));
  ILayerPtr layer = g.EndLayer();
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer->GetAPIBitmap()->GetImage(), 0);
  g.EndFrame();
  IRECT r(0, 0, 10, 10);
  EXPECT_EQ(g.MeasureText(IText(), "text", r), 0.f);
  EXPECT_FALSE(g.LoadBitmap("missing.png").IsValid());
  EXPECT_FALSE(g.LoadFont("Roboto", RobotoPath().c_str()));
  EXPECT_EQ(g.GetDrawContext(), nullptr);
}

TEST(CanvasVGFrame, AnIncompleteBackendIsRefused)
{
  TestEditorDelegate dlg;
  ICanvasVGBackend partial = RecordingVGBackend();
  partial.readPixels = nullptr;
  TestCanvasVG g(dlg, 100, 100, partial);
  testsupport::RecordingBackend backend;
  g.OpenOn(&backend);
  EXPECT_EQ(g.GetVGContext(), nullptr);
  EXPECT_EQ(backend.Count("create"), 0);
}

TEST(CanvasVGFrame, LayerFramebuffersDeletedDuringAFrameWaitForItsEnd)
{
  RecordingView v(200, 100);
  // Outside a frame a layer's framebuffer goes at once.
  v.g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
  ILayerPtr outside = v.g.EndLayer();
  const int outsideImage = outside->GetAPIBitmap()->GetImage();
  outside.reset();
  EXPECT_EQ(v.backend.textures.count(outsideImage), 0u);

  v.g.BeginFrame();
  v.g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
  v.g.FillRect(COLOR_RED, IRECT(0, 0, 20, 20));
  ILayerPtr layer = v.g.EndLayer();
  v.g.DrawLayer(layer);
  const int image = layer->GetAPIBitmap()->GetImage();
  ASSERT_GT(image, 0);
  layer.reset();
  EXPECT_EQ(v.g.NQueuedFramebuffers(), 1);
  EXPECT_EQ(v.backend.textures.count(image), 1u) << "the frame still draws with it";
  const size_t before = v.backend.log.size();
  v.g.EndFrame();
  EXPECT_EQ(v.g.NQueuedFramebuffers(), 0);
  EXPECT_EQ(v.backend.textures.count(image), 0u);
  const auto log = LogFrom(v.backend, before);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "deleteTexture") << "deleted after the last flush";
  EXPECT_EQ(std::count(log.begin(), log.end(), "flush"), 2);
}

TEST(CanvasVGFrame, ALayerMadeDuringAFrameFlushesFirstAndBecomesTheTarget)
{
  RecordingView v(200, 100, 1.5f, 2.f); // total scale 3
  v.g.BeginFrame();
  v.g.FillRect(COLOR_RED, IRECT(0, 0, 10, 10));
  const size_t before = v.backend.log.size();
  v.g.StartLayer(nullptr, IRECT(10, 10, 30, 20));
  const auto log = LogFrom(v.backend, before);
  // The frame so far goes to the main framebuffer, the new framebuffer is cleared by an empty
  // frame of its own, the main frame resumes, then the layer's frame starts.
  EXPECT_EQ(log, (std::vector<std::string>{"flush", "createTexture", "viewport", "flush", "viewport", "flush",
                                           "viewport"}));
  ASSERT_EQ(v.g.LayerStackDepth(), 1);
  const auto& layerTex = v.backend.textures.rbegin()->second;
  EXPECT_EQ(layerTex.w, 60); // 20 units at total scale 3
  EXPECT_EQ(layerTex.h, 30);
  EXPECT_EQ(RecordingBoundImage(), v.backend.textures.rbegin()->first);
  const auto vp = v.backend.viewports.back();
  EXPECT_EQ(vp.width, 30.f); // layer width x draw scale, in frame units
  EXPECT_EQ(vp.height, 15.f);
  EXPECT_EQ(vp.ratio, 2.f);

  // Inside the layer, its top-left corner is the origin.
  v.TakeDraws();
  v.g.FillRect(COLOR_RED, IRECT(10, 10, 20, 20));
  const auto draws = v.TakeDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].bounds, (std::array<float, 4>{0.f, 0.f, 15.f, 15.f}));

  ILayerPtr layer = v.g.EndLayer();
  EXPECT_EQ(RecordingBoundImage(), MainImage(v.g));
  EXPECT_EQ(v.backend.viewports.back().width, 300.f);
  v.g.EndFrame();
}

TEST(CanvasVGFrame, ZeroSizeAndHugeLayersGetNoFramebufferAndDrawNowhere)
{
  RecordingView v(200, 100);
  v.g.BeginFrame();
  for (const IRECT& r : {IRECT(5, 5, 5, 5), IRECT(5, 5, 3, 9), IRECT(0, 0, 1e7f, 10)}) {
    const int textures = v.backend.textureCreations;
    v.g.StartLayer(nullptr, r);
    EXPECT_EQ(v.backend.textureCreations, textures) << r.L << "," << r.R;
    EXPECT_EQ(RecordingBoundFramebuffer(), nullptr);
    EXPECT_EQ(v.backend.viewports.back().width, 0.f);
    v.g.FillRect(COLOR_RED, r);
    ILayerPtr layer = v.g.EndLayer();
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->GetAPIBitmap()->GetImage(), 0);
    RawBitmapData data(4096);
    v.g.GetLayerBitmapData(layer, data);
    EXPECT_EQ(data.GetSize(), 0);
    v.g.DrawLayer(layer); // draws nothing: no image
    EXPECT_EQ(RecordingBoundImage(), MainImage(v.g));
  }
  v.g.EndFrame();
}

TEST(CanvasVGFrame, ReadBackGivesTheLayersPixelSizeOrNothing)
{
  RecordingView v(200, 100, 1.f, 2.f);
  v.g.StartLayer(nullptr, IRECT(0, 0, 10, 5));
  ILayerPtr layer = v.g.EndLayer();
  RawBitmapData data(4096);
  v.g.GetLayerBitmapData(layer, data);
  EXPECT_EQ(data.GetSize(), 20 * 10 * 4);
  EXPECT_EQ(v.g.LayerStackDepth(), 0);

  // A layer whose bitmap is not one of this backend's, and no layer at all.
  ILayerPtr foreign =
      std::make_unique<ILayer>(new APIBitmap(3, 10, 10, 1.f, 1.f), IRECT(0, 0, 10, 10), nullptr, IRECT());
  v.g.GetLayerBitmapData(foreign, data);
  EXPECT_EQ(data.GetSize(), 0);
  v.g.GetLayerBitmapData(ILayerPtr(), data);
  EXPECT_EQ(data.GetSize(), 0);
}

TEST(CanvasVGFrame, AShadowMaskSmallerThanItsLayerIsNotApplied)
{
  RecordingView v(200, 100);
  v.g.StartLayer(nullptr, IRECT(0, 0, 10, 10));
  ILayerPtr layer = v.g.EndLayer();
  RawBitmapData mask(4096);
  mask.Resize(10 * 10 * 4 - 1);
  const int textures = v.backend.textureCreations;
  v.TakeDraws();
  IShadow shadow;
  shadow.mDrawForeground = false;
  v.g.ApplyShadowMask(layer, mask, shadow);
  EXPECT_EQ(v.backend.textureCreations, textures);
  EXPECT_TRUE(v.backend.draws.empty());
  EXPECT_TRUE(v.backend.log.empty());

  // A whole mask: the mask image and a second layer are made, drawn, and both go again.
  mask.Resize(10 * 10 * 4);
  const size_t live = v.backend.textures.size();
  v.g.ApplyShadowMask(layer, mask, shadow);
  EXPECT_EQ(v.backend.textureCreations, textures + 2);
  EXPECT_EQ(v.backend.textures.size(), live);
  EXPECT_EQ(v.g.LayerStackDepth(), 0);
  EXPECT_EQ(v.g.TransformStackDepth(), 0);
}

TEST(CanvasVGFrame, DestroyingTheContextFirstLeavesHeldLayersHarmless)
{
  // A layer that outlives the view, and one that outlives the whole graphics context.
  TestEditorDelegate dlg;
  testsupport::RecordingBackend backend;
  ILayerPtr keptPastView, keptPastContext;
  {
    TestCanvasVG g(dlg, 100, 100, RecordingVGBackend());
    g.OpenOn(&backend);
    g.StartLayer(nullptr, IRECT(0, 0, 10, 10));
    keptPastView = g.EndLayer();
    g.StartLayer(nullptr, IRECT(0, 0, 10, 10));
    keptPastContext = g.EndLayer();
    g.CloseWindow(); // the context and every texture go
    EXPECT_EQ(keptPastView->GetAPIBitmap()->GetImage(), 0);
    EXPECT_EQ(backend.Count("delete"), 1);
    EXPECT_TRUE(backend.textures.empty());
    keptPastView.reset();
  }
  keptPastContext.reset(); // nothing left to reach
  SUCCEED();
}

TEST(CanvasVGFrame, AContextDestroyedWithItsViewOpenTakesItsControlsLayersAlong)
{
  // A control that keeps its drawing in a layer; the context is deleted without closing the view.
  class LayeredControl : public IControl
  {
  public:
    using IControl::IControl;
    void Draw(ICanvas& g) override
    {
      if (!g.CheckLayer(mLayer)) {
        g.StartLayer(this, GetBounds());
        g.FillRect(COLOR_BLUE, GetBounds());
        mLayer = g.EndLayer();
      }
      g.DrawLayer(mLayer);
    }
    ILayerPtr mLayer;
  };
  TestEditorDelegate dlg;
  testsupport::RecordingBackend backend;
  auto g = std::make_unique<TestCanvasVG>(dlg, 100, 100, RecordingVGBackend());
  g->OpenOn(&backend);
  g->closeOnDestroy = false;
  g->AttachControl(new LayeredControl(IRECT(0, 0, 20, 20)));
  g->SetAllControlsDirty();
  IRECTList rects;
  ASSERT_TRUE(g->IsDirty(rects));
  g->Draw(rects);
  g.reset();
  EXPECT_EQ(backend.Count("delete"), 1);
  EXPECT_TRUE(backend.textures.empty());
}

} // namespace
