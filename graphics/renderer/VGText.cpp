#include "graphics/renderer/VGText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTFonts.h"
#include "graphics/renderer/FNTGlyph.h"
#include "graphics/renderer/FNTText.h"
#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGFontImages.h"
#include "graphics/renderer/VGMath.h"
#include "graphics/renderer/VGPaint.h"
#include "graphics/renderer/VGPathCache.h"
#include "graphics/renderer/VGTextSetup.h"

namespace {

constexpr float kMaxTextScale = 4.0f;

// The transform's scale in steps of 0.01, at most 4.
float FontScale(const float* t)
{
  const float sx = std::sqrt(t[0] * t[0] + t[2] * t[2]);
  const float sy = std::sqrt(t[1] * t[1] + t[3] * t[3]);
  const float a = (sx + sy) * 0.5f;
  if (!(a < kMaxTextScale)) return kMaxTextScale;
  return std::min((float)(int)(a / 0.01f + 0.5f) * 0.01f, kMaxTextScale);
}

// Hands one batch of text triangles to the backend with the fill paint on the font image.
void RenderText(VGcontext* ctx, const VGvertex* verts, int nverts)
{
  VGstate* state = vgCurrentState(ctx);
  VGpaint paint = state->fill;
  paint.image = ctx->fontImages[ctx->fontImageIdx];
  paint.innerColor.a *= state->alpha;
  paint.outerColor.a *= state->alpha;
  if (!vgPaintIsFinite(paint)) return;
  ctx->params.renderTriangles(ctx->params.userPtr, &paint, state->compositeOperation, &state->scissor, verts,
                              nverts, ctx->fringeWidth);
  ctx->drawCallCount++;
  ctx->textTriCount += nverts / 3;
}

bool Finite(const float* v, int n)
{
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(v[i])) return false;
  return true;
}

} // namespace

bool vgTextSetup(VGcontext* ctx, float* scale, float* invscale)
{
  const VGstate* state = vgCurrentState(ctx);
  if (state->fontId == FNT_INVALID) return false;
  *scale = FontScale(state->xform) * ctx->devicePxRatio;
  if (fntQuantSize(state->fontSize * *scale) < 2) return false;
  *invscale = 1.0f / *scale;
  fntSetSize(ctx->fs, state->fontSize * *scale);
  fntSetSpacing(ctx->fs, state->letterSpacing * *scale);
  fntSetBlur(ctx->fs, state->fontBlur * *scale);
  fntSetAlign(ctx->fs, state->textAlign);
  fntSetFont(ctx->fs, state->fontId);
  return true;
}

void vgTextRange(const char** string, const char** end)
{
  if (*string == nullptr) *string = *end = "";
  if (*end == nullptr) *end = *string + std::strlen(*string);
}

int vgCreateFont(VGcontext* ctx, const char* name, const char* filename)
{
  return fntAddFont(ctx->fs, name, filename, 0);
}

int vgCreateFontAtIndex(VGcontext* ctx, const char* name, const char* filename, int fontIndex)
{
  return fntAddFont(ctx->fs, name, filename, fontIndex);
}

int vgCreateFontMem(VGcontext* ctx, const char* name, unsigned char* data, int ndata, int freeData)
{
  return fntAddFontMem(ctx->fs, name, data, ndata, 0, freeData);
}

int vgCreateFontMemAtIndex(VGcontext* ctx, const char* name, unsigned char* data, int ndata, int fontIndex,
                           int freeData)
{
  return fntAddFontMem(ctx->fs, name, data, ndata, fontIndex, freeData);
}

int vgFindFont(VGcontext* ctx, const char* name)
{
  return name == nullptr ? FNT_INVALID : fntGetFontByName(ctx->fs, name);
}

int vgAddFallbackFontId(VGcontext* ctx, int baseFont, int fallbackFont)
{
  if (baseFont == FNT_INVALID || fallbackFont == FNT_INVALID) return 0;
  return fntAddFallbackFont(ctx->fs, baseFont, fallbackFont);
}

int vgAddFallbackFont(VGcontext* ctx, const char* baseFont, const char* fallbackFont)
{
  return vgAddFallbackFontId(ctx, vgFindFont(ctx, baseFont), vgFindFont(ctx, fallbackFont));
}

void vgFontSize(VGcontext* ctx, float size)
{
  if (std::isfinite(size)) vgCurrentState(ctx)->fontSize = size;
}

void vgFontBlur(VGcontext* ctx, float blur)
{
  if (std::isfinite(blur)) vgCurrentState(ctx)->fontBlur = blur;
}

void vgTextLetterSpacing(VGcontext* ctx, float spacing)
{
  if (std::isfinite(spacing)) vgCurrentState(ctx)->letterSpacing = spacing;
}

void vgTextLineHeight(VGcontext* ctx, float lineHeight)
{
  if (std::isfinite(lineHeight)) vgCurrentState(ctx)->lineHeight = lineHeight;
}

void vgTextAlign(VGcontext* ctx, int align)
{
  vgCurrentState(ctx)->textAlign = align;
}

void vgFontFaceId(VGcontext* ctx, int font)
{
  vgCurrentState(ctx)->fontId = font;
}

