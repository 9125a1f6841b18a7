#include "graphics/renderer/FNTGlyph.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/FNTAtlas.h"
#include "graphics/renderer/FNTBlur.h"
#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTFont.h"
#include "graphics/renderer/FNTStbTrueType.h"

namespace {

constexpr int kMaxBlur = 20;

short ClampShort(float v)
{
  if (!(v > -32768.0f)) return -32768;
  if (!(v < 32767.0f)) return 32767;
  return (short)v;
}

FNTglyph* AllocGlyph(FNTfont* font)
{
  if (font->nglyphs + 1 > font->cglyphs) {
    const int cglyphs = font->cglyphs == 0 ? 8 : font->cglyphs * 2;
    void* glyphs = std::realloc(font->glyphs, sizeof(FNTglyph) * (size_t)cglyphs);
    if (glyphs == nullptr) return nullptr;
    font->glyphs = static_cast<FNTglyph*>(glyphs);
    font->cglyphs = cglyphs;
  }
  font->nglyphs++;
  return &font->glyphs[font->nglyphs - 1];
}

// The font that renders codepoint: the font itself, else its first fallback that has it.
FNTfont* RenderingFont(FNTcontext* ctx, FNTfont* font, unsigned codepoint, int* glyphIndex)
{
  *glyphIndex = fntStbFindGlyphIndex(&font->font, (int)codepoint);
  if (*glyphIndex != 0) return font;
  for (int i = 0; i < font->nfallbacks; ++i) {
    FNTfont* fallback = ctx->fonts[font->fallbacks[i]];
    const int index = fntStbFindGlyphIndex(&fallback->font, (int)codepoint);
    if (index != 0) {
      *glyphIndex = index;
      return fallback;
    }
  }
  return font; // its missing-glyph box
}

} // namespace

short fntQuantSize(float size)
{
  const float v = size * 10.0f;
  return v > 0.0f ? ClampShort(v) : 0;
}

short fntQuantBlur(float blur)
{
  return blur > 0.0f ? (short)std::min(blur, (float)kMaxBlur) : 0;
}

unsigned fntHashInt(unsigned a)
{
  a += ~(a << 15);
  a ^= (a >> 10);
  a += (a << 3);
  a ^= (a >> 6);
  a += ~(a << 11);
  a ^= (a >> 16);
  return a;
}

float fntScaleFor(const FNTfont* font, float size)
{
  return size / (float)(font->tables.ascent - font->tables.descent);
}

float fntGetVertAlign(FNTcontext* ctx, const FNTfont* font, int align, short isize)
{
  float offset = 0.0f;
  if (align & FNT_ALIGN_TOP)
    offset = font->ascender * (float)isize / 10.0f;
  else if (align & FNT_ALIGN_MIDDLE)
    offset = (font->ascender + font->descender) / 2.0f * (float)isize / 10.0f;
  else if ((align & FNT_ALIGN_BOTTOM) && !(align & FNT_ALIGN_BASELINE))
    offset = font->descender * (float)isize / 10.0f;
  return (ctx->params.flags & FNT_ZERO_TOPLEFT) ? offset : -offset;
}

