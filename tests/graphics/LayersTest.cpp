#include "DrawCalls.h"
#include "ShapeCanvas.h"
#include "graphics/GaussianBlur.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using namespace drawcalls;

namespace {

class LayersTest : public ::testing::Test
{
protected:
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg, 300, 200, 60, 2.f}; // total scale 2
};

// A layer over a counted bitmap of the given scales, owned by owner.
ILayerPtr MakeLayer(const IRECT& bounds, float scale, float drawScale, IControl* owner = nullptr)
{
  auto* bitmap = new CountedBitmap(7, 40, 20, scale, drawScale);
  return std::make_unique<ILayer>(bitmap, bounds, owner, owner ? owner->GetBounds() : IRECT());
}

// Straightforward two-pass blur of a w x h alpha image: rows first, then columns; each sample's sum
// takes the kernel over the samples that exist.
std::vector<uint8_t> BruteBlur(const std::vector<uint8_t>& alpha, int w, int h, const GaussianKernel& kernel)
{
  auto blur1d = [&](const std::vector<int>& in) {
    std::vector<int> out(in.size());
    const int n = static_cast<int>(in.size());
    for (int x = 0; x < n; ++x) {
      int64_t sum = 0;
      for (int i = -(kernel.Length() - 1); i < kernel.Length(); ++i)
        if (x + i >= 0 && x + i < n) sum += kernel.weights[std::abs(i)] * in[x + i];
      out[x] = static_cast<int>(std::min<int64_t>(255, sum / kernel.norm));
    }
    return out;
  };
  std::vector<int> mid(alpha.begin(), alpha.end());
  for (int y = 0; y < h; ++y) {
    std::vector<int> row(mid.begin() + y * w, mid.begin() + (y + 1) * w);
    row = blur1d(row);
    std::copy(row.begin(), row.end(), mid.begin() + y * w);
  }
  std::vector<uint8_t> out(alpha.size());
  for (int x = 0; x < w; ++x) {
    std::vector<int> col(h);
    for (int y = 0; y < h; ++y)
      col[y] = mid[y * w + x];
    col = blur1d(col);
    for (int y = 0; y < h; ++y)
      out[y * w + x] = static_cast<uint8_t>(col[y]);
  }
  return out;
}

} // namespace

TEST_F(LayersTest, StartLayerAlignsToPixelsAndBecomesTheTarget)
{
  auto* owner = new RecordingControl(IRECT(1, 2, 3, 4));
  g.AttachControl(owner);
  g.ClearCalls();
  g.StartLayer(owner, IRECT(0.3f, 0.3f, 10.2f, 10.2f), true);
  const IRECT aligned(0, 0, 10.5f, 10.5f); // the width 10.5 is rounded up to 11 before scaling
  EXPECT_TRUE(SameCalls(g.calls, {CanvasCall{"CreateAPIBitmap", {22, 22, 1, 2, 1}, ""},
                                  CanvasCall{"UpdateLayer", {1}, ""}, Matrix(IMatrix()), Matrix(IMatrix()),
                                  Clip(aligned), Matrix(IMatrix()), Clear()}));
  EXPECT_EQ(g.LayerStackDepth(), 1);

  // Inside the layer an all-zero clip is the layer's bounds.
  g.ClearCalls();
  g.PathClipRegion(IRECT());
  EXPECT_TRUE(SameCalls(g.CallsNamed("SetClipRegion"), {Clip(aligned)}));

  g.PathTransformTranslate(5, 5);
  g.ClearCalls();
  ILayerPtr layer = g.EndLayer();
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer->Bounds(), aligned);
  EXPECT_EQ(layer->GetOwner(), owner);
  EXPECT_EQ(layer->GetControlRect(), IRECT(1, 2, 3, 4));
  EXPECT_FALSE(layer->IsInvalid());
  // The main target again, identity transform, clip to the (empty) drawing area, path cleared.
  EXPECT_TRUE(SameCalls(g.calls, {CanvasCall{"UpdateLayer", {0}, ""}, Matrix(IMatrix()), Matrix(IMatrix()),
                                  Clip(IRECT()), Matrix(IMatrix()), Clear()}));
  EXPECT_EQ(g.GetTransform(), IMatrix());

  // Resuming pushes the same layer again; a null pointer does nothing.
  ILayer* raw = layer.get();
  g.ResumeLayer(layer);
  EXPECT_FALSE(layer);
  EXPECT_EQ(g.LayerStackDepth(), 1);
  ILayerPtr none;
  g.ResumeLayer(none);
  EXPECT_EQ(g.LayerStackDepth(), 1);
  EXPECT_EQ(g.PopLayer(), raw);
  delete raw;

  // Popping an empty stack gives null and still resets the target, transform and clip.
  g.ClearCalls();
  EXPECT_EQ(g.PopLayer(), nullptr);
  EXPECT_EQ(g.Count("UpdateLayer"), 1);
  EXPECT_EQ(g.Count("SetClipRegion"), 1);
}

