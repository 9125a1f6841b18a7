#include "MVGTestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

using namespace mvgtest;
using plugin::sys::GpuBlendFactor;

TEST(MVGRecordingTest, FlagsChooseFragmentFunctionAndBufferSets)
{
  const struct
  {
    int flags;
    int maxBuffers;
    const char* fragment;
  } cases[] = {
      {0, 1, "fragmentShader"},      {VG_ANTIALIAS, 1, "fragmentShaderAA"}, {0x1000, 2, "fragmentShader"},
      {0x2000, 3, "fragmentShader"}, {0x3000, 3, "fragmentShader"},         {0x2001, 3, "fragmentShaderAA"},
  };
  for (const auto& c : cases) {
    Backend b(c.flags);
    ASSERT_EQ(b.created, 1);
    EXPECT_EQ(b.mtl->maxBuffers, c.maxBuffers) << c.flags;
    EXPECT_EQ(static_cast<int>(b.mtl->cbuffers.size()), c.maxBuffers);
    EXPECT_EQ(b.mtl->semaphore->Value(), c.maxBuffers);
    EXPECT_EQ(b.mtl->fragmentFunction->name, c.fragment);
    EXPECT_EQ(b.ctx->params.edgeAntiAlias, c.flags & 1);
    EXPECT_EQ(b.mtl->fragSize, 256);
    EXPECT_EQ(b.mtl->indexSize, 4);
    EXPECT_EQ(*b.mtl->blendFunc, kMVGdefaultBlend);
    EXPECT_FALSE(b.layer->IsOpaque());
  }
}

TEST(MVGRecordingTest, CompositeFactorsMapToBlendFactorsWithDefaultOnAnyUnknown)
{
  using B = GpuBlendFactor;
  const struct
  {
    int flag;
    B factor;
  } map[] = {{VG_ZERO, B::Zero},
             {VG_ONE, B::One},
             {VG_SRC_COLOR, B::SourceColor},
             {VG_ONE_MINUS_SRC_COLOR, B::OneMinusSourceColor},
             {VG_DST_COLOR, B::DestinationColor},
             {VG_ONE_MINUS_DST_COLOR, B::OneMinusDestinationColor},
             {VG_SRC_ALPHA, B::SourceAlpha},
             {VG_ONE_MINUS_SRC_ALPHA, B::OneMinusSourceAlpha},
             {VG_DST_ALPHA, B::DestinationAlpha},
             {VG_ONE_MINUS_DST_ALPHA, B::OneMinusDestinationAlpha},
             {VG_SRC_ALPHA_SATURATE, B::SourceAlphaSaturated}};
  for (const auto& m : map) {
    const MVGblend b = MVGcontext_vKelmo_vst3::blendCompositeOperation({m.flag, VG_ZERO, VG_ONE, m.flag});
    EXPECT_EQ(b, (MVGblend{m.factor, B::Zero, B::One, m.factor})) << m.flag;
  }
  for (int bad : {0, 3, 0x800, -1})
    EXPECT_EQ(MVGcontext_vKelmo_vst3::blendCompositeOperation({VG_ZERO, VG_ZERO, bad, VG_ZERO}),
              kMVGdefaultBlend)
        << bad;
}

TEST(MVGRecordingTest, ArraysGrowByHalfTheirCapacityAndKeepContents)
{
  Backend b;
  b.mtl->renderViewport(32, 32, 1);
  EXPECT_EQ(b.mtl->allocVerts(10), 0);
  EXPECT_EQ(b.Set().cverts, 4096);
  b.Set().verts[9] = {1, 2, 3, 4};
  EXPECT_EQ(b.mtl->allocVerts(4090), 10);
  EXPECT_EQ(b.Set().cverts, 4100 + 2048);
  EXPECT_EQ(b.Set().verts[9].v, 4.0f);
  EXPECT_EQ(b.mtl->allocIndexes(5000), 0);
  EXPECT_EQ(b.Set().cindexes, 5000);
  EXPECT_EQ(b.mtl->allocFragUniforms(1), 0);
  EXPECT_EQ(b.Set().cuniforms, 128);
  EXPECT_EQ(b.mtl->allocFragUniforms(128), 256);
  EXPECT_EQ(b.Set().cuniforms, 129 + 64);
  for (int i = 0; i < 129; ++i)
    ASSERT_TRUE(b.mtl->allocCall());
  EXPECT_EQ(b.Set().ccalls, 129 + 64);
  b.mtl->renderCancel();
}

