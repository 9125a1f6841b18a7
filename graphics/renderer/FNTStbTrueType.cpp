// The atlas's side of the font rasteriser: its memory comes from the atlas's scratch buffer,
// and a glyph is rendered only when everything the rasteriser will ask for fits there.
#include "graphics/renderer/FNTStbTrueType.h"

#include <cstddef>

#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTTypes.h"

namespace {

// The rasteriser's flatness in pixels, as its own glyph rendering uses.
constexpr float kFlatnessPixels = 0.35f;

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

int fntStbInitFont(stbtt_fontinfo* info, plugin::fonts::TrueTypeAllocator* scratch, unsigned char* data,
                   int offset, FNTcontext* ctx)
{
  *scratch = plugin::fonts::TrueTypeAllocator{fntScratchAlloc, nullptr, ctx}; // frees: the reset per glyph
  info->userdata = scratch;
  if (!stbtt_InitFont(info, data, offset)) return 0;
  info->userdata = scratch;
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
  const long points = plugin::fonts::TrueTypeFlattenedPoints(info, glyph, kFlatnessPixels / scale);
  size_t needed = (size_t)ctx->nscratch;
  if (points >= 0)
    needed +=
        Round16(plugin::fonts::TrueTypeEdgeBytes(points)) + Round16(plugin::fonts::TrueTypeScanlineBytes(w));
  ctx->nscratch = 0;
  if (needed > (size_t)FNT_SCRATCH_BUF_SIZE) {
    ReportScratchFull(ctx, needed);
    return 0;
  }
  stbtt_MakeGlyphBitmapSubpixel(info, out, w, h, stride, scale, scale, 0.0f, 0.0f, glyph);
  ctx->nscratch = 0;
  return 1;
}