TEST_F(LayersTest, HostileLayerRectanglesMakeEmptyBitmaps)
{
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const IRECT& r : {IRECT(5, 5, 1, 1), IRECT(0, 0, nan, nan), IRECT(-inf, 0, inf, 10)}) {
    g.ClearCalls();
    g.StartLayer(nullptr, r);
    const auto made = g.CallsNamed("CreateAPIBitmap");
    ASSERT_EQ(made.size(), 1u);
    EXPECT_GE(made[0].args[0], 0);
    EXPECT_LE(made[0].args[0], 16777216);
    ILayerPtr layer = g.EndLayer();
  }
}

// Validity is checked in order: a layer, its bitmap, the owner's bounds (which also store the new
// bounds and invalidate for good), the invalid flag, the draw scale, then the screen scale.
TEST_F(LayersTest, CheckLayerInOrder)
{
  RecordingControl owner(IRECT(0, 0, 10, 10));
  EXPECT_FALSE(g.CheckLayer(nullptr));
  EXPECT_FALSE(g.CheckLayer(std::make_unique<ILayer>(nullptr, IRECT(0, 0, 5, 5), nullptr, IRECT())));

  ILayerPtr good = MakeLayer(IRECT(0, 0, 10, 10), 1.f, 2.f, &owner);
  EXPECT_TRUE(g.CheckLayer(good));
  EXPECT_FALSE(g.CheckLayer(MakeLayer(IRECT(0, 0, 10, 10), 1.f, 1.f))); // draw scale differs
  EXPECT_FALSE(g.CheckLayer(MakeLayer(IRECT(0, 0, 10, 10), 2.f, 2.f))); // screen scale differs

  // The owner moved: stale once and for good, even when it moves back.
  owner.SetBounds(IRECT(5, 0, 15, 10));
  EXPECT_FALSE(g.CheckLayer(good));
  EXPECT_EQ(good->GetControlRect(), IRECT(5, 0, 15, 10));
  owner.SetBounds(IRECT(0, 0, 10, 10));
  EXPECT_FALSE(g.CheckLayer(good));
  EXPECT_TRUE(good->IsInvalid());

  // The owner's move is recorded even when a scale already makes the layer stale.
  ILayerPtr wrongScale = MakeLayer(IRECT(0, 0, 10, 10), 1.f, 1.f, &owner);
  owner.SetBounds(IRECT(1, 1, 2, 2));
  EXPECT_FALSE(g.CheckLayer(wrongScale));
  EXPECT_TRUE(wrongScale->IsInvalid());
}

