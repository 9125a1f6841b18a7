#include "support/ui/GpuCanvasView.h"

#include <cmath>
#include <functional>

// Frames drawn through the drawing backend and the GPU backend on the headless GPU, read back and
// probed; KELMO_TEST_PNG_DIR names a folder to write them to.

using namespace canvastest;

namespace {

PixelProbe Draw(const std::function<void(ICanvas&)>& fn, const char* png = "")
{
  GpuView v(100, 100);
  v.Frame(fn);
  PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest(png);
  return frame;
}

TEST(CanvasVGPixels, SampleFrameOfAKnobTextABitmapAndAShadow)
{
  ResourceFolder folder;
  Png(folder, "swatch.png", 16, 16);
  GpuView v(160, 100);
  const IBitmap swatch = v.g.LoadBitmap("swatch.png");
  v.Frame([&](ICanvas& g) {
    g.FillRect(COLOR_WHITE, IRECT(0, 0, 160, 100));
    g.FillCircle(COLOR_GRAY, 40, 50, 25);
    g.DrawArc(COLOR_RED, 40, 50, 32, -135, 45, nullptr, 4.f);
    g.DrawRadialLine(COLOR_BLACK, 40, 50, 90, 5, 22, nullptr, 3.f);
    g.DrawText(IText(18.f, COLOR_BLACK, "Roboto-Regular"), "Kelmo", IRECT(80, 5, 155, 35));
    g.DrawBitmap(swatch, IRECT(90, 60, 106, 76), 0, 0);
    g.DrawFastDropShadow(IRECT(120, 55, 145, 80), IRECT(110, 45, 158, 98), 4.f, 2.f, 6.f);
    g.FillRect(COLOR_WHITE, IRECT(120, 55, 145, 80));
  });
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("canvasvg_sample");
  // Body, value arc from 7:30 over 12 to 1:30, pointer, bitmap, panel and its shadow.
  ExpectPixels(frame,
               {{2, 2, kWhite},
                {28, 64, {127, 127, 127, 255}, 1},
                {40, 18, kRed},
                {8, 50, kRed},
                {63, 73, kWhite},
                {58, 50, kBlack},
                {98, 68, kBlue},
                {132, 67, kWhite},
                {147, 84, {145, 145, 145, 255}, 60},
                {156, 50, kWhite, 8}},
               "sample");
  int ink = 0;
  for (int i = 0; i < 75 * 30; ++i)
    ink += frame.At(80 + i % 75, 5 + i / 75)[0] < 100;
  EXPECT_GT(ink, 40) << "text";
  ExpectPixels(v.ReadPresented(), {{40, 18, kRed}, {98, 68, kBlue}}, "presented");
}

TEST(CanvasVGPixels, PathsDashesPatternsAndBlends)
{
  IPattern gradient(EPatternType::Linear); // red to blue over x = 0..100: the transform maps x to y
  gradient.AddStop(COLOR_RED, 0.f);
  gradient.AddStop(COLOR_GREEN, 0.5f); // not used
  gradient.AddStop(COLOR_BLUE, 1.f);
  gradient.mTransform = IMatrix(0, 0.01, 0.01, 0, 0, 0);
  IStrokeOptions dashed; // dash settings are not used
  const float lengths[] = {3.f, 3.f};
  dashed.mDash.SetDash(lengths, 2, 0.f);
  const auto frame = Draw(
      [&](ICanvas& g) {
        g.FillArc(COLOR_RED, 70, 70, 20, 0, 90);                              // twelve to three o'clock
        g.DrawDottedLine(COLOR_RED, 0, 10.5f, 50, 10.5f, nullptr, 1.f, 10.f); // two dashes
        g.DrawDottedLine(COLOR_RED, 0, 20.5f, 10, 20.5f, nullptr, 1.f, 10.f); // one segment: nothing
        for (float dash : {0.f, -3.f, std::nanf(""), 1e-9f})
          g.DrawDottedLine(COLOR_RED, 0, 30.5f, 100, 30.5f, nullptr, 1.f, dash);
        g.DrawDottedRect(COLOR_RED, IRECT(60.5f, 0.5f, 90.5f, 20.5f), nullptr, 1.f, 5.f);
        g.PathMoveTo(0, 40.5f);
        g.PathLineTo(50, 40.5f);
        g.PathStroke(COLOR_RED, 1.f, dashed);
        g.PathRect(IRECT(0, 45, 100, 50));
        g.PathFill(gradient);
        g.PathRect(IRECT(0, 50, 100, 55));
        g.PathFill(IPattern(EPatternType::Radial)); // no stops: nothing
        g.FillRect(COLOR_RED, IRECT(0, 60, 20, 70), &BLEND_50);
        g.FillRect(COLOR_BLUE, IRECT(0, 80, 40, 90));
        const IBlend erase(EBlend::DestinationOut, 1.f);
        g.FillRect(COLOR_BLACK, IRECT(20, 80, 40, 90), &erase);
      },
      "canvasvg_paths");
  ExpectPixels(frame,
               {{80, 60, kRed},
                {80, 80, kClear},
                {60, 80, kClear},
                {60, 60, kClear}, // pie
                {5, 10, kRed},
                {15, 10, kClear},
                {25, 10, kRed},
                {35, 10, kClear},
                {45, 10, kClear}, // dashes
                {5, 20, kClear},
                {50, 30, kClear}, // none
                {62, 0, kRed},
                {67, 0, kClear},
                {90, 2, kRed},
                {90, 7, kClear},
                {87, 20, kRed},
                {60, 17, kRed}, // box
                {15, 40, kRed},
                {32, 40, kRed}, // solid
                {1, 47, {252, 0, 3, 255}, 4},
                {50, 47, {128, 0, 127, 255}, 4},
                {50, 52, kClear}, // paints
                {10, 65, {128, 0, 0, 128}, 1},
                {10, 85, kBlue},
                {30, 85, kClear}}, // blends
               "paths");
}

TEST(CanvasVGPixels, TextStaysInsideItsMeasuredBoundsAndRowsStackFromTheAlignment)
{
  for (const auto& [align, valign] :
       {std::pair{EAlign::Near, EVAlign::Top}, std::pair{EAlign::Center, EVAlign::Middle},
        std::pair{EAlign::Far, EVAlign::Bottom}}) {
    GpuView v(200, 60, 1.f, 2.f);
    const IText text(22.f, COLOR_BLACK, "Roboto-Regular", align, valign);
    IRECT m(10, 5, 190, 55);
    const float width = v.g.MeasureText(text, "Quality gj|", m);
    EXPECT_FLOAT_EQ(width, m.W());
    v.Frame([&](ICanvas& g) { g.DrawText(text, "Quality gj|", IRECT(10, 5, 190, 55)); });
    const PixelProbe frame = v.ReadMain();
    int inked = 0, outside = 0;
    for (int i = 0; i < 400 * 120; ++i) { // pixel (x, y) covers units [x / 2, x / 2 + 0.5)
      const float x = (i % 400) / 2.f, y = (i / 400) / 2.f;
      if (frame.Alpha(i % 400, i / 400) == 0) continue;
      ++inked;
      outside += x + 0.5f < m.L || x > m.R || y + 0.5f < m.T || y > m.B;
    }
    EXPECT_GT(inked, 500);
    EXPECT_EQ(outside, 0) << static_cast<int>(align);
  }
  // Four rows of one word: from the top, or with the first one four line heights above the bottom.
  for (EVAlign valign : {EVAlign::Top, EVAlign::Bottom}) {
    GpuView v(100, 200);
    vgFontFace(v.g.GetVGContext(), "Roboto-Regular");
    vgFontSize(v.g.GetVGContext(), 20.f);
    float lh = 0.f;
    vgTextMetrics(v.g.GetVGContext(), nullptr, nullptr, &lh);
    v.Frame([&](ICanvas& g) {
      g.DrawMultiLineText(IText(20.f, COLOR_BLACK, "Roboto-Regular", EAlign::Near, valign),
                          "alpha beta gamma delta", IRECT(10, 10, 80, 190));
    });
    const PixelProbe frame = v.ReadMain();
    int top = 200, bottom = -1;
    for (int i = 0; i < 100 * 200; ++i)
      if (frame.Alpha(i % 100, i / 100) > 0) top = std::min(top, i / 100), bottom = std::max(bottom, i / 100);
    const float first = valign == EVAlign::Top ? 10.f : 190.f - 5.f * lh; // the first row's top
    EXPECT_GE(top, first - 1);
    EXPECT_LT(top, first + lh / 2);
    EXPECT_GT(bottom, first + 3 * lh);
    EXPECT_LE(bottom, first + 4 * lh + 1);
  }
}

TEST(CanvasVGPixels, LayersComeBackWhereTheyWereRecordedWithTheirShadows)
{
  for (const auto& [ds, ss] : {std::pair{1.f, 1.f}, std::pair{1.f, 2.f}, std::pair{1.5f, 1.f}}) {
    GpuView v(100, 60, ds, ss);
    ILayerPtr layer;
    v.Frame([&](ICanvas& g) {
      g.StartLayer(nullptr, IRECT(20, 20, 60, 50));
      g.FillRect(COLOR_RED, IRECT(20, 20, 40, 35));
      g.FillRect(COLOR_BLUE, IRECT(40, 35, 60, 50));
      g.FillRect(COLOR_RED, IRECT(0, 0, 100, 10)); // outside the layer: lost
      layer = g.EndLayer();
    });
    v.Frame([&](ICanvas& g) { g.DrawLayer(layer); });
    const float s = ds * ss;
    ExpectPixels(v.ReadMain(),
                 {{int(30 * s), int(27 * s), kRed},
                  {int(50 * s), int(42 * s), kBlue},
                  {int(50 * s), int(25 * s), kClear},
                  {int(10 * s), int(5 * s), kClear}},
                 "layer at total scale " + std::to_string(s));
  }
  for (bool foreground : {true, false}) {
    const IShadow shadow{IPattern(COLOR_RED), 3.f, 10.f, 10.f, 1.f, foreground};
    const auto frame = Draw(
        [&](ICanvas& g) {
          g.StartLayer(nullptr, IRECT(10, 10, 90, 90));
          g.FillRect(COLOR_BLACK, IRECT(30, 30, 50, 50));
          ILayerPtr layer = g.EndLayer();
          RawBitmapData small(4096);
          small.Resize(10); // a mask smaller than the layer changes nothing
          g.ApplyShadowMask(layer, small, shadow);
          g.ApplyLayerDropShadow(layer, shadow);
          g.DrawLayer(layer);
        },
        foreground ? "canvasvg_shadow" : "canvasvg_shadow_only");
    ExpectPixels(frame,
                 {{35, 35, foreground ? kBlack : kClear},
                  {45, 45, foreground ? kBlack : kRed, 12},
                  {55, 55, kRed, 12},
                  {20, 20, kClear},
                  {85, 85, kClear}},
                 "shadow");
    EXPECT_GT(frame.Alpha(60, 50), 40) << "soft edge";
    EXPECT_LT(frame.Alpha(60, 50), 215);
    EXPECT_GT(frame.Alpha(62, 50), 0);
  }
}

TEST(CanvasVGPixels, ABitmapAtScale2LandsPixelForPixelOnAScale2Screen)
{
  ResourceFolder folder;
  Png(folder, "halves@2x.png", 40, 20, [](int x, int) {
    return x < 20 ? std::array{255, 0, 0, 255} : std::array{0, 0, 255, 255};
  });
  GpuView v(60, 40, 1.f, 2.f);
  const IBitmap halves = v.g.LoadBitmap("halves.png");
  ASSERT_EQ(halves.W(), 20);
  v.Frame([&](ICanvas& g) { g.DrawBitmap(halves, IRECT(10, 10, 30, 20), 0, 0); });
  ExpectPixels(
      v.ReadMain(),
      {{20, 20, kRed}, {39, 39, kRed}, {40, 20, kBlue}, {59, 39, kBlue}, {19, 30, kClear}, {60, 30, kClear}},
      "2x bitmap");
}

TEST(CanvasVGPixels, AFrameWithoutAMainFramebufferImageIsNotPaintedOver)
{
  // No main framebuffer: the frame is drawn on the layer itself. A framebuffer without an image:
  // the frame is dropped and the layer keeps what it showed.
  for (bool withRecord : {false, true}) {
    TestEditorDelegate dlg;
    ICanvasVGBackend backend = mvgCanvasBackend();
    if (withRecord)
      backend.createFramebuffer = [](VGcontext* ctx, int, int h, int flags) {
        return mvgCreateFramebuffer(ctx, 0, h, flags);
      };
    else
      backend.createFramebuffer = [](VGcontext*, int, int, int) -> MVGframebuffer* { return nullptr; };
    auto layer = plugin::sys::GpuLayer::Create();
    layer->SetDevice(plugin::sys::GpuDevice::Create());
    layer->SetDrawableSize(40, 40);
    TestCanvasVG g(dlg, 40, 40, backend);
    g.OpenOn(layer.get(), 1.f);
    ASSERT_EQ(g.GetMainFramebuffer() != nullptr, withRecord);
    g.BeginFrame();
    g.FillRect(COLOR_RED, IRECT(0, 0, 20, 20));
    g.EndFrame();
    layer->Device()->WaitUntilIdle();
    if (withRecord) {
      EXPECT_EQ(layer->PresentCount(), 0);
    } else {
      ASSERT_TRUE(layer->PresentedTexture());
      ExpectPixels(PixelProbe::FromTexture(*layer->PresentedTexture()), {{5, 5, kRed}, {30, 30, kClear}},
                   "frame on the layer");
    }
    g.CloseWindow(); // the view takes the layer's device with it
  }
}

TEST(CanvasVGPixels, ControlsAreClippedAndFramesReachTheirOwnLayerAtTheScreenOffset)
{
  struct Spill : IControl
  {
    using IControl::IControl;
    void Draw(ICanvas& g) override { g.FillRect(COLOR_RED, IRECT(0, 0, 100, 100)); }
  };
  GpuView a(50, 50), b(50, 50);
  a.g.AttachControl(new Spill(IRECT(20, 20, 40, 40)));
  a.g.SetScreenOffset(10.f, 5.f);
  IRECTList rects;
  a.g.IsDirty(rects);
  a.g.Draw(rects);
  b.Frame([](ICanvas& g) {
    g.FillRect(COLOR_BLUE, IRECT(0, 0, 50, 50));
    g.StartLayer(nullptr, IRECT(5, 5, 5, 5)); // no pixels: what is drawn into it lands nowhere
    g.FillRect(COLOR_RED, IRECT(0, 0, 50, 50));
    ILayerPtr nothing = g.EndLayer();
    g.DrawLayer(nothing);
  });
  // Bounds grown by 0.75 and aligned to pixels: (19, 19) to (41, 41).
  ExpectPixels(a.ReadMain(), {{19, 19, kRed}, {40, 40, kRed}, {41, 30, kClear}, {18, 30, kClear}}, "clip");
  ExpectPixels(a.ReadPresented(), {{29, 24, kRed}, {49, 45, kRed}, {27, 30, kClear}}, "offset");
  ExpectPixels(b.ReadMain(), {{20, 20, kBlue}}, "second context");
}

} // namespace