FNTglyph* fntGetGlyph(FNTcontext* ctx, FNTfont* font, unsigned codepoint, short isize, short iblur,
                      int bitmapOption)
{
  if (isize < 2) return nullptr;
  iblur = std::clamp(iblur, (short)0, (short)kMaxBlur);
  const int pad = iblur + 2;
  ctx->nscratch = 0;

  // Cached already?
  const int bucket = (int)(fntHashInt(codepoint) & (FNT_HASH_LUT_SIZE - 1));
  FNTglyph* glyph = nullptr;
  for (int i = font->lut[bucket]; i != -1; i = font->glyphs[i].next) {
    FNTglyph* g = &font->glyphs[i];
    if (g->codepoint != codepoint || g->size != isize || g->blur != iblur) continue;
    if (bitmapOption == FNT_GLYPH_BITMAP_OPTIONAL || (g->x0 >= 0 && g->y0 >= 0)) return g;
    glyph = g; // cached without a bitmap: render it into this record
    break;
  }

  int index = 0;
  FNTfont* renderFont = RenderingFont(ctx, font, codepoint, &index);
  const float scale = fntScaleFor(renderFont, (float)isize / 10.0f);
  const int advance = fntGlyphAdvance(renderFont->data, renderFont->tables, index);
  // Outlines that would lead the rasteriser out of the font data are treated as empty.
  const bool drawable = fntCheckGlyph(renderFont->data, renderFont->tables, index, ctx->scratch);
  int bx0 = 0, by0 = 0, bx1 = 0, by1 = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  if (drawable && fntStbGetGlyphBox(&renderFont->font, index, &bx0, &by0, &bx1, &by1)) {
    x0 = (int)std::floor((float)bx0 * scale);
    y0 = (int)std::floor((float)-by1 * scale);
    x1 = (int)std::ceil((float)bx1 * scale);
    y1 = (int)std::ceil((float)-by0 * scale);
  }
  const int gw = x1 - x0 + pad * 2, gh = y1 - y0 + pad * 2;
  const bool tooBig = gw > FNT_MAX_GLYPH_SIDE || gh > FNT_MAX_GLYPH_SIDE;

  // A place in the atlas, when one is required; a glyph too big for any atlas gets a 2 x 2
  // rectangle on the white block, which shows nothing.
  int gx = -1, gy = -1;
  if (bitmapOption == FNT_GLYPH_BITMAP_REQUIRED) {
    if (tooBig) {
      gx = gy = 0;
    } else {
      int added = fntAtlasAddRect(ctx->atlas, gw, gh, &gx, &gy);
      if (!added && ctx->handleError != nullptr) {
        ctx->handleError(ctx->errorUptr, FNT_ATLAS_FULL, 0);
        added = fntAtlasAddRect(ctx->atlas, gw, gh, &gx, &gy);
      }
      if (!added) return nullptr;
    }
  }

  if (glyph == nullptr) {
    glyph = AllocGlyph(font);
    if (glyph == nullptr) return nullptr;
    glyph->codepoint = codepoint;
    glyph->size = isize;
    glyph->blur = iblur;
    glyph->next = font->lut[bucket];
    font->lut[bucket] = font->nglyphs - 1;
  }
  glyph->index = index;
  glyph->x0 = (short)gx;
  glyph->y0 = (short)gy;
  glyph->x1 = (short)(gx + (tooBig ? 2 : gw));
  glyph->y1 = (short)(gy + (tooBig ? 2 : gh));
  glyph->xadv = ClampShort(scale * 10.0f * (float)advance);
  glyph->xoff = (short)(tooBig ? 0 : x0 - pad);
  glyph->yoff = (short)(tooBig ? 0 : y0 - pad);
  if (bitmapOption == FNT_GLYPH_BITMAP_OPTIONAL || tooBig) return glyph;

  // Rasterise inside the padding, clear the outer border, blur.
  const int stride = ctx->params.width;
  if (drawable) {
    unsigned char* dst = &ctx->texData[(gx + pad) + (gy + pad) * stride];
    fntStbRenderGlyph(ctx, &renderFont->font, dst, gw - pad * 2, gh - pad * 2, stride, scale, index);
  }
  unsigned char* block = &ctx->texData[gx + gy * stride];
  for (int y = 0; y < gh; ++y)
    block[y * stride] = block[gw - 1 + y * stride] = 0;
  std::memset(block, 0, (size_t)gw);
  std::memset(block + (gh - 1) * stride, 0, (size_t)gw);
  if (iblur > 0) {
    ctx->nscratch = 0;
    fntBlur(block, gw, gh, stride, iblur);
  }
  fntMarkDirty(ctx, gx, gy, gx + gw, gy + gh);
  return glyph;
}

void fntGetQuad(FNTcontext* ctx, FNTfont* font, int prevGlyphIndex, const FNTglyph* glyph, float scale,
                float spacing, float* x, float* y, FNTquad* q)
{
  if (prevGlyphIndex != -1) {
    const float adv = (float)fntKernAdvance(font->data, font->tables, prevGlyphIndex, glyph->index) * scale;
    *x += std::trunc(std::clamp(adv + spacing + 0.5f, -1e9f, 1e9f)); // truncated like an int
  }

  // The bitmap without its one-pixel border.
  const float xoff = (float)(glyph->xoff + 1), yoff = (float)(glyph->yoff + 1);
  const float x0 = (float)(glyph->x0 + 1), y0 = (float)(glyph->y0 + 1);
  const float x1 = (float)(glyph->x1 - 1), y1 = (float)(glyph->y1 - 1);
  const float rx = std::trunc(*x + xoff);
  if (ctx->params.flags & FNT_ZERO_TOPLEFT) {
    const float ry = std::trunc(*y + yoff);
    q->x0 = rx;
    q->y0 = ry;
    q->x1 = rx + x1 - x0;
    q->y1 = ry + y1 - y0;
  } else {
    const float ry = std::trunc(*y - yoff);
    q->x0 = rx;
    q->y0 = ry;
    q->x1 = rx + x1 - x0;
    q->y1 = ry - y1 + y0;
  }
  q->s0 = x0 * ctx->itw;
  q->t0 = y0 * ctx->ith;
  q->s1 = x1 * ctx->itw;
  q->t1 = y1 * ctx->ith;
  *x += (float)(int)((float)glyph->xadv / 10.0f + 0.5f);
}