TEST_F(LayersTest, LayersDrawUnderTheIdentityAndRestoreTheTransform)
{
  ILayerPtr layer = MakeLayer(IRECT(10, 20, 30, 30), 2.f, 1.f); // 40 x 20 pixels at scale 2: 20 x 10 units
  g.PathTransformTranslate(7, 7);
  const IMatrix kept = g.GetTransform();
  auto bitmapCall = [](double l, double t, double r, double b, double weight) {
    return CanvasCall{"DrawBitmap", {l, t, r, b, 0, 0, 20, 10, weight}, ""};
  };

  g.ClearCalls();
  g.DrawLayer(layer, &BLEND_50);
  EXPECT_TRUE(
      SameCalls(DrawOnly(g.calls), {Matrix(IMatrix()), bitmapCall(10, 20, 30, 30, 0.5), Matrix(kept)}));

  g.ClearCalls();
  g.DrawFittedLayer(layer, IRECT(0, 0, 40, 5));
  const IMatrix scaled = IMatrix(kept).Scale(2, 0.5);
  EXPECT_TRUE(SameCalls(DrawOnly(g.calls),
                        {Matrix(kept), Matrix(scaled), bitmapCall(0, 0, 20, 10, 1), Matrix(kept)}));

  g.ClearCalls();
  g.DrawRotatedLayer(layer, 90);
  const Calls rotated = DrawOnly(g.calls);
  ASSERT_EQ(rotated.size(), 6u); // identity, translate, rotate, bitmap, restore, restore
  EXPECT_TRUE(SameCalls({rotated[0], rotated[1]}, {Matrix(IMatrix()), Matrix(IMatrix(1, 0, 0, 1, 20, 25))}));
  EXPECT_TRUE(SameCalls({rotated[3]}, {bitmapCall(-10, -5, 10, 5, 1)}));
  EXPECT_EQ(g.GetTransform(), kept);

  // A missing layer or bitmap draws nothing.
  ILayerPtr noBitmap = std::make_unique<ILayer>(nullptr, IRECT(0, 0, 5, 5), nullptr, IRECT());
  ILayerPtr none;
  g.ClearCalls();
  for (const ILayerPtr* l : {&noBitmap, &none}) {
    g.DrawLayer(*l);
    g.DrawFittedLayer(*l, IRECT(0, 0, 1, 1));
    g.DrawRotatedLayer(*l, 3);
  }
  EXPECT_TRUE(g.calls.empty());
}

TEST(GaussianKernel, WeightsAndNorm)
{
  const struct
  {
    float scaledBlur;
    std::vector<uint8_t> weights;
    int64_t norm;
  } cases[] = {
      {0.f, {255}, 255},                    // blur 0: the mask is unchanged
      {4.f, {255, 213, 124, 50, 14}, 1057}, // blur 2 at scale 2: size 5
      {2.f, {255, 155, 35}, 635},           // blur 1 at scale 2: size 3
      {-3.f, {255}, 255},                   // size never below 1
      {std::numeric_limits<float>::quiet_NaN(), {255}, 255},
  };
  for (const auto& c : cases) {
    const GaussianKernel k(c.scaledBlur);
    EXPECT_EQ(k.weights, c.weights) << c.scaledBlur;
    EXPECT_EQ(k.norm, c.norm) << c.scaledBlur;
  }
  EXPECT_EQ(GaussianKernel(1e12f).Length(), GaussianKernel::kMaxLength);
}

// The separable blur equals a plain two-pass blur on masks of every shape, including rows shorter
// than the kernel, bottom-up storage and long runs of equal samples.
TEST(GaussianBlur, EqualsABruteForceBlur)
{
  std::mt19937 rng(14);
  const struct
  {
    int w, h;
    float blur;
    bool flipped;
    int alphaIndex;
  } cases[] = {{1, 1, 6.f, false, 3},  {1, 7, 2.f, false, 0},  {5, 1, 9.f, true, 3},
               {3, 2, 4.f, true, 1},   {9, 7, 0.f, false, 3},  {17, 13, 3.f, false, 3},
               {40, 30, 5.f, true, 2}, {64, 3, 20.f, false, 3}};
  for (const auto& c : cases) {
    // Runs of equal values (opaque and clear areas) with some noise between them.
    std::vector<uint8_t> image(static_cast<size_t>(c.w * c.h));
    for (size_t i = 0; i < image.size(); ++i)
      image[i] = (i / 11) % 3 == 0 ? 255 : (i / 11) % 3 == 1 ? 0 : static_cast<uint8_t>(rng() & 0xff);
    RawBitmapData mask(4096);
    uint8_t* px = mask.Resize(c.w * c.h * 4);
    ASSERT_NE(px, nullptr);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const int storedRow = c.flipped ? c.h - 1 - y : y;
        for (int b = 0; b < 4; ++b)
          px[(storedRow * c.w + x) * 4 + b] = b == c.alphaIndex ? image[y * c.w + x] : 77;
      }
    ASSERT_TRUE(BlurAlpha(mask, c.w, c.h, c.alphaIndex, c.flipped, c.blur));
    const std::vector<uint8_t> expected = BruteBlur(image, c.w, c.h, GaussianKernel(c.blur));
    int wrong = 0;
    for (int i = 0; i < c.w * c.h; ++i) {
      wrong += mask.Get()[i * 4 + c.alphaIndex] != expected[i]; // stored top row first
      for (int b = 0; b < 4; ++b)
        if (b != c.alphaIndex) wrong += mask.Get()[i * 4 + b] != 77; // other bytes untouched
    }
    EXPECT_EQ(wrong, 0) << c.w << "x" << c.h << " blur " << c.blur;
  }
}

