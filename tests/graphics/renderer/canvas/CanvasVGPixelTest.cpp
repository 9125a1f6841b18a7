#include "CanvasVGTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace canvastest;

namespace {

using Pixel = PixelProbe::Pixel;

struct Probe
{
  int x, y;
  Pixel want;
  int tolerance;
};

void ExpectPixels(const PixelProbe& frame, std::initializer_list<Probe> probes, const char* what)
{
  ASSERT_GT(frame.Width(), 0) << what << ": no frame";
  for (const Probe& p : probes) {
    const Pixel got = frame.At(p.x, p.y);
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(got[c], p.want[c], p.tolerance)
          << what << " at (" << p.x << ", " << p.y << ") channel " << c << ": " << got[0] << "," << got[1]
          << "," << got[2] << "," << got[3];
  }
}

constexpr Pixel kClear{0, 0, 0, 0};
constexpr Pixel kRed{255, 0, 0, 255};
constexpr Pixel kBlue{0, 0, 255, 255};
constexpr Pixel kWhite{255, 255, 255, 255};
constexpr Pixel kBlack{0, 0, 0, 255};

TEST(CanvasVGPixels, SampleFrameOfAKnobTextABitmapAndAShadow)
{
  ASSERT_FALSE(RobotoPath().empty());
  ImageFolder folder;
  folder.Png("swatch.png", 16, 16, [](int, int) { return std::array<int, 4>{0, 0, 255, 255}; });
  GpuView v(160, 100);
  ASSERT_TRUE(v.g.LoadFont("Roboto-Regular", RobotoPath().c_str()));
  const IBitmap swatch = v.g.LoadBitmap(folder.Path("swatch.png").c_str());
  ASSERT_TRUE(swatch.IsValid());
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
  v.ReadPresented().WritePngOnRequest("canvasvg_sample_presented");
  ExpectPixels(frame,
               {
                   {2, 2, kWhite, 0},                   // background
                   {30, 60, {127, 127, 127, 255}, 1},   // knob body
                   {40, 18, kRed, 0},                   // value arc at twelve o'clock
                   {58, 50, kBlack, 0},                 // pointer at three o'clock
                   {28, 64, {127, 127, 127, 255}, 1},   // lower left of the body
                   {8, 50, kRed, 0},                    // the arc passes nine o'clock
                   {63, 73, kWhite, 0},                 // and stops at 45 degrees
                   {98, 68, kBlue, 0},                  // bitmap
                   {132, 67, kWhite, 0},                // the shadowed panel
                   {147, 84, {145, 145, 145, 255}, 60}, // its shadow, darker than the background
                   {156, 50, kWhite, 8},                // beyond the shadow's blur
               },
               "sample");
  // Text: dark pixels inside its box, none outside.
  int dark = 0;
  for (int y = 5; y < 35; ++y)
    for (int x = 80; x < 155; ++x)
      dark += frame.At(x, y)[0] < 100;
  EXPECT_GT(dark, 40);
  // The presented drawable shows the same frame.
  const PixelProbe shown = v.ReadPresented();
  ExpectPixels(shown, {{40, 18, kRed, 0}, {98, 68, kBlue, 0}}, "presented");
}

TEST(CanvasVGPixels, EveryGlyphPixelLiesInsideTheMeasuredBounds)
{
  ASSERT_FALSE(RobotoPath().empty());
  for (const auto& [align, valign] :
       {std::pair{EAlign::Near, EVAlign::Top}, std::pair{EAlign::Center, EVAlign::Middle},
        std::pair{EAlign::Far, EVAlign::Bottom}}) {
    GpuView v(200, 60, 1.f, 2.f);
    ASSERT_TRUE(v.g.LoadFont("Roboto-Regular", RobotoPath().c_str()));
    const IText text(22.f, COLOR_BLACK, "Roboto-Regular", align, valign);
    const IRECT area(10, 5, 190, 55);
    IRECT measured = area;
    v.g.MeasureText(text, "Quality gj|", measured);
    v.Frame([&](ICanvas& g) { g.DrawText(text, "Quality gj|", area); });
    const PixelProbe frame = v.ReadMain();
    frame.WritePngOnRequest("canvasvg_glyphs_" + std::to_string(static_cast<int>(align)));
    ASSERT_EQ(frame.Width(), 400);
    int inked = 0, outside = 0;
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x) {
        if (frame.Alpha(x, y) == 0) continue;
        ++inked;
        // Pixel (x, y) covers units [x/2, x/2 + 0.5): it must touch the measured box.
        const float ux = x / 2.f, uy = y / 2.f;
        if (ux + 0.5f < measured.L || ux > measured.R || uy + 0.5f < measured.T || uy > measured.B) ++outside;
      }
    EXPECT_GT(inked, 500);
    EXPECT_EQ(outside, 0) << "measured " << measured.L << "," << measured.T << "," << measured.R << ","
                          << measured.B;
  }
}

