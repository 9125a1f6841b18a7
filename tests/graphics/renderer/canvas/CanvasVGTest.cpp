#include "graphics/renderer/CanvasPaint.h"
#include "graphics/renderer/FNTTypes.h"
#include "graphics/renderer/FontDataCache.h"
#include "support/ui/GpuCanvasView.h"

#include <mutex>

// The drawing backend's life, framebuffers, caches, text measuring and paints.

using namespace canvastest;

namespace {

int FontCache(bool users)
{
  std::lock_guard lock(FontDataCache().Mutex());
  return users ? FontDataCache().InstanceCount() : FontDataCache().NEntries();
}

TEST(CanvasVG, FramebuffersOfTheWindowSizeAndOfLayersGoWhenNoFrameUsesThem)
{
  for (const auto& [w, ds, ss, px] :
       {std::tuple{200, 1.f, 1.f, 200u}, {200, 1.5f, 2.f, 600u}, {899, 1.1f, 2.f, 1976u}}) {
    GpuView v(w, 100, ds, ss);
    const int main = v.g.GetBackend().framebufferImage(v.g.GetMainFramebuffer());
    ASSERT_TRUE(v.Texture(main));
    EXPECT_EQ(v.Texture(main)->tex->Width(), px);
    v.g.Resize(w / 2, 50, ds, false);
    EXPECT_FALSE(v.Texture(main)) << "replaced on resize";
  }
  GpuView v;
  v.g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
  int image = v.g.EndLayer()->GetAPIBitmap()->GetImage(); // the layer went at once: no frame
  EXPECT_FALSE(v.Texture(image));
  v.g.BeginFrame();
  v.g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
  ILayerPtr layer = v.g.EndLayer();
  v.g.DrawLayer(layer);
  image = layer->GetAPIBitmap()->GetImage();
  layer.reset();
  EXPECT_EQ(v.g.NQueuedFramebuffers(), 1);
  EXPECT_TRUE(v.Texture(image)) << "the frame still draws with it";
  v.g.EndFrame();
  EXPECT_FALSE(v.Texture(image));
}

TEST(CanvasVG, LayerWorkOutsideAFrameLeavesEveryBufferSetFree)
{
  // Popping the last layer outside a frame starts a main frame that no end of frame closes; the
  // next frame must not lose the buffer set it holds (three lost sets stop every later frame).
  GpuView v;
  for (int i = 0; i < 2; ++i) {
    v.g.StartLayer(nullptr, IRECT(0, 0, 20, 20));
    const ILayerPtr layer = v.g.EndLayer();
    RawBitmapData data(4096);
    v.g.GetLayerBitmapData(layer, data);
    EXPECT_EQ(data.GetSize(), 20 * 20 * 4);
    v.Frame([](ICanvas& g) { g.FillRect(COLOR_RED, IRECT(0, 0, 10, 10)); });
  }
  v.layer->Device()->WaitUntilIdle();
  EXPECT_EQ(static_cast<MVGcontext_vKelmo_vst3*>(v.g.GetVGContext()->params.userPtr)->semaphore->Value(), 3);
  ExpectPixels(v.ReadMain(), {{5, 5, kRed}, {15, 15, kClear}}, "frame after layer work");
}

TEST(CanvasVG, WithoutAUsableBackendOrViewNothingIsDrawnAndNothingFails)
{
  TestEditorDelegate dlg;
  ICanvasVGBackend partial = mvgCanvasBackend();
  partial.readPixels = nullptr; // refused: no context is made
  TestCanvasVG g(dlg, 100, 100, partial);
  auto layer = plugin::sys::GpuLayer::Create();
  g.OpenOn(layer.get(), 2.f);
  EXPECT_EQ(g.GetDrawContext(), nullptr);
  g.BeginFrame();
  g.FillRect(COLOR_RED, IRECT(0, 0, 10, 10));
  g.DrawText(IText(), "text", IRECT(0, 0, 50, 20));
  g.StartLayer(nullptr, IRECT(0, 0, 10, 10));
  EXPECT_EQ(g.EndLayer()->GetAPIBitmap()->GetImage(), 0);
  g.EndFrame();
  IRECT r(0, 0, 10, 10);
  EXPECT_EQ(g.MeasureText(IText(), "text", r), 0.f);
  EXPECT_FALSE(g.LoadBitmap("missing.png").IsValid());
  EXPECT_FALSE(g.LoadFont("Roboto", RobotoPath().c_str()));
  // Nothing can be decoded yet, so nothing is cached as undecodable for a later context.
  ResourceFolder folder;
  Png(folder, "knob.png", 4, 4);
  EXPECT_FALSE(g.LoadBitmap("knob.png").IsValid());
  EXPECT_FALSE(g.LoadBitmapFromMemory("icon.png", "junk", 4).IsValid());
  EXPECT_EQ(g.NCachedBitmaps(), 0);
}

TEST(CanvasVG, LayersOutlivingTheViewOrTheContextLetGo)
{
  struct Layered : IControl // keeps its drawing in a layer
  {
    using IControl::IControl;
    void Draw(ICanvas& g) override
    {
      g.StartLayer(this, GetBounds());
      mLayer = g.EndLayer();
    }
    ILayerPtr mLayer;
  };
  ILayerPtr kept;
  for (bool closeView : {true, false}) {
    GpuView v; // without closing its view, it goes with a control's layer open
    v.g.closeOnDestroy = closeView;
    v.g.AttachControl(new Layered(IRECT(0, 0, 20, 20)));
    IRECTList rects;
    v.g.IsDirty(rects);
    v.g.Draw(rects);
    v.g.StartLayer(nullptr, IRECT(0, 0, 10, 10));
    kept = v.g.EndLayer();
  }
  EXPECT_EQ(kept->GetAPIBitmap()->GetImage(), 0);
  kept.reset(); // nothing left for it to reach (ASan watches)
}

TEST(CanvasVG, BitmapsAreCachedUnderTheScaleTheyWereFoundAt)
{
  GpuView v;
  ResourceFolder folder;
  const std::string pad28(28, 'x'), pad29(29, 'x'); // 31 and 32 characters with "png"
  for (const auto& [ext, ok] : {std::pair{"PNG", true}, {"JpEg", true}, {"gif", false}, {"", false}})
    EXPECT_EQ(v.g.BitmapExtSupported(ext), ok) << ext;
  EXPECT_TRUE(v.g.BitmapExtSupported((pad28 + "png").c_str()));
  EXPECT_FALSE(v.g.BitmapExtSupported((pad29 + "png").c_str()));

  const std::string knob = Png(folder, "knob.png", 30, 20); // only the 1x file
  const IBitmap first = v.g.LoadBitmap("knob.png", 1, false, 2);
  EXPECT_EQ(first.W(), 30);
  for (int target : {2, 1, 2}) // found again, not loaded again
    EXPECT_EQ(v.g.LoadBitmap("knob.png", 3, true, target).GetAPIBitmap(), first.GetAPIBitmap());
  Png(folder, "fader@2x.png", 62, 40);
  EXPECT_EQ(v.g.LoadBitmap("fader.png", 1, false, 2).W(), 31);

  Png(folder, "picture.gif", 4, 4);
  for (const char* name : {"missing.png", "picture.gif"})
    EXPECT_FALSE(v.g.LoadBitmap(name).IsValid()) << name;
  EXPECT_FALSE(v.g.LoadBitmap(nullptr).IsValid());
  // What cannot be decoded is cached as image 0, drawn as nothing: a repaired file is not read again.
  folder.Write("broken.png", "not a picture");
  const IBitmap broken = v.g.LoadBitmap("broken.png");
  ASSERT_TRUE(broken.IsValid());
  EXPECT_EQ(broken.GetAPIBitmap()->GetImage(), 0);
  Png(folder, "broken.png", 4, 4);
  EXPECT_EQ(v.g.LoadBitmap("broken.png").GetAPIBitmap(), broken.GetAPIBitmap());
  v.Frame([&](ICanvas& g) {
    g.FillRect(COLOR_RED, IRECT(0, 0, 20, 20));
    g.DrawBitmap(broken, IRECT(0, 0, 20, 20), 0, 0);
  });
  ExpectPixels(v.ReadMain(), {{10, 10, kRed}}, "image 0");

  // From memory: decoded once at scale 1 whatever the target; junk is cached as image 0 too.
  const fonttest::Bytes png = fonttest::ReadFile(knob);
  const int size = static_cast<int>(png.size());
  const IBitmap junk = v.g.LoadBitmapFromMemory("junk.png", "junk", 4);
  EXPECT_TRUE(junk.IsValid() && junk.GetAPIBitmap()->GetImage() == 0);
  EXPECT_FALSE(v.g.LoadBitmapFromMemory("icon.gif", png.data(), size).IsValid());
  const IBitmap icon = v.g.LoadBitmapFromMemory("icon.png", png.data(), size, 1, false, 2);
  EXPECT_EQ(icon.W(), 30);
  EXPECT_EQ(v.g.LoadBitmapFromMemory("icon.png", png.data(), size).GetAPIBitmap(), icon.GetAPIBitmap());
  EXPECT_EQ(v.g.NCachedBitmaps(), 5);
  v.g.CloseWindow();
  EXPECT_EQ(v.g.NCachedBitmaps(), 0);
}

TEST(CanvasVG, FontDataIsReadOnceForEveryContextAndRefusedFontsAreNotKept)
{
  const int users = FontCache(true);
  const int handedOut = FileFontDouble::sDataHandedOut.load();
  {
    GpuView first, second; // each loads Roboto-Regular
    EXPECT_EQ(FontCache(true), users + 2);
    const int records = first.g.GetVGContext()->fs->nfonts;
    EXPECT_TRUE(first.g.LoadFont("Roboto-Regular", RobotoPath().c_str()));
    EXPECT_EQ(first.g.GetVGContext()->fs->nfonts, records) << "held already: no second record";
    EXPECT_EQ(FileFontDouble::sDataHandedOut.load(), handedOut + 1);
    EXPECT_EQ(FileFontDouble::sLive.load(), 0) << "the platform font is deleted after loading";
    IRECT a(0, 0, 100, 20), b = a;
    const float width = first.g.MeasureText(IText(), "Kelmo", a);
    EXPECT_GT(width, 0.f);
    EXPECT_EQ(width, second.g.MeasureText(IText(), "Kelmo", b));

    ResourceFolder folder;
    const int entries = FontCache(false);
    fonttest::WriteFile(folder.PathOf("synthetic.ttf"), fonttest::SyntheticFace("Regular")); // no outlines
    folder.Write("fake.ttf", std::string(200, 'x'));
    struct NoData : PlatformFont
    {};
    for (const char* font : {"fake.ttf", "missing.ttf", "synthetic.ttf"})
      EXPECT_FALSE(first.g.LoadFont(font, folder.PathOf(font).c_str())) << font;
    EXPECT_FALSE(first.g.LoadAPIFont("Empty", PlatformFontPtr(new NoData)));
    EXPECT_EQ(FontCache(false), entries);
  }
  EXPECT_EQ(FontCache(true), users);
  EXPECT_TRUE(users > 0 || FontCache(false) == 0) << "the last context empties the cache";
}

TEST(CanvasVG, TextIsMeasuredByItsAlignmentAndRotation)
{
  GpuView v(200, 100);
  for (const auto& [h, vert, x, y] : {std::tuple{EAlign::Near, EVAlign::Top, 10.f, 10.f},
                                      {EAlign::Center, EVAlign::Middle, 100.f, 50.f},
                                      {EAlign::Far, EVAlign::Bottom, 190.f, 90.f}}) {
    IRECT r(10, 10, 190, 90);
    EXPECT_GT(v.g.MeasureText(IText(20.f, COLOR_BLACK, "Roboto-Regular", h, vert), "Kelmo", r), 20.f);
    EXPECT_NEAR(h == EAlign::Near ? r.L : h == EAlign::Center ? r.MW() : r.R, x, 0.01f);
    EXPECT_NEAR(vert == EVAlign::Top ? r.T : vert == EVAlign::Middle ? r.MH() : r.B, y, 2.f);
  }
  IText text(20.f, COLOR_BLACK, "Roboto-Regular", EAlign::Near, EVAlign::Top);
  IRECT flat(0, 0, 200, 100), turned = flat;
  v.g.MeasureText(text, "Kelmo", flat);
  text.mAngle = 90.f;
  v.g.MeasureText(text, "Kelmo", turned);
  EXPECT_NEAR(turned.W(), flat.H(), 0.01f);
  EXPECT_NEAR(turned.H(), flat.W(), 0.01f);

  IRECT none(0, 0, 100, 40); // no usable font: nothing, at the anchor
  EXPECT_EQ(v.g.MeasureText(IText(20.f, COLOR_BLACK, "Missing"), "Kelmo", none), 0.f);
  EXPECT_EQ(none, IRECT(50, 20, 50, 20));
  v.Frame([](ICanvas& g) { // invalid UTF-8 ends the text
    for (const char* s : {"\xC3",
                          "\xFF\xFE"
                          "abc",
                          "ab\xE2\x82", "\xF4\x90\x80\x80", "\xC0\xAF x"}) {
      IRECT r(0, 0, 100, 40);
      EXPECT_GE(g.MeasureText(IText(), s, r), 0.f);
      g.DrawText(IText(), s, r);
      g.DrawMultiLineText(IText(), s, IRECT(0, 0, 0, 100)); // a zero width still moves on
    }
  });
}

TEST(CanvasVG, PaintsOfHostileBlendsAndPatterns)
{
  const IBlend nan(EBlend::SourceOver, std::nanf("")), twice(EBlend::SourceOver, 2.f);
  EXPECT_EQ(CanvasColor(COLOR_RED, &nan).a, 0.f);
  EXPECT_EQ(CanvasColor(COLOR_RED, &twice).a, 1.f);
  EXPECT_EQ(CanvasColor(IColor(400, 0, 0, 0), nullptr).a, 1.f);

  IPattern p(EPatternType::Radial); // inverse of scale 1/10 moved by -(3, 4): centre (30, 40), radius 10
  p.AddStop(COLOR_RED, 0.25f);
  p.AddStop(COLOR_BLUE, 1.f);
  p.mTransform = IMatrix(0.1, 0, 0, 0.1, -3, -4);
  CanvasPaint paint;
  ASSERT_TRUE(MakeCanvasPaint(p, nullptr, paint));
  EXPECT_NEAR(paint.paint.xform[4], 30.f, 1e-4f);
  EXPECT_NEAR(paint.paint.radius, (2.5f + 10.f) / 2, 1e-4f);
  p.mStops[IPattern::kMaxStops - 1] = {COLOR_WHITE, 1.f};
  p.mNStops = 1000; // only the 16 stops there are
  ASSERT_TRUE(MakeCanvasPaint(p, nullptr, paint));
  EXPECT_EQ(paint.paint.outerColor.g, 1.f);
  for (const IMatrix& bad : {IMatrix(0, 0, 0, 0, 0, 0), IMatrix(1, 2, 2, 4, 0, 0),
                             IMatrix(NAN, 0, 0, 1, 0, 0), IMatrix(1, 0, 0, 1, 1e300, 0)}) {
    p.mTransform = bad;
    EXPECT_FALSE(MakeCanvasPaint(p, nullptr, paint));
  }
  EXPECT_FALSE(MakeCanvasPaint(IPattern(), nullptr, paint));
}

} // namespace