void vgFontFace(VGcontext* ctx, const char* font)
{
  vgCurrentState(ctx)->fontId = vgFindFont(ctx, font);
}

float vgText(VGcontext* ctx, float x, float y, const char* string, const char* end)
{
  float scale = 1, invscale = 1;
  if (!std::isfinite(x) || !std::isfinite(y) || !vgTextSetup(ctx, &scale, &invscale)) return x;
  VGstate* state = vgCurrentState(ctx);
  vgTextRange(&string, &end);
  const long long cverts = std::max<long long>(2, end - string) * 6;
  VGvertex* verts = vgAllocTempVerts(ctx, cverts);
  FNTtextIter iter, prevIter;
  FNTquad q;
  if (verts == nullptr ||
      !fntTextIterInit(ctx->fs, &iter, x * scale, y * scale, string, end, FNT_GLYPH_BITMAP_REQUIRED))
    return x;
  prevIter = iter;
  int nverts = 0;
  while (fntTextIterNext(ctx->fs, &iter, &q)) {
    if (iter.prevGlyphIndex == -1) {
      // The atlas is full: show what is gathered, go on in the next font image.
      if (nverts != 0) {
        RenderText(ctx, verts, nverts);
        nverts = 0;
      }
      if (!vgAllocTextAtlas(ctx)) break;
      iter = prevIter;
      fntTextIterNext(ctx->fs, &iter, &q);
      if (iter.prevGlyphIndex == -1) break;
    }
    prevIter = iter;
    float c[8];
    vgTransformPoint(&c[0], &c[1], state->xform, q.x0 * invscale, q.y0 * invscale);
    vgTransformPoint(&c[2], &c[3], state->xform, q.x1 * invscale, q.y0 * invscale);
    vgTransformPoint(&c[4], &c[5], state->xform, q.x1 * invscale, q.y1 * invscale);
    vgTransformPoint(&c[6], &c[7], state->xform, q.x0 * invscale, q.y1 * invscale);
    if (nverts + 6 <= cverts && Finite(c, 8)) {
      verts[nverts++] = VGvertex{c[0], c[1], q.s0, q.t0};
      verts[nverts++] = VGvertex{c[4], c[5], q.s1, q.t1};
      verts[nverts++] = VGvertex{c[2], c[3], q.s1, q.t0};
      verts[nverts++] = VGvertex{c[0], c[1], q.s0, q.t0};
      verts[nverts++] = VGvertex{c[6], c[7], q.s0, q.t1};
      verts[nverts++] = VGvertex{c[4], c[5], q.s1, q.t1};
    }
  }
  vgFlushTextTexture(ctx);
  RenderText(ctx, verts, nverts);
  return iter.nextx * invscale;
}

float vgTextBounds(VGcontext* ctx, float x, float y, const char* string, const char* end, float* bounds)
{
  float scale = 1, invscale = 1;
  if (!vgTextSetup(ctx, &scale, &invscale)) return 0;
  const float width = fntTextBounds(ctx->fs, x * scale, y * scale, string, end, bounds);
  if (bounds != nullptr) {
    // The line's extent rather than the glyphs'.
    fntLineBounds(ctx->fs, y * scale, &bounds[1], &bounds[3]);
    for (int i = 0; i < 4; ++i)
      bounds[i] *= invscale;
  }
  return width * invscale;
}

void vgTextMetrics(VGcontext* ctx, float* ascender, float* descender, float* lineh)
{
  float scale = 1, invscale = 1;
  if (!vgTextSetup(ctx, &scale, &invscale)) return;
  fntVertMetrics(ctx->fs, ascender, descender, lineh);
  if (ascender != nullptr) *ascender *= invscale;
  if (descender != nullptr) *descender *= invscale;
  if (lineh != nullptr) *lineh *= invscale;
}

int vgTextGlyphPositions(VGcontext* ctx, float x, float y, const char* string, const char* end,
                         VGglyphPosition* positions, int maxPositions)
{
  float scale = 1, invscale = 1;
  vgTextRange(&string, &end);
  if (positions == nullptr || maxPositions < 1 || string == end || !vgTextSetup(ctx, &scale, &invscale))
    return 0;
  FNTtextIter iter, prevIter;
  if (!fntTextIterInit(ctx->fs, &iter, x * scale, y * scale, string, end, FNT_GLYPH_BITMAP_OPTIONAL))
    return 0;
  prevIter = iter;
  int npos = 0;
  FNTquad q;
  while (fntTextIterNext(ctx->fs, &iter, &q)) {
    if (iter.prevGlyphIndex < 0 && vgAllocTextAtlas(ctx)) {
      iter = prevIter;
      fntTextIterNext(ctx->fs, &iter, &q);
    }
    if (iter.prevGlyphIndex < 0) q.x0 = q.x1 = iter.x; // no glyph: no extent
    prevIter = iter;
    positions[npos].str = iter.str;
    positions[npos].x = iter.x * invscale;
    positions[npos].minx = std::min(iter.x, q.x0) * invscale;
    positions[npos].maxx = std::max(iter.nextx, q.x1) * invscale;
    if (++npos >= maxPositions) break;
  }
  return npos;
}
