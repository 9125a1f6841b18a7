#include "graphics/canvas/GaussianBlur.h"
#include "support/ui/CallTrace.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

ILayerPtr MakeLayer(const IRECT& bounds, float scale, float drawScale, IControl* owner = nullptr,
                    bool bitmap = true)
{
  return std::make_unique<ILayer>(bitmap ? new CountedBitmap(7, 40, 20, scale, drawScale) : nullptr, bounds,
                                  owner, owner ? owner->GetBounds() : IRECT());
}

// A plain two-pass blur (rows, then columns) taking the kernel over the samples that exist.
std::vector<uint8_t> BruteBlur(std::vector<uint8_t> a, int w, int h, const GaussianKernel& k)
{
  auto pass = [&](int n, int lines, auto at) {
    for (int l = 0; l < lines; ++l) {
      std::vector<int64_t> out(n);
      for (int x = 0; x < n; ++x)
        for (int i = 1 - k.Length(); i < k.Length(); ++i)
          if (x + i >= 0 && x + i < n) out[x] += k.weights[std::abs(i)] * at(l, x + i);
      for (int x = 0; x < n; ++x)
        at(l, x) = static_cast<uint8_t>(std::min<int64_t>(255, out[x] / k.norm));
    }
  };
  pass(w, h, [&](int y, int x) -> uint8_t& { return a[y * w + x]; });
  pass(h, w, [&](int x, int y) -> uint8_t& { return a[y * w + x]; });
  return a;
}

} // namespace

TEST(Layers, StackPixelAlignmentCheckAndDraw)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg, 300, 200, 60, 2.f); // total scale 2
  RecordingControl owner(IRECT(1, 2, 3, 4));
  // (0.3, 0.3, 10.2, 10.2) at scale 2 aligns to (0, 0, 10.5, 10.5): 10.5 rounds up to 11, 22 pixels.
  g.StartLayer(&owner, IRECT(0.3f, 0.3f, 10.2f, 10.2f), true);
  g.PathClipRegion(IRECT()); // inside a layer: its bounds
  g.PathTransformTranslate(5, 5);
  ILayerPtr layer = g.EndLayer();
  EXPECT_EQ(
      Trace(g.calls),
      "CreateAPIBitmap22,22,1,2,1 UpdateLayer1 T1,0,0,1,0,0 T1,0,0,1,0,0 clip0,0,10.5,10.5 T1,0,0,1,0,0 "
      "clear T1,0,0,1,0,0 clip0,0,10.5,10.5 T1,0,0,1,0,0 T1,0,0,1,5,5 UpdateLayer0 T1,0,0,1,0,0 "
      "T1,0,0,1,0,0 clip0,0,0,0 T1,0,0,1,0,0 clear");
  EXPECT_TRUE(layer->Bounds() == IRECT(0, 0, 10.5f, 10.5f) && layer->GetControlRect() == owner.GetBounds());
  ILayer* raw = layer.get();
  ILayerPtr none;
  g.ResumeLayer(layer); // the same layer again
  g.ResumeLayer(none);
  EXPECT_TRUE(!layer && g.LayerStackDepth() == 1 && g.PopLayer() == raw);
  delete raw;
  EXPECT_EQ(g.PopLayer(), nullptr); // still resets the target
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  g.ClearCalls();
  for (const IRECT& r : {IRECT(5, 5, 1, 1), IRECT(0, 0, nan, nan), IRECT(-inf, 0, inf, 1)})
    g.StartLayer(nullptr, r), g.EndLayer();
  EXPECT_EQ(Trace(g.CallsNamed("CreateAPIBitmap")),
            "CreateAPIBitmap0,0,1,2,0 CreateAPIBitmap0,0,1,2,0 CreateAPIBitmap1.67772e+07,2,1,2,0");

  // Checked in order: layer, bitmap, the owner's bounds (a move is stored and invalidates for
  // good), the invalid flag, the draw scale, the screen scale.
  RecordingControl mover(IRECT(0, 0, 10, 10));
  ILayerPtr good = MakeLayer(IRECT(), 1, 2, &mover);
  ILayerPtr wrongScale = MakeLayer(IRECT(), 1, 1, &mover);
  std::string checks;
  auto check = [&](const ILayerPtr& l) { checks += g.CheckLayer(l) ? "1" : "0"; };
  check(nullptr), check(MakeLayer(IRECT(), 1, 2, nullptr, false)), check(MakeLayer(IRECT(), 2, 2)),
      check(good);
  mover.SetBounds(IRECT(5, 0, 15, 10));
  check(wrongScale), check(good);
  mover.SetBounds(IRECT(0, 0, 10, 10));
  check(good);
  EXPECT_TRUE(checks == "0001000" && good->IsInvalid() && wrongScale->IsInvalid());

  // Drawn under the identity, then the transform comes back.
  ILayerPtr drawn = MakeLayer(IRECT(10, 20, 30, 30), 2, 1); // 40 x 20 pixels: 20 x 10 units
  ILayerPtr noBitmap = MakeLayer(IRECT(), 1, 1, nullptr, false);
  g.PathTransformTranslate(7, 7);
  for (ILayerPtr* l : {&noBitmap, &none, &drawn}) {
    g.ClearCalls();
    g.DrawLayer(*l, &BLEND_50), g.DrawFittedLayer(*l, IRECT(0, 0, 40, 5)), g.DrawRotatedLayer(*l, 90);
  }
  EXPECT_EQ(Trace(g.calls),
            "T1,0,0,1,0,0 DrawBitmap10,20,30,30,0,0,20,10,0.5 T1,0,0,1,7,7 T1,0,0,1,7,7 T2,0,0,0.5,7,7 "
            "DrawBitmap0,0,20,10,0,0,20,10,1 T1,0,0,1,7,7 T1,0,0,1,0,0 T1,0,0,1,20,25 T0,1,-1,0,20,25 "
            "DrawBitmap-10,-5,10,5,0,0,20,10,1 T1,0,0,1,0,0 T1,0,0,1,7,7");
}