TEST(MVGRecordingTest, FailedGrowthOrUnknownImageDropsTheCall)
{
  Backend b;
  auto fill = Numbered(5, 0);
  std::vector<VGvertex> none;
  VGpath path = Path(fill, none, 0);
  const float bounds[4] = {0, 0, 4, 4};
  VGscissor scissor = NoScissor();
  b.mtl->renderViewport(32, 32, 1);
  b.device->SetMaxBufferLength(1024); // 4096 vertices do not fit
  VGpaint paint = SolidPaint({1, 0, 0, 1});
  b.mtl->renderFill(&paint, SourceOver(), &scissor, 1, bounds, &path, 1);
  EXPECT_EQ(b.Set().ncalls, 0);
  b.device->SetMaxBufferLength(std::size_t{1} << 28);
  paint.image = 99;
  b.mtl->renderFill(&paint, SourceOver(), &scissor, 1, bounds, &path, 1);
  b.mtl->renderStroke(&paint, SourceOver(), &scissor, 1, 2, &path, 1);
  b.mtl->renderTriangles(&paint, SourceOver(), &scissor, fill.data(), 3, 1);
  EXPECT_EQ(b.Set().ncalls, 0);
  EXPECT_EQ(b.Set().nverts, 0);
  EXPECT_EQ(b.Set().nuniforms, 0);
  b.mtl->renderCancel();
}

TEST(MVGRecordingTest, ConcavePathLayout)
{
  Backend b;
  auto fill = Numbered(5, 100), stroke = Numbered(6, 200);
  VGpath path = Path(fill, stroke, 0);
  const float bounds[4] = {1, 2, 30, 40};
  VGpaint paint = SolidPaint({1, 0, 0, 1});
  VGscissor scissor = NoScissor();
  b.mtl->renderViewport(32, 32, 1);
  b.mtl->renderFill(&paint, SourceOver(), &scissor, 0.5f, bounds, &path, 1);
  ASSERT_EQ(b.Set().ncalls, 1);
  const MVGcall& c = b.Call(0);
  // 5 fill vertices, the 4-vertex cover quad, then 6 + 2 strip vertices.
  EXPECT_EQ(c.kind, MVG_FILL);
  EXPECT_EQ(c.triangleOffset, 5);
  EXPECT_EQ(c.triangleCount, 4);
  EXPECT_EQ(c.indexOffset, 0);
  EXPECT_EQ(c.indexCount, 9);
  EXPECT_EQ(c.stripOffset, 10);
  EXPECT_EQ(c.stripCount, 6);
  EXPECT_EQ(c.uniformOffset, 0);
  EXPECT_EQ(b.Set().nverts, 17);
  const std::vector<std::uint32_t> fan(b.Set().indexes, b.Set().indexes + 9);
  EXPECT_EQ(fan, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4}));
  const VGvertex* v = b.Set().verts;
  EXPECT_EQ(v[4].x, 104);
  const float quad[4][2] = {{30, 40}, {30, 2}, {1, 40}, {1, 2}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(v[5 + i].x, quad[i][0]);
    EXPECT_EQ(v[5 + i].y, quad[i][1]);
    EXPECT_EQ(v[5 + i].u, 0.5f);
    EXPECT_EQ(v[5 + i].v, 1.0f);
  }
  const float strip[8] = {200, 200, 201, 202, 203, 204, 205, 205};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(v[9 + i].x, strip[i]) << i;
  EXPECT_EQ(b.Uniforms(0).strokeMultiplier, 1.0f); // (fringe + fringe) / 2 / fringe
  EXPECT_EQ(b.Uniforms(0).strokeThreshold, -1.0f);
  b.mtl->renderCancel();
}