TEST(CanvasVGPixels, ALayerIsDrawnBackWhereItWasRecorded)
{
  const struct
  {
    float drawScale, screenScale;
  } cases[] = {{1.f, 1.f}, {1.f, 2.f}, {1.5f, 1.f}, {2.f, 2.f}};
  for (const auto& c : cases) {
    GpuView v(100, 60, c.drawScale, c.screenScale);
    ILayerPtr layer;
    v.Frame([&](ICanvas& g) {
      g.StartLayer(nullptr, IRECT(20, 20, 60, 50));
      g.FillRect(COLOR_RED, IRECT(20, 20, 40, 35));
      g.FillRect(COLOR_BLUE, IRECT(40, 35, 60, 50));
      g.FillRect(COLOR_RED, IRECT(0, 0, 100, 10)); // outside the layer: lost
      layer = g.EndLayer();
    });
    // The next frame only draws the layer.
    v.Frame([&](ICanvas& g) { g.DrawLayer(layer); });
    const PixelProbe frame = v.ReadMain();
    const float s = c.drawScale * c.screenScale;
    const auto at = [&](float x, float y, Pixel want) {
      return Probe{static_cast<int>(x * s), static_cast<int>(y * s), want, 0};
    };
    ExpectPixels(
        frame,
        {at(30, 27, kRed), at(50, 42, kBlue), at(50, 25, kClear), at(10, 5, kClear), at(70, 30, kClear)},
        ("layer at " + std::to_string(s)).c_str());
    frame.WritePngOnRequest("canvasvg_layer_" + std::to_string(static_cast<int>(s * 10)));
  }
}

TEST(CanvasVGPixels, AShadowIsOffsetAndBlurred)
{
  for (bool foreground : {true, false}) {
    GpuView v(100, 100);
    ILayerPtr layer;
    IShadow shadow;
    shadow.mPattern = IPattern(COLOR_RED);
    shadow.mBlurSize = 3.f;
    shadow.mXOffset = 10.f;
    shadow.mYOffset = 10.f;
    shadow.mOpacity = 1.f;
    shadow.mDrawForeground = foreground;
    v.Frame([&](ICanvas& g) {
      g.StartLayer(nullptr, IRECT(10, 10, 90, 90));
      g.FillRect(COLOR_BLACK, IRECT(30, 30, 50, 50));
      layer = g.EndLayer();
      g.ApplyLayerDropShadow(layer, shadow);
      g.DrawLayer(layer);
    });
    const PixelProbe frame = v.ReadMain();
    frame.WritePngOnRequest(foreground ? "canvasvg_shadow" : "canvasvg_shadow_only");
    // The rectangle itself, or nothing there without the foreground; the red copy 10 units down
    // and right; soft edges; nothing far away.
    ExpectPixels(frame,
                 {{35, 35, foreground ? kBlack : kClear, 0},
                  {55, 55, kRed, 12},
                  {45, 45, foreground ? kBlack : kRed, 12},
                  {20, 20, kClear, 0},
                  {85, 85, kClear, 0}},
                 foreground ? "shadow" : "shadow only");
    const int edge = frame.Alpha(60, 50); // on the shadow's right edge
    EXPECT_GT(edge, 40);
    EXPECT_LT(edge, 215);
    EXPECT_GT(frame.Alpha(62, 50), 0) << "the blur spreads past the edge";
    EXPECT_LT(frame.Alpha(62, 50), edge);
  }
}

