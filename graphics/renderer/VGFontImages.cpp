#include "graphics/renderer/VGFontImages.h"

#include "graphics/renderer/VGContext.h"

namespace {

void ImageSize(VGcontext* ctx, int image, int* w, int* h)
{
  *w = 0;
  *h = 0;
  ctx->params.renderGetTextureSize(ctx->params.userPtr, image, w, h);
}

} // namespace

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