TEST(MVGRecordingTest, ConvexPathHasNoCoverQuadUnlessThereAreTwo)
{
  Backend b;
  auto fill = Numbered(4, 0), stroke = Numbered(10, 50), fill2 = Numbered(3, 10);
  std::vector<VGvertex> none;
  VGpath paths[2] = {Path(fill, stroke, 1), Path(fill2, none, 1)};
  const float bounds[4] = {0, 0, 4, 4};
  VGpaint paint = SolidPaint({0, 0, 1, 1});
  VGscissor scissor = NoScissor();
  b.mtl->renderViewport(32, 32, 1);
  b.mtl->renderFill(&paint, SourceOver(), &scissor, 1, bounds, paths, 1);
  b.mtl->renderFill(&paint, SourceOver(), &scissor, 1, bounds, paths, 2);
  ASSERT_EQ(b.Set().ncalls, 2);
  const MVGcall& one = b.Call(0);
  EXPECT_EQ(one.kind, MVG_CONVEXFILL);
  EXPECT_EQ(one.triangleCount, 0);
  EXPECT_EQ(one.indexCount, 6);
  EXPECT_EQ(one.stripOffset, 5); // 4 fill vertices, then the repeated first strip vertex
  EXPECT_EQ(one.stripCount, 10);
  const MVGcall& two = b.Call(1);
  EXPECT_EQ(two.kind, MVG_FILL);
  EXPECT_EQ(two.triangleOffset, 16 + 7); // after the first call's 16 and this call's 7 fill vertices
  EXPECT_EQ(two.indexOffset, 6);
  EXPECT_EQ(two.indexCount, 9);
  EXPECT_EQ(b.Set().indexes[6 + 6], 16u + 4) << "second path's fan starts at its own first vertex";
  EXPECT_EQ(two.uniformOffset, 256);
  b.mtl->renderCancel();
}

TEST(MVGRecordingTest, StencilledStrokeUsesTwoSlots)
{
  Backend b(VG_ANTIALIAS | VG_STENCIL_STROKES);
  auto fill = Numbered(4, 0), stroke = Numbered(6, 10);
  VGpath path = Path(fill, stroke, 1);
  VGpaint paint = SolidPaint({1, 1, 1, 0.5f});
  VGscissor scissor = NoScissor();
  b.mtl->renderViewport(32, 32, 1);
  b.mtl->renderStroke(&paint, SourceOver(), &scissor, 0.5f, 3.0f, &path, 1);
  const MVGcall& c = b.Call(0);
  EXPECT_EQ(c.kind, MVG_STROKE);
  EXPECT_EQ(c.stripOffset, 1); // written from the start of the allocation
  EXPECT_EQ(c.stripCount, 6);
  EXPECT_EQ(b.Set().nverts, 4 + 8);
  EXPECT_EQ(b.Set().nuniforms, 2);
  EXPECT_EQ(b.Uniforms(0).strokeThreshold, -1.0f);
  EXPECT_EQ(b.Uniforms(256).strokeThreshold, 0.99803919f);
  EXPECT_EQ(b.Uniforms(256).strokeMultiplier, 3.5f); // (3 + 0.5) * 0.5 / 0.5
  const float premul[4] = {0.5f, 0.5f, 0.5f, 0.5f};
  EXPECT_EQ(0, std::memcmp(b.Uniforms(0).innerColor, premul, sizeof premul));
  b.mtl->renderCancel();
}

// Element-wise comparison (0 equals -0).
::testing::AssertionResult SameFloats(const float* actual, std::initializer_list<float> expect)
{
  int i = 0;
  for (float e : expect) {
    if (actual[i] != e)
      return ::testing::AssertionFailure() << "element " << i << ": " << actual[i] << " != " << e;
    ++i;
  }
  return ::testing::AssertionSuccess();
}