TEST(Layers, BlurKernelAndTheBlurAgainstABruteForceOne)
{
  // {draw scale x scale x blur size, weights, norm}
  const std::tuple<float, std::vector<uint8_t>, int64_t> kernels[] = {
      {0.f, {255}, 255},
      {4.f, {255, 213, 124, 50, 14}, 1057},
      {2.f, {255, 155, 35}, 635},
      {-3.f, {255}, 255},
      {std::numeric_limits<float>::quiet_NaN(), {255}, 255}};
  for (const auto& [blur, weights, norm] : kernels)
    EXPECT_TRUE(GaussianKernel(blur).weights == weights && GaussianKernel(blur).norm == norm) << blur;
  EXPECT_EQ(GaussianKernel(1e12f).Length(), GaussianKernel::kMaxLength);

  // Rows shorter than the kernel, bottom-up storage and runs of equal samples; only alpha changes.
  std::mt19937 rng(14);
  const std::tuple<int, int, float, bool, int> cases[] = {
      {1, 1, 6, false, 3},   {1, 7, 2, false, 0},  {5, 1, 9, true, 3},   {3, 2, 4, true, 1},
      {17, 13, 3, false, 3}, {40, 30, 5, true, 2}, {64, 3, 20, false, 3}};
  for (const auto& [w, h, blur, flipped, alpha] : cases) {
    std::vector<uint8_t> image(static_cast<size_t>(w * h));
    for (size_t i = 0; i < image.size(); ++i)
      image[i] = (i / 11) % 3 == 0 ? 255 : (i / 11) % 3 == 1 ? 0 : static_cast<uint8_t>(rng());
    RawBitmapData mask(4096);
    uint8_t* px = mask.Resize(w * h * 4);
    for (int i = 0; i < w * h * 4; ++i) {
      const int stored = flipped ? (h - 1 - i / 4 / w) * w + i / 4 % w : i / 4;
      px[stored * 4 + i % 4] = i % 4 == alpha ? image[i / 4] : 77;
    }
    ASSERT_TRUE(BlurAlpha(mask, w, h, alpha, flipped, blur));
    const std::vector<uint8_t> expected = BruteBlur(image, w, h, GaussianKernel(blur));
    int wrong = 0;
    for (int i = 0; i < w * h * 4; ++i) // the result is stored top row first
      wrong += mask.Get()[i] != (i % 4 == alpha ? expected[i / 4] : 77);
    EXPECT_EQ(wrong, 0) << w << "x" << h << " blur " << blur;
  }
  RawBitmapData mask(4096);
  std::memset(mask.Resize(64), 9, 64);
  for (const auto& [w, h, a] : {std::tuple{4, 5, 3}, {0, 4, 3}, {4, -4, 3}, {4, 4, 4}, {4, 4, -1}})
    EXPECT_FALSE(BlurAlpha(mask, w, h, a, false, 3.f)); // refused, left alone
  EXPECT_EQ(mask.Get()[0] + mask.Get()[63], 18);
}

TEST(Layers, DropShadowBlursTheReadBackAlphaOrIsSkipped)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  ILayerPtr layer = MakeLayer(IRECT(0, 0, 4, 2), 2.f, 1.f); // 40 x 20 pixels
  uint8_t* px = g.layerPixels.Resize(40 * 20 * 4);
  for (int i = 0; i < 40 * 20 * 4; ++i)
    px[i] = i % 4 == 3 && (i / 4) % 40 < 20 ? 255 : 0; // left half opaque
  RawBitmapData expected(4096);
  std::memcpy(expected.Resize(3200), px, 3200);
  ASSERT_TRUE(BlurAlpha(expected, 40, 20, 3, false, 1.f * 2.f * 1.5f)); // draw scale x scale x blur
  IShadow shadow;
  shadow.mBlurSize = 1.5f;
  g.ApplyLayerDropShadow(layer, shadow);
  EXPECT_TRUE(g.lastShadowMask.GetSize() == 3200 &&
              !std::memcmp(g.lastShadowMask.Get(), expected.Get(), 3200));
  ILayerPtr noBitmap = MakeLayer(IRECT(), 1, 1, nullptr, false);
  ILayerPtr none;
  g.ClearCalls();
  g.ApplyLayerDropShadow(noBitmap, shadow);
  g.ApplyLayerDropShadow(none, shadow);
  for (int size : {17, 0}) // pixels of the wrong size, or none read back
    g.layerPixels.Resize(size), g.ApplyLayerDropShadow(layer, shadow);
  EXPECT_EQ(g.Count("ApplyShadowMask"), 0);
}
