// End-of-frame compaction of the font atlas images.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/graphics/renderer/VGTestSupport.h"

namespace {

int AlphaImage(VGcontext* ctx, int w, int h)
{
  return ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_ALPHA, w, h, 0, nullptr);
}

std::vector<int> Slots(VGcontext* ctx)
{
  return std::vector<int>(ctx->fontImages, ctx->fontImages + kVGMaxFontImages);
}

} // namespace

TEST(VGFontImages, ImageInUseMovesToSlotZeroAndSmallerOnesGo)
{
  vgtest::Context ctx;
  const int small = ctx->fontImages[0]; // 512 x 512 from creation
  const int big = AlphaImage(ctx, 1024, 1024);
  const int current = AlphaImage(ctx, 1024, 512);
  ctx->fontImages[1] = big;
  ctx->fontImages[2] = current;
  ctx->fontImageIdx = 2;
  ctx.backend.log.clear();

  vgEndFrame(ctx);
  EXPECT_EQ(ctx.backend.log.front(), "flush");
  EXPECT_EQ(Slots(ctx), (std::vector<int>{current, big, 0, 0}));
  EXPECT_EQ(ctx->fontImageIdx, 0);
  EXPECT_EQ(ctx.backend.deletedTextures, std::vector<int>{small});

  // The next end of frame has nothing to compact.
  ctx.backend.log.clear();
  vgEndFrame(ctx);
  EXPECT_EQ(ctx.backend.log, std::vector<std::string>{"flush"});
}

TEST(VGFontImages, SeveralKeptImagesAndSlotsBeyondTheOneInUse)
{
  vgtest::Context ctx;
  const int first = ctx->fontImages[0];
  vgDeleteImage(ctx, first);
  const int a = AlphaImage(ctx, 1024, 1024);
  const int current = AlphaImage(ctx, 1024, 512);
  const int smaller = AlphaImage(ctx, 512, 1024);
  const int larger = AlphaImage(ctx, 2048, 2048);
  ctx->fontImages[0] = a;
  ctx->fontImages[1] = current;
  ctx->fontImages[2] = smaller;
  ctx->fontImages[3] = larger;
  ctx->fontImageIdx = 1;

  vgEndFrame(ctx);
  // The first kept image goes behind the others; nothing is dropped without being deleted.
  EXPECT_EQ(Slots(ctx), (std::vector<int>{current, larger, a, 0}));
  EXPECT_EQ(ctx.backend.deletedTextures, (std::vector<int>{first, smaller}));
  EXPECT_EQ(ctx.backend.textures.size(), 3u);
}
