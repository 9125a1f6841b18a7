// The font rasteriser's implementation, kept private to this unit (static functions). Its
// memory comes from the atlas's scratch buffer; its internal assertions are off, since every
// font it sees has been checked before.
#include <cstddef>

#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTTypes.h"

void* fntScratchAlloc(size_t size, void* ctx);

#define STBTT_STATIC
#define STBTT_malloc(x, u) fntScratchAlloc((x), (u))
#define STBTT_free(x, u) ((void)(x), (void)(u))
#define STBTT_assert(x) ((void)0)
#define STB_TRUETYPE_IMPLEMENTATION
#include "graphics/renderer/FNTStbTrueType.h"

namespace {

size_t Round16(size_t n)
{
  return (n + 0xf) & ~(size_t)0xf;
}

void ReportScratchFull(FNTcontext* ctx, size_t needed)
{
  if (ctx->handleError != nullptr) ctx->handleError(ctx->errorUptr, FNT_SCRATCH_FULL, (int)needed);
}

} // namespace

void* fntScratchAlloc(size_t size, void* up)
{
  FNTcontext* ctx = static_cast<FNTcontext*>(up);
  size = Round16(size);
  if (size > (size_t)FNT_SCRATCH_BUF_SIZE || (size_t)ctx->nscratch + size > (size_t)FNT_SCRATCH_BUF_SIZE) {
    ReportScratchFull(ctx, (size_t)ctx->nscratch + size);
    return nullptr;
  }
  unsigned char* ptr = ctx->scratch + ctx->nscratch;
  ctx->nscratch += (int)size;
  return ptr;
}

int fntStbFontOffset(const unsigned char* data, int index)
{
  return stbtt_GetFontOffsetForIndex(data, index);
}

int fntStbInitFont(stbtt_fontinfo* info, unsigned char* data, int offset, FNTcontext* ctx)
{
  info->userdata = ctx;
  if (!stbtt_InitFont(info, data, offset)) return 0;
  info->userdata = ctx;
  return 1;
}

int fntStbFindGlyphIndex(const stbtt_fontinfo* info, int codepoint)
{
  const int glyph = stbtt_FindGlyphIndex(info, codepoint);
  return glyph < 0 ? 0 : glyph;
}

int fntStbGetGlyphBox(const stbtt_fontinfo* info, int glyph, int* x0, int* y0, int* x1, int* y1)
{
  return stbtt_GetGlyphBox(info, glyph, x0, y0, x1, y1);
}

int fntStbRenderGlyph(FNTcontext* ctx, const stbtt_fontinfo* info, unsigned char* out, int w, int h,
                      int stride, float scale, int glyph)
{
  // The rasteriser does not check its scanline allocation: measure its needs by flattening
  // the outline first, exactly as it will, and render only when everything fits.
  ctx->nscratch = 0;
  stbtt_vertex* vertices = nullptr;
  const int nverts = stbtt_GetGlyphShape(info, glyph, &vertices);
  int* lengths = nullptr;
  int nwindings = 0;
  const stbtt__point* points =
      nverts > 0 ? stbtt_FlattenCurves(vertices, nverts, 0.35f / scale, &lengths, &nwindings, ctx) : nullptr;
  size_t needed = (size_t)ctx->nscratch;
  if (points != nullptr) {
    size_t npoints = 0;
    for (int i = 0; i < nwindings; ++i)
      npoints += (size_t)lengths[i];
    needed += Round16(sizeof(stbtt__edge) * (npoints + 1));
    if (w > 64) needed += Round16(((size_t)w * 2 + 1) * sizeof(float));
  }
  ctx->nscratch = 0;
  if (needed > (size_t)FNT_SCRATCH_BUF_SIZE) {
    ReportScratchFull(ctx, needed);
    return 0;
  }
  stbtt_MakeGlyphBitmapSubpixel(info, out, w, h, stride, scale, scale, 0.0f, 0.0f, glyph);
  ctx->nscratch = 0;
  return 1;
}
