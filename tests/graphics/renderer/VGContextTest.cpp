// Context creation and deletion, frames and their tolerances, over the recording backend.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/FNTTypes.h"
#include "tests/graphics/renderer/VGTestSupport.h"

using testsupport::RecordingBackend;
using Log = std::vector<std::string>;

TEST(VGContext, CreationMakesTheBackendAndOneAlphaFontImage)
{
  RecordingBackend backend;
  const VGparams params = backend.Params();
  VGcontext* ctx = vgCreateContext(&params);
  ASSERT_NE(ctx, nullptr);
  EXPECT_EQ(backend.log, (Log{"create", "createTexture"}));
  ASSERT_EQ(backend.textures.size(), 1u);
  const testsupport::RecordedTexture& tex = backend.textures.begin()->second;
  EXPECT_EQ(tex.type, VG_TEXTURE_ALPHA);
  EXPECT_EQ(tex.w, 512);
  EXPECT_EQ(tex.h, 512);
  EXPECT_EQ(tex.flags, 0);
  EXPECT_FALSE(tex.createdWithData);
  EXPECT_EQ(ctx->fontImages[0], backend.textures.begin()->first);
  EXPECT_EQ(ctx->fontImageIdx, 0);
  EXPECT_EQ(ctx->nstates, 1);
  EXPECT_EQ(ctx->ccommands, 256);
  EXPECT_EQ(ctx->cache->cpoints, 128);
  EXPECT_EQ(ctx->cache->cpaths, 16);
  EXPECT_EQ(ctx->cache->cverts, 256);
  EXPECT_TRUE(vgtest::SameFloats(&ctx->tessTol, {0.25f, 0.01f, 1.0f, 1.0f}));

  vgDeleteContext(ctx);
  EXPECT_EQ(backend.log, (Log{"create", "createTexture", "deleteTexture", "delete"}));
  EXPECT_TRUE(backend.textures.empty());
}

