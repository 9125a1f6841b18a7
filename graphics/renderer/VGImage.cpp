#include "graphics/renderer/VGImage.h"

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGImageDecoder.h"

namespace {

int CreateFromDecoded(VGcontext* ctx, unsigned char* pixels, int w, int h, int imageFlags)
{
  if (pixels == nullptr) return 0;
  const int image = vgCreateImageRGBA(ctx, w, h, imageFlags, pixels);
  vgFreeDecodedImage(pixels);
  return image;
}

} // namespace

int vgCreateImage(VGcontext* ctx, const char* filename, int imageFlags)
{
  int w = 0, h = 0;
  unsigned char* pixels = vgDecodeImageFile(filename, &w, &h);
  return CreateFromDecoded(ctx, pixels, w, h, imageFlags);
}

int vgCreateImageMem(VGcontext* ctx, int imageFlags, unsigned char* data, int ndata)
{
  int w = 0, h = 0;
  unsigned char* pixels = vgDecodeImageMemory(data, ndata, &w, &h);
  return CreateFromDecoded(ctx, pixels, w, h, imageFlags);
}

int vgCreateImageRGBA(VGcontext* ctx, int w, int h, int imageFlags, const unsigned char* data)
{
  if (w < 1 || h < 1) return 0;
  return ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_RGBA, w, h, imageFlags, data);
}

void vgUpdateImage(VGcontext* ctx, int image, const unsigned char* data)
{
  if (image == 0 || data == nullptr) return;
  int w = 0, h = 0;
  if (!ctx->params.renderGetTextureSize(ctx->params.userPtr, image, &w, &h)) return;
  ctx->params.renderUpdateTexture(ctx->params.userPtr, image, 0, 0, w, h, data);
}

void vgImageSize(VGcontext* ctx, int image, int* w, int* h)
{
  int iw = 0, ih = 0;
  if (image != 0 && !ctx->params.renderGetTextureSize(ctx->params.userPtr, image, &iw, &ih)) iw = ih = 0;
  if (w != nullptr) *w = iw;
  if (h != nullptr) *h = ih;
}

void vgDeleteImage(VGcontext* ctx, int image)
{
  if (image == 0) return;
  ctx->params.renderDeleteTexture(ctx->params.userPtr, image);
}