TEST(MVGRecordingTest, ScissorAndPaintMatrices)
{
  Backend b;
  b.mtl->renderViewport(32, 32, 1);
  b.mtl->allocFragUniforms(1);
  MVGfragUniforms& u = b.Uniforms(0);
  VGpaint paint = SolidPaint({1, 1, 1, 1});
  VGscissor none = NoScissor();
  std::memset(paint.xform, 0, sizeof paint.xform); // degenerate: inverse falls back to identity
  ASSERT_EQ(b.mtl->convertPaintForFrag(&u, &paint, &none, 1, 1, -1), 1);
  EXPECT_TRUE(SameFloats(u.scissorMatrix, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(SameFloats(u.paintMatrix, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}));
  EXPECT_EQ(u.scissorExtent[0], 1.0f);
  EXPECT_EQ(u.scissorScale[1], 1.0f);

  VGscissor s{{2, 0, 0, 2, 10, 20}, {5, 6}};
  ASSERT_EQ(b.mtl->convertPaintForFrag(&u, &paint, &s, 1, 0.5f, -1), 1);
  EXPECT_TRUE(SameFloats(u.scissorMatrix, {0.5f, 0, 0, 0, 0, 0.5f, 0, 0, -5, -10, 1, 0}));
  EXPECT_EQ(u.scissorExtent[1], 6.0f);
  EXPECT_EQ(u.scissorScale[0], 4.0f); // sqrt(2^2 + 0^2) / 0.5

  const int image = b.mtl->renderCreateTexture(VG_TEXTURE_RGBA, 4, 4, VG_IMAGE_FLIPY, nullptr);
  paint = SolidPaint({1, 1, 1, 1});
  paint.image = image;
  paint.extent[1] = 8;
  ASSERT_EQ(b.mtl->convertPaintForFrag(&u, &paint, &none, 1, 1, -1), 1);
  EXPECT_TRUE(SameFloats(u.paintMatrix, {1, 0, 0, 0, 0, -1, 0, 0, 0, 8, 1, 0})); // v mirrored in the extent
  EXPECT_EQ(u.shaderKind, MVGshaderKind::FillImage);
  EXPECT_EQ(u.textureKind, MVGtextureKind::StraightRGBA);
  b.mtl->renderCancel();
}

TEST(MVGRecordingTest, TexturesRefuseBadRegionsAndNeverReuseIds)
{
  Backend b;
  const int alpha = b.mtl->renderCreateTexture(VG_TEXTURE_ALPHA, 64, 8, 0, nullptr);
  ASSERT_EQ(alpha, 1);
  std::vector<unsigned char> data(64 * 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 64; ++x)
      data[y * 64 + x] = static_cast<unsigned char>(y * 16 + (x & 15));
  ASSERT_EQ(b.mtl->renderUpdateTexture(alpha, 8, 2, 4, 4, data.data()), 1);
  const auto* texels = b.mtl->findTexture(alpha)->tex->LevelBytes(0);
  EXPECT_EQ(texels[2 * 64 + 8], data[2 * 64 + 8]);
  EXPECT_EQ(texels[5 * 64 + 11], data[5 * 64 + 11]);
  EXPECT_EQ(texels[5 * 64 + 12], 0) << "outside the region";
  const struct
  {
    int x, y, w, h;
  } bad[] = {{61, 0, 4, 1}, {0, 7, 1, 2}, {-1, 0, 1, 1}, {0, 0, 0, 1}, {0, 0, 1, -2}};
  for (const auto& r : bad)
    EXPECT_EQ(b.mtl->renderUpdateTexture(alpha, r.x, r.y, r.w, r.h, data.data()), 0);
  EXPECT_EQ(b.mtl->renderCreateTexture(VG_TEXTURE_RGBA, 0, 4, 0, nullptr), 0);
  EXPECT_EQ(b.mtl->renderCreateTexture(VG_TEXTURE_RGBA, 4, -1, 0, nullptr), 0);

  int w = -5, h = -5;
  EXPECT_EQ(b.mtl->renderGetTextureSize(7, &w, &h), 0);
  EXPECT_EQ(w, -5);
  EXPECT_EQ(b.mtl->renderGetTextureSize(alpha, &w, &h), 1);
  EXPECT_EQ(w, 64);
  const int kept = b.mtl->renderCreateTexture(VG_TEXTURE_RGBA, 2, 2, VG_IMAGE_NODELETE, nullptr);
  auto keptTexture = b.mtl->findTexture(kept)->tex;
  EXPECT_EQ(b.mtl->renderDeleteTexture(alpha), 1);
  EXPECT_EQ(b.mtl->renderDeleteTexture(alpha), 0);
  EXPECT_EQ(b.mtl->renderDeleteTexture(kept), 1);
  EXPECT_EQ(keptTexture.use_count(), 2) << "the record keeps a no-delete texture";
  EXPECT_EQ(b.mtl->renderCreateTexture(VG_TEXTURE_RGBA, 2, 2, 0, nullptr), 3);
  EXPECT_EQ(b.mtl->textures.size(), 2u) << "the freed record is reused";
}

TEST(MVGRecordingTest, FramebufferFunctions)
{
  Backend b;
  mvgClearWithColor(b.ctx.get(), VGcolor{1, 1, 1, 0.5f});
  EXPECT_TRUE(b.mtl->clearBufferOnFlush);
  EXPECT_EQ(b.mtl->clearColor.red, 0.5);
  EXPECT_EQ(b.mtl->clearColor.alpha, 0.5);

  MVGframebuffer* fb = mvgCreateFramebuffer(b.ctx.get(), 8, 4, 0);
  ASSERT_TRUE(fb);
  EXPECT_EQ(b.mtl->findTexture(fb->image)->flags, VG_IMAGE_PREMULTIPLIED);
  mvgBindFramebuffer(fb);
  mvgDeleteFramebuffer(fb);
  EXPECT_EQ(mvgBoundFramebuffer(), nullptr) << "deleting the bound framebuffer unbinds it";
  EXPECT_EQ(b.mtl->textures[0]->id, 0);
  mvgDeleteFramebuffer(nullptr);
  MVGframebuffer* empty = mvgCreateFramebuffer(b.ctx.get(), 0, 4, 0);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->image, 0);
  mvgDeleteFramebuffer(empty);

  EXPECT_EQ(mvgDevice(b.ctx.get()), b.device);
  EXPECT_EQ(mvgCommandQueue(b.ctx.get()), b.mtl->commandQueue);
  const int wrapped = mvgCreateImageFromHandle(b.ctx.get(), b.mtl->pseudoTexture, 0);
  EXPECT_EQ(wrapped, 0) << "no texture";
  unsigned char px[4];
  EXPECT_EQ(mvgReadPixels(b.ctx.get(), 42, 0, 0, 1, 1, px), 0);
  EXPECT_FALSE(mvgImageHandle(b.ctx.get(), 42));
}

TEST(MVGRecordingTest, LibraryDataThatIsNotOursFailsCreation)
{
  static const unsigned char foreign[] = {'M', 'T', 'L', 'B', 0, 0, 0, 0};
  auto layer = plugin::sys::GpuLayer::Create();
  MVGcontext_vKelmo_vst3 mtl;
  mtl.metalLayer = layer;
  mtl.shaderLibrary = foreign;
  mtl.shaderLibrarySize = sizeof foreign;
  EXPECT_EQ(mtl.renderCreate(), 0);
  EXPECT_TRUE(layer->Device()) << "the layer got the system device";
  EXPECT_FALSE(mtl.commandQueue);
  mtl.renderDelete();
  EXPECT_FALSE(layer->Device());
}

} // namespace