TEST(VGContext, FailedCreationReleasesEverythingMadeSoFar)
{
  // The sanitizer build checks that nothing of the core leaks on these paths.
  struct Case
  {
    const char* what;
    bool failCreate;
    int failTexturesFrom;
    Log log;
  };
  const Case cases[] = {
      {"backend refuses", true, -1, {"create", "delete"}},
      {"font image refused", false, 0, {"create", "createTexture", "delete"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingBackend backend;
    backend.FailCreate(c.failCreate);
    backend.FailTexturesFrom(c.failTexturesFrom);
    const VGparams params = backend.Params();
    EXPECT_EQ(vgCreateContext(&params), nullptr);
    EXPECT_EQ(backend.log, c.log);
    EXPECT_TRUE(backend.backendDeleted);
    EXPECT_TRUE(backend.textures.empty());
  }
}

TEST(VGContext, ParameterBlockWithoutARequiredCallbackIsRefused)
{
  EXPECT_EQ(vgCreateContext(nullptr), nullptr);
  RecordingBackend backend;
  VGparams params = backend.Params();
  params.renderTriangles = nullptr;
  EXPECT_EQ(vgCreateContext(&params), nullptr);
  EXPECT_TRUE(backend.log.empty());

  // Only renderDelete may be absent.
  params = backend.Params();
  params.renderDelete = nullptr;
  VGcontext* ctx = vgCreateContext(&params);
  ASSERT_NE(ctx, nullptr);
  vgDeleteContext(ctx);
  EXPECT_FALSE(backend.backendDeleted);
  EXPECT_TRUE(backend.textures.empty());
  vgDeleteContext(nullptr);
}

TEST(VGContext, FrameRatioSetsTolerancesAndReachesTheViewport)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case
  {
    float w, h, ratio;
    float sentW, sentH, usedRatio;
  };
  const Case cases[] = {
      {800, 600, 1, 800, 600, 1},   {800, 600, 2, 800, 600, 2},      {640, 480, 4, 640, 480, 4},
      {800, 600, 0, 800, 600, 1},   {800, 600, -2, 800, 600, 1},     {800, 600, nan, 800, 600, 1},
      {800, 600, inf, 800, 600, 1}, {800, 600, 1000, 800, 600, 100}, {800, 600, 1e-6f, 800, 600, 0.01f},
      {nan, -5, 1, 0, 0, 1},        {inf, 600, 1, 0, 600, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " @" << c.ratio);
    vgtest::Context ctx(true, c.ratio);
    ASSERT_NE(ctx.ctx, nullptr);
    const testsupport::RecordedViewport& vp = ctx.backend.viewports.back();
    EXPECT_FLOAT_EQ(vp.ratio, c.usedRatio);
    vgBeginFrame(ctx, c.w, c.h, c.ratio);
    const testsupport::RecordedViewport& vp2 = ctx.backend.viewports.back();
    EXPECT_EQ(vp2.width, c.sentW);
    EXPECT_EQ(vp2.height, c.sentH);
    EXPECT_FLOAT_EQ(vp2.ratio, c.usedRatio);
    EXPECT_FLOAT_EQ(ctx->tessTol, 0.25f / c.usedRatio);
    EXPECT_FLOAT_EQ(ctx->distTol, 0.01f / c.usedRatio);
    EXPECT_FLOAT_EQ(ctx->fringeWidth, 1.0f / c.usedRatio);
    EXPECT_FLOAT_EQ(ctx->devicePxRatio, c.usedRatio);
  }
}

TEST(VGContext, BeginFrameResetsTheStackAndStatistics)
{
  vgtest::Context ctx;
  vgSave(ctx);
  vgSave(ctx);
  vgStrokeWidth(ctx, 7);
  vgRect(ctx, 0, 0, 10, 10);
  vgFill(ctx);
  vgStroke(ctx);
  EXPECT_EQ(ctx->drawCallCount, 3);
  EXPECT_GT(ctx->fillTriCount, 0);
  EXPECT_GT(ctx->strokeTriCount, 0);

  vgBeginFrame(ctx, 100, 100, 1);
  EXPECT_EQ(ctx->nstates, 1);
  EXPECT_EQ(vgCurrentState(ctx)->strokeWidth, 1.0f);
  EXPECT_EQ(ctx->drawCallCount, 0);
  EXPECT_EQ(ctx->fillTriCount, 0);
  EXPECT_EQ(ctx->strokeTriCount, 0);
  EXPECT_EQ(ctx->textTriCount, 0);
}

TEST(VGContext, EndFrameWithTheFirstFontImageOnlyFlushes)
{
  vgtest::Context ctx;
  ctx.backend.log.clear();
  vgEndFrame(ctx);
  EXPECT_EQ(ctx.backend.log, (Log{"flush"}));
  vgCancelFrame(ctx);
  EXPECT_EQ(ctx.backend.log, (Log{"flush", "cancel"}));
}

TEST(VGContext, FontAtlasStartsWithTheWhiteBlockInItsCorner)
{
  vgtest::Context ctx;
  const FNTatlas* atlas = ctx->fs->atlas;
  ASSERT_EQ(atlas->nnodes, 2);
  EXPECT_EQ(atlas->nodes[0].x, 0);
  EXPECT_EQ(atlas->nodes[0].y, 2);
  EXPECT_EQ(atlas->nodes[0].width, 2);
  EXPECT_EQ(atlas->nodes[1].x, 2);
  EXPECT_EQ(atlas->nodes[1].y, 0);
  EXPECT_EQ(atlas->nodes[1].width, 510);
  EXPECT_EQ(ctx->fs->params.flags, FNT_ZERO_TOPLEFT);
  const unsigned char* px = ctx->fs->texData;
  EXPECT_EQ(px[0] & px[1] & px[512] & px[513], 0xff);
  EXPECT_EQ(px[2] | px[514] | px[1024], 0);
  EXPECT_TRUE(vgtest::SameFloats(&ctx->fs->itw, {1.0f / 512, 1.0f / 512}));
  const int dirty[4] = {0, 0, 2, 2};
  EXPECT_EQ(std::vector<int>(ctx->fs->dirtyRect, ctx->fs->dirtyRect + 4), std::vector<int>(dirty, dirty + 4));
}
