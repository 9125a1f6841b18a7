// Context creation and deletion, frames and their tolerances, over the recording backend.
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/graphics/renderer/VGTestSupport.h"

using testsupport::RecordingBackend;
using Log = std::vector<std::string>;

TEST(VGContext, LifeCycleThroughTheBackend)
{
  RecordingBackend backend;
  const VGparams params = backend.Params();
  VGcontext* ctx = vgCreateContext(&params);
  ASSERT_NE(ctx, nullptr);
  EXPECT_EQ(backend.log, (Log{"create", "createTexture"}));
  ASSERT_EQ(backend.textures.size(), 1u);
  const auto& [id, tex] = *backend.textures.begin();
  EXPECT_EQ(std::vector<int>({tex.type, tex.w, tex.h, tex.flags, tex.createdWithData}),
            std::vector<int>({VG_TEXTURE_ALPHA, 512, 512, 0, 0}));
  EXPECT_EQ(ctx->fontImages[0], id);
  EXPECT_EQ(std::vector<int>({ctx->ccommands, ctx->cache->cpoints, ctx->cache->cpaths, ctx->cache->cverts}),
            std::vector<int>({256, 128, 16, 256}));
  EXPECT_TRUE(vgtest::SameFloats(&ctx->tessTol, {0.25f, 0.01f, 1.0f, 1.0f}));

  // With the first font image in use, the end of a frame only flushes.
  vgEndFrame(ctx);
  vgCancelFrame(ctx);
  vgDeleteContext(ctx);
  EXPECT_EQ(backend.log, (Log{"create", "createTexture", "flush", "cancel", "deleteTexture", "delete"}));
  EXPECT_TRUE(backend.textures.empty());
  vgDeleteContext(nullptr);
}

TEST(VGContext, FailedCreationReleasesEverything)
{
  // The sanitizer build checks that nothing of the core leaks on these paths.
  struct Case
  {
    bool failCreate;
    int failTexturesFrom;
    bool dropCallback;
    Log log;
  };
  const Case cases[] = {
      {true, -1, false, {"create", "delete"}},
      {false, 0, false, {"create", "createTexture", "delete"}},
      {false, -1, true, {}},
  };
  for (const Case& c : cases) {
    RecordingBackend backend;
    backend.FailCreate(c.failCreate);
    backend.FailTexturesFrom(c.failTexturesFrom);
    VGparams params = backend.Params();
    if (c.dropCallback) params.renderTriangles = nullptr;
    EXPECT_EQ(vgCreateContext(&params), nullptr);
    EXPECT_EQ(backend.log, c.log);
    EXPECT_TRUE(backend.textures.empty());
  }
  EXPECT_EQ(vgCreateContext(nullptr), nullptr);
}

TEST(VGContext, FrameRatioSetsTolerancesAndReachesTheViewport)
{
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
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
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " @" << c.ratio);
    vgtest::Context ctx;
    vgSave(ctx);
    vgStrokeWidth(ctx, 7);
    ctx->drawCallCount = ctx->fillTriCount = ctx->strokeTriCount = ctx->textTriCount = 5;
    vgBeginFrame(ctx, c.w, c.h, c.ratio);
    const testsupport::RecordedViewport& vp = ctx.backend.viewports.back();
    EXPECT_TRUE(vgtest::SameFloats(&vp.width, {c.sentW, c.sentH, c.usedRatio}));
    const float r = c.usedRatio;
    EXPECT_TRUE(vgtest::SameFloats(&ctx->tessTol, {0.25f / r, 0.01f / r, 1.0f / r, r}));
    // A fresh state and statistics.
    EXPECT_EQ(ctx->nstates, 1);
    EXPECT_EQ(vgCurrentState(ctx)->strokeWidth, 1.0f);
    EXPECT_EQ(ctx->drawCallCount + ctx->fillTriCount + ctx->strokeTriCount + ctx->textTriCount, 0);
  }
}