TEST(CanvasVGPixels, ABitmapAtScale2LandsPixelForPixelOnAScale2Screen)
{
  ImageFolder folder;
  // 40 x 20 pixels: the left half red, the right half blue.
  folder.Png("halves@2x.png", 40, 20, [](int x, int) {
    return x < 20 ? std::array<int, 4>{255, 0, 0, 255} : std::array<int, 4>{0, 0, 255, 255};
  });
  GpuView v(60, 40, 1.f, 2.f);
  const IBitmap halves = v.g.LoadBitmap(folder.Path("halves.png").c_str());
  ASSERT_TRUE(halves.IsValid());
  ASSERT_EQ(halves.W(), 20);
  v.Frame([&](ICanvas& g) { g.DrawBitmap(halves, IRECT(10, 10, 30, 20), 0, 0); });
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("canvasvg_bitmap_2x");
  ExpectPixels(frame,
               {{20, 20, kRed, 0},
                {39, 39, kRed, 0},
                {40, 20, kBlue, 0},
                {59, 39, kBlue, 0},
                {19, 30, kClear, 0},
                {60, 30, kClear, 0},
                {30, 40, kClear, 0}},
               "2x bitmap");
}

TEST(CanvasVGPixels, AControlIsClippedToItsBounds)
{
  // A control that paints far beyond its bounds.
  class Spill : public IControl
  {
  public:
    using IControl::IControl;
    void Draw(ICanvas& g) override { g.FillRect(COLOR_RED, IRECT(0, 0, 100, 100)); }
  };
  GpuView v(100, 100);
  v.g.AttachControl(new Spill(IRECT(20, 20, 40, 40)));
  IRECTList rects;
  ASSERT_TRUE(v.g.IsDirty(rects));
  v.g.SetAllControlsClean();
  v.g.Draw(rects);
  const PixelProbe frame = v.ReadMain();
  frame.WritePngOnRequest("canvasvg_clip");
  // Bounds grown by 0.75 and aligned to pixels: (19, 19) to (41, 41).
  ExpectPixels(
      frame,
      {{19, 19, kRed, 0}, {40, 40, kRed, 0}, {41, 30, kClear, 0}, {18, 30, kClear, 0}, {30, 41, kClear, 0}},
      "clip");
}

TEST(CanvasVGPixels, TheFrameIsPutOnTheLayerAtTheScreenOffset)
{
  GpuView v(40, 30);
  v.g.SetScreenOffset(10.f, 5.f);
  v.Frame([](ICanvas& g) { g.FillRect(COLOR_RED, IRECT(0, 0, 40, 30)); });
  const PixelProbe shown = v.ReadPresented();
  ASSERT_EQ(shown.Width(), 40);
  // The drawable is BGRA: the probe gives RGBA.
  ExpectPixels(shown, {{5, 2, kClear, 0}, {12, 7, kRed, 0}, {39, 29, kRed, 0}}, "offset");
}

TEST(CanvasVGPixels, ZeroSizeLayersAndAnotherContextsFramesLeaveAFrameAlone)
{
  GpuView a(40, 40), b(40, 40);
  a.Frame([](ICanvas& g) {
    g.FillRect(COLOR_BLUE, IRECT(0, 0, 40, 40));
    g.StartLayer(nullptr, IRECT(5, 5, 5, 5));
    g.FillRect(COLOR_RED, IRECT(0, 0, 40, 40)); // into a layer of no pixels: nowhere
    ILayerPtr nothing = g.EndLayer();
    g.DrawLayer(nothing);
  });
  b.Frame([](ICanvas& g) { g.FillRect(COLOR_RED, IRECT(0, 0, 40, 40)); });
  a.Frame([](ICanvas& g) { g.FillRect(COLOR_BLUE, IRECT(0, 0, 10, 10)); });
  ExpectPixels(a.ReadMain(), {{2, 2, kBlue, 0}, {20, 20, kBlue, 0}}, "first context");
  ExpectPixels(b.ReadMain(), {{20, 20, kRed, 0}}, "second context");
  ExpectPixels(a.ReadPresented(), {{20, 20, kBlue, 0}}, "first context's layer");
}

} // namespace
