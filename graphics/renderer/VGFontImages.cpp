#include "graphics/renderer/VGFontImages.h"

#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTText.h"
#include "graphics/renderer/VGContext.h"

namespace {

void ImageSize(VGcontext* ctx, int image, int* w, int* h)
{
  *w = 0;
  *h = 0;
  ctx->params.renderGetTextureSize(ctx->params.userPtr, image, w, h);
}

constexpr int kMaxFontImageSize = 2048;

} // namespace

void vgFlushTextTexture(VGcontext* ctx)
{
  int dirty[4];
  if (!fntValidateTexture(ctx->fs, dirty)) return;
  const int image = ctx->fontImages[ctx->fontImageIdx];
  if (image == 0) return;
  int iw = 0, ih = 0;
  const unsigned char* data = fntGetTextureData(ctx->fs, &iw, &ih);
  ctx->params.renderUpdateTexture(ctx->params.userPtr, image, dirty[0], dirty[1], dirty[2] - dirty[0],
                                  dirty[3] - dirty[1], data);
}

int vgAllocTextAtlas(VGcontext* ctx)
{
  vgFlushTextTexture(ctx);
  if (ctx->fontImageIdx >= kVGMaxFontImages - 1) return 0;
  const int next = ctx->fontImageIdx + 1;
  int iw = 0, ih = 0;
  if (ctx->fontImages[next] != 0) {
    ImageSize(ctx, ctx->fontImages[next], &iw, &ih);
  } else {
    ImageSize(ctx, ctx->fontImages[ctx->fontImageIdx], &iw, &ih);
    if (iw <= ih)
      iw *= 2;
    else
      ih *= 2;
    if (iw > kMaxFontImageSize || ih > kMaxFontImageSize) iw = ih = kMaxFontImageSize;
    if (iw < 1 || ih < 1) return 0;
    ctx->fontImages[next] =
        ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_ALPHA, iw, ih, 0, nullptr);
    if (ctx->fontImages[next] == 0) return 0;
  }
  if (!fntResetAtlas(ctx->fs, iw, ih)) return 0;
  ctx->fontImageIdx = next;
  return 1;
}

void vgCompactFontImages(VGcontext* ctx)
{
  if (ctx->fontImageIdx <= 0 || ctx->fontImageIdx >= kVGMaxFontImages) return;
  const int fontImage = ctx->fontImages[ctx->fontImageIdx];
  if (fontImage == 0) return;
  ctx->fontImages[ctx->fontImageIdx] = 0;
  int iw = 0, ih = 0;
  ImageSize(ctx, fontImage, &iw, &ih);

  // Images at least as large as the one in use stay for later growth; smaller ones go. Slots
  // beyond the one in use (left from an earlier compaction) are judged alike, so no image is
  // dropped without being deleted.
  int kept[kVGMaxFontImages];
  int nkept = 0;
  for (int i = 0; i < kVGMaxFontImages; ++i) {
    const int image = ctx->fontImages[i];
    ctx->fontImages[i] = 0;
    if (image == 0) continue;
    int nw = 0, nh = 0;
    ImageSize(ctx, image, &nw, &nh);
    if (nw < iw || nh < ih)
      ctx->params.renderDeleteTexture(ctx->params.userPtr, image);
    else
      kept[nkept++] = image;
  }

  // The image in use takes slot 0; the first kept image moves behind the other kept ones.
  ctx->fontImages[0] = fontImage;
  for (int i = 1; i < nkept; ++i)
    ctx->fontImages[i] = kept[i];
  if (nkept > 0) ctx->fontImages[nkept] = kept[0];
  ctx->fontImageIdx = 0;
}