TEST(GaussianBlur, RefusesMasksThatDoNotFit)
{
  RawBitmapData mask(4096);
  mask.Resize(4 * 4 * 4);
  std::memset(mask.Get(), 9, 64);
  const struct
  {
    int w, h, alpha;
  } bad[] = {{4, 5, 3}, {5, 4, 3}, {0, 4, 3}, {4, -4, 3}, {4, 4, 4}, {4, 4, -1}};
  for (const auto& b : bad) {
    EXPECT_FALSE(BlurAlpha(mask, b.w, b.h, b.alpha, false, 3.f)) << b.w << " " << b.h << " " << b.alpha;
    for (int i = 0; i < 64; ++i)
      ASSERT_EQ(mask.Get()[i], 9);
  }
  RawBitmapData empty(4096);
  EXPECT_FALSE(BlurAlpha(empty, 1, 1, 3, false, 1.f));
}

TEST_F(LayersTest, DropShadowBlursTheReadBackAlphaOrIsSkipped)
{
  ILayerPtr layer = MakeLayer(IRECT(0, 0, 4, 2), 2.f, 1.f); // 40 x 20 pixels
  uint8_t* px = g.layerPixels.Resize(40 * 20 * 4);
  ASSERT_NE(px, nullptr);
  for (int i = 0; i < 40 * 20; ++i)
    for (int b = 0; b < 4; ++b)
      px[i * 4 + b] = b == 3 && (i % 40) < 20 ? 255 : 0; // left half opaque
  RawBitmapData expected(4096);
  expected.Resize(g.layerPixels.GetSize());
  std::memcpy(expected.Get(), px, static_cast<size_t>(g.layerPixels.GetSize()));
  ASSERT_TRUE(BlurAlpha(expected, 40, 20, 3, false, 1.f * 2.f * 1.5f));

  IShadow shadow;
  shadow.mBlurSize = 1.5f;
  shadow.mXOffset = 2;
  g.ClearCalls();
  g.ApplyLayerDropShadow(layer, shadow);
  ASSERT_EQ(g.Count("ApplyShadowMask"), 1);
  ASSERT_EQ(g.lastShadowMask.GetSize(), expected.GetSize());
  EXPECT_EQ(std::memcmp(g.lastShadowMask.Get(), expected.Get(), static_cast<size_t>(expected.GetSize())), 0);

  // No pixels, pixels of the wrong size, no layer or no bitmap: no shadow.
  ILayerPtr noBitmap = std::make_unique<ILayer>(nullptr, IRECT(0, 0, 5, 5), nullptr, IRECT());
  ILayerPtr none;
  g.ClearCalls();
  g.ApplyLayerDropShadow(noBitmap, shadow);
  g.ApplyLayerDropShadow(none, shadow);
  g.layerPixels.Resize(17);
  g.ApplyLayerDropShadow(layer, shadow);
  g.layerPixels.Resize(0);
  g.ApplyLayerDropShadow(layer, shadow);
  EXPECT_EQ(g.Count("ApplyShadowMask"), 0);
}
