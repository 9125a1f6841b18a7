#include "graphics/renderer/FNTContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/FNTAtlas.h"
#include "graphics/renderer/FNTFont.h"

FNTcontext* fntCreateInternal(const FNTparams* params)
{
  if (params == nullptr || params->width < 1 || params->height < 1 || params->width > FNT_MAX_ATLAS_SIDE ||
      params->height > FNT_MAX_ATLAS_SIDE)
    return nullptr;
  FNTcontext* ctx = static_cast<FNTcontext*>(std::calloc(1, sizeof(FNTcontext)));
  if (ctx == nullptr) return nullptr;
  ctx->params = *params;

  ctx->scratch = static_cast<unsigned char*>(std::malloc(FNT_SCRATCH_BUF_SIZE));
  if (ctx->scratch == nullptr) goto error;
  if (ctx->params.renderCreate != nullptr &&
      ctx->params.renderCreate(ctx->params.userPtr, ctx->params.width, ctx->params.height) == 0)
    goto error;

  ctx->atlas = fntAllocAtlas(ctx->params.width, ctx->params.height, FNT_INIT_ATLAS_NODES);
  if (ctx->atlas == nullptr) goto error;

  ctx->fonts = static_cast<FNTfont**>(std::calloc(FNT_INIT_FONTS, sizeof(FNTfont*)));
  if (ctx->fonts == nullptr) goto error;
  ctx->cfonts = FNT_INIT_FONTS;
  ctx->nfonts = 0;

  ctx->itw = 1.0f / ctx->params.width;
  ctx->ith = 1.0f / ctx->params.height;
  ctx->texData =
      static_cast<unsigned char*>(std::calloc((size_t)ctx->params.width, (size_t)ctx->params.height));
  if (ctx->texData == nullptr) goto error;
  fntMarkClean(ctx);

  fntAddWhiteRect(ctx, 2, 2);

  ctx->nstates = 1;
  fntClearState(ctx);
  return ctx;

error:
  fntDeleteInternal(ctx);
  return nullptr;
}

void fntDeleteInternal(FNTcontext* ctx)
{
  if (ctx == nullptr) return;
  if (ctx->params.renderDelete != nullptr) ctx->params.renderDelete(ctx->params.userPtr);
  for (int i = 0; i < ctx->nfonts; ++i)
    fntFreeFont(ctx->fonts[i]);
  fntDeleteAtlas(ctx->atlas);
  std::free(ctx->fonts);
  std::free(ctx->texData);
  std::free(ctx->scratch);
  std::free(ctx);
}

void fntSetErrorCallback(FNTcontext* ctx, void (*callback)(void* uptr, int error, int val), void* uptr)
{
  if (ctx == nullptr) return;
  ctx->handleError = callback;
  ctx->errorUptr = uptr;
}

const unsigned char* fntGetTextureData(FNTcontext* ctx, int* width, int* height)
{
  if (width != nullptr) *width = ctx->params.width;
  if (height != nullptr) *height = ctx->params.height;
  return ctx->texData;
}

int fntValidateTexture(FNTcontext* ctx, int* dirty)
{
  if (ctx->dirtyRect[0] < ctx->dirtyRect[2] && ctx->dirtyRect[1] < ctx->dirtyRect[3]) {
    std::memcpy(dirty, ctx->dirtyRect, sizeof(ctx->dirtyRect));
    fntMarkClean(ctx);
    return 1;
  }
  return 0;
}

void fntGetAtlasSize(FNTcontext* ctx, int* width, int* height)
{
  if (width != nullptr) *width = ctx->params.width;
  if (height != nullptr) *height = ctx->params.height;
}

void fntMarkDirty(FNTcontext* ctx, int x0, int y0, int x1, int y1)
{
  ctx->dirtyRect[0] = std::min(ctx->dirtyRect[0], x0);
  ctx->dirtyRect[1] = std::min(ctx->dirtyRect[1], y0);
  ctx->dirtyRect[2] = std::max(ctx->dirtyRect[2], x1);
  ctx->dirtyRect[3] = std::max(ctx->dirtyRect[3], y1);
}

void fntPushState(FNTcontext* ctx)
{
  if (ctx->nstates >= FNT_MAX_STATES) {
    if (ctx->handleError != nullptr) ctx->handleError(ctx->errorUptr, FNT_STATES_OVERFLOW, 0);
    return;
  }
  if (ctx->nstates > 0) ctx->states[ctx->nstates] = ctx->states[ctx->nstates - 1];
  ctx->nstates++;
}

void fntPopState(FNTcontext* ctx)
{
  if (ctx->nstates <= 1) {
    if (ctx->handleError != nullptr) ctx->handleError(ctx->errorUptr, FNT_STATES_UNDERFLOW, 0);
    return;
  }
  ctx->nstates--;
}

void fntClearState(FNTcontext* ctx)
{
  FNTstate* state = fntGetState(ctx);
  state->size = 12.0f;
  state->color = 0xffffffff;
  state->font = 0;
  state->blur = 0;
  state->spacing = 0;
  state->align = FNT_ALIGN_LEFT | FNT_ALIGN_BASELINE;
}

FNTstate* fntGetState(FNTcontext* ctx)
{
  return &ctx->states[ctx->nstates - 1];
}

void fntSetSize(FNTcontext* ctx, float size)
{
  if (std::isfinite(size)) fntGetState(ctx)->size = size;
}

void fntSetColor(FNTcontext* ctx, unsigned int color)
{
  fntGetState(ctx)->color = color;
}

void fntSetSpacing(FNTcontext* ctx, float spacing)
{
  if (std::isfinite(spacing)) fntGetState(ctx)->spacing = spacing;
}

void fntSetBlur(FNTcontext* ctx, float blur)
{
  if (std::isfinite(blur)) fntGetState(ctx)->blur = blur;
}

void fntSetAlign(FNTcontext* ctx, int align)
{
  fntGetState(ctx)->align = align;
}

void fntSetFont(FNTcontext* ctx, int font)
{
  fntGetState(ctx)->font = font;
}

void fntAddWhiteRect(FNTcontext* ctx, int w, int h)
{
  int gx = 0, gy = 0;
  if (!fntAtlasAddRect(ctx->atlas, w, h, &gx, &gy)) return;
  unsigned char* dst = &ctx->texData[gx + gy * ctx->params.width];
  for (int y = 0; y < h; ++y)
    std::memset(dst + y * ctx->params.width, 0xff, (size_t)w);
  fntMarkDirty(ctx, gx, gy, gx + w, gy + h);
}

void fntMarkClean(FNTcontext* ctx)
{
  ctx->dirtyRect[0] = ctx->params.width;
  ctx->dirtyRect[1] = ctx->params.height;
  ctx->dirtyRect[2] = 0;
  ctx->dirtyRect[3] = 0;
}

void fntFlush(FNTcontext* ctx)
{
  if (ctx->dirtyRect[0] < ctx->dirtyRect[2] && ctx->dirtyRect[1] < ctx->dirtyRect[3]) {
    if (ctx->params.renderUpdate != nullptr)
      ctx->params.renderUpdate(ctx->params.userPtr, ctx->dirtyRect, ctx->texData);
    fntMarkClean(ctx);
  }
  if (ctx->nverts > 0) {
    if (ctx->params.renderDraw != nullptr)
      ctx->params.renderDraw(ctx->params.userPtr, ctx->verts, ctx->tcoords, ctx->colors, ctx->nverts);
    ctx->nverts = 0;
  }
}
