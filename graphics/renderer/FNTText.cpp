#include "graphics/renderer/FNTText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/FNTAtlas.h"
#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTFont.h"
#include "graphics/renderer/FNTGlyph.h"
#include "graphics/renderer/FNTUtf8.h"

namespace {

// Decodes the next character at *p: true with its codepoint and first byte, *p past it. False,
// with *p at end, when the text ends before a character completes or holds an invalid sequence:
// the reject state is kept, so nothing after an invalid sequence is read.
bool NextCodepoint(const char** p, const char* end, unsigned* state, unsigned* codepoint, const char** first)
{
  const char* s = *p;
  const char* start = s;
  while (s < end && *state != FNT_UTF8_REJECT) {
    if (*state == FNT_UTF8_ACCEPT) start = s;
    if (fntDecodeUtf8(state, codepoint, (unsigned char)*s) == FNT_UTF8_ACCEPT) {
      *p = s + 1;
      *first = start;
      return true;
    }
    ++s;
  }
  *p = end;
  return false;
}

// The state's font, or null when its index is unknown or it has no data.
FNTfont* StateFont(FNTcontext* ctx)
{
  const FNTstate* state = fntGetState(ctx);
  if (state->font < 0 || state->font >= ctx->nfonts) return nullptr;
  FNTfont* font = ctx->fonts[state->font];
  return font->data != nullptr ? font : nullptr;
}

// The text's range, with a null string read as empty and a null end as its terminating zero.
void TextRange(const char** str, const char** end)
{
  if (*str == nullptr) *str = *end = "";
  if (*end == nullptr) *end = *str + std::strlen(*str);
}

void AddVertex(FNTcontext* ctx, float x, float y, float s, float t, unsigned int color)
{
  ctx->verts[ctx->nverts * 2 + 0] = x;
  ctx->verts[ctx->nverts * 2 + 1] = y;
  ctx->tcoords[ctx->nverts * 2 + 0] = s;
  ctx->tcoords[ctx->nverts * 2 + 1] = t;
  ctx->colors[ctx->nverts] = color;
  ctx->nverts++;
}

// Two triangles over (x0, y0)-(x1, y1) with texture (s0, t0)-(s1, t1).
void AddQuad(FNTcontext* ctx, const FNTquad& q, unsigned int color)
{
  AddVertex(ctx, q.x0, q.y0, q.s0, q.t0, color);
  AddVertex(ctx, q.x1, q.y1, q.s1, q.t1, color);
  AddVertex(ctx, q.x1, q.y0, q.s1, q.t0, color);
  AddVertex(ctx, q.x0, q.y0, q.s0, q.t0, color);
  AddVertex(ctx, q.x0, q.y1, q.s0, q.t1, color);
  AddVertex(ctx, q.x1, q.y1, q.s1, q.t1, color);
}

} // namespace

int fntTextIterInit(FNTcontext* ctx, FNTtextIter* iter, float x, float y, const char* str, const char* end,
                    int bitmapOption)
{
  std::memset(iter, 0, sizeof(*iter));
  FNTfont* font = ctx != nullptr ? StateFont(ctx) : nullptr;
  if (font == nullptr) return 0;
  const FNTstate* state = fntGetState(ctx);
  iter->font = font;
  iter->isize = fntQuantSize(state->size);
  iter->iblur = fntQuantBlur(state->blur);
  iter->scale = fntScaleFor(font, (float)iter->isize / 10.0f);
  TextRange(&str, &end);

  if (state->align & FNT_ALIGN_LEFT) {
    // as it is
  } else if (state->align & FNT_ALIGN_RIGHT) {
    x -= fntTextBounds(ctx, x, y, str, end, nullptr);
  } else if (state->align & FNT_ALIGN_CENTER) {
    x -= fntTextBounds(ctx, x, y, str, end, nullptr) * 0.5f;
  }
  y += fntGetVertAlign(ctx, font, state->align, iter->isize);

  iter->x = iter->nextx = x;
  iter->y = iter->nexty = y;
  iter->spacing = state->spacing;
  iter->str = iter->next = str;
  iter->end = end;
  iter->codepoint = 0;
  iter->prevGlyphIndex = -1;
  iter->bitmapOption = bitmapOption;
  return 1;
}

int fntTextIterNext(FNTcontext* ctx, FNTtextIter* iter, FNTquad* quad)
{
  const char* s = iter->next;
  iter->str = iter->next;
  if (s >= iter->end) return 0;
  const char* first = s;
  if (!NextCodepoint(&s, iter->end, &iter->utf8state, &iter->codepoint, &first)) {
    iter->str = iter->next = iter->end;
    return 0; // no character completed: nothing, not the last step's quad
  }
  iter->str = first;
  iter->x = iter->nextx;
  iter->y = iter->nexty;
  const FNTglyph* glyph =
      fntGetGlyph(ctx, iter->font, iter->codepoint, iter->isize, iter->iblur, iter->bitmapOption);
  if (glyph != nullptr)
    fntGetQuad(ctx, iter->font, iter->prevGlyphIndex, glyph, iter->scale, iter->spacing, &iter->nextx,
               &iter->nexty, quad);
  iter->prevGlyphIndex = glyph != nullptr ? glyph->index : -1;
  iter->next = s;
  return 1;
}

float fntTextBounds(FNTcontext* ctx, float x, float y, const char* str, const char* end, float* bounds)
{
  FNTfont* font = ctx != nullptr ? StateFont(ctx) : nullptr;
  if (font == nullptr) return 0;
  const FNTstate* state = fntGetState(ctx);
  const short isize = fntQuantSize(state->size), iblur = fntQuantBlur(state->blur);
  const float scale = fntScaleFor(font, (float)isize / 10.0f);
  const bool topLeft = (ctx->params.flags & FNT_ZERO_TOPLEFT) != 0;
  TextRange(&str, &end);

  y += fntGetVertAlign(ctx, font, state->align, isize);
  float minx = x, maxx = x, miny = y, maxy = y;
  const float startx = x;
  int prevGlyphIndex = -1;
  unsigned utf8state = FNT_UTF8_ACCEPT, codepoint = 0;
  const char* first = str;
  for (const char* s = str; NextCodepoint(&s, end, &utf8state, &codepoint, &first);) {
    const FNTglyph* glyph = fntGetGlyph(ctx, font, codepoint, isize, iblur, FNT_GLYPH_BITMAP_OPTIONAL);
    if (glyph != nullptr) {
      FNTquad q;
      fntGetQuad(ctx, font, prevGlyphIndex, glyph, scale, state->spacing, &x, &y, &q);
      minx = std::min(minx, q.x0);
      maxx = std::max(maxx, q.x1);
      miny = std::min(miny, topLeft ? q.y0 : q.y1);
      maxy = std::max(maxy, topLeft ? q.y1 : q.y0);
    }
    prevGlyphIndex = glyph != nullptr ? glyph->index : -1;
  }

  const float advance = x - startx;
  if (state->align & FNT_ALIGN_LEFT) {
    // as it is
  } else if (state->align & FNT_ALIGN_RIGHT) {
    minx -= advance;
    maxx -= advance;
  } else if (state->align & FNT_ALIGN_CENTER) {
    minx -= advance * 0.5f;
    maxx -= advance * 0.5f;
  }
  if (bounds != nullptr) {
    bounds[0] = minx;
    bounds[1] = miny;
    bounds[2] = maxx;
    bounds[3] = maxy;
  }
  return advance;
}

void fntVertMetrics(FNTcontext* ctx, float* ascender, float* descender, float* lineh)
{
  const FNTfont* font = ctx != nullptr ? StateFont(ctx) : nullptr;
  if (font == nullptr) return;
  const float size = (float)fntQuantSize(fntGetState(ctx)->size) / 10.0f;
  if (ascender != nullptr) *ascender = font->ascender * size;
  if (descender != nullptr) *descender = font->descender * size;
  if (lineh != nullptr) *lineh = font->lineh * size;
}

void fntLineBounds(FNTcontext* ctx, float y, float* miny, float* maxy)
{
  const FNTfont* font = ctx != nullptr ? StateFont(ctx) : nullptr;
  if (font == nullptr) return;
  const FNTstate* state = fntGetState(ctx);
  const short isize = fntQuantSize(state->size);
  const float size = (float)isize / 10.0f;
  y += fntGetVertAlign(ctx, font, state->align, isize);
  float lo, hi;
  if (ctx->params.flags & FNT_ZERO_TOPLEFT) {
    lo = y - font->ascender * size;
    hi = lo + font->lineh * size;
  } else {
    hi = y + font->descender * size;
    lo = hi - font->lineh * size;
  }
  if (miny != nullptr) *miny = lo;
  if (maxy != nullptr) *maxy = hi;
}

float fntDrawText(FNTcontext* ctx, float x, float y, const char* str, const char* end)
{
  FNTtextIter iter;
  FNTquad q;
  if (!fntTextIterInit(ctx, &iter, x, y, str, end, FNT_GLYPH_BITMAP_REQUIRED)) return x;
  const unsigned int color = fntGetState(ctx)->color;
  while (fntTextIterNext(ctx, &iter, &q)) {
    if (iter.prevGlyphIndex == -1) continue; // no glyph to show
    if (ctx->nverts + 6 > FNT_VERTEX_COUNT) fntFlush(ctx);
    AddQuad(ctx, q, color);
  }
  return iter.nextx;
}

void fntDrawDebug(FNTcontext* ctx, float x, float y)
{
  const float w = (float)ctx->params.width, h = (float)ctx->params.height;
  const float u = 1.0f / w, v = 1.0f / h; // the white block
  if (ctx->nverts + 6 + 6 > FNT_VERTEX_COUNT) fntFlush(ctx);
  AddQuad(ctx, FNTquad{x, y, u, v, x + w, y + h, u, v}, 0x0fffffffu);
  AddQuad(ctx, FNTquad{x, y, 0, 0, x + w, y + h, 1, 1}, 0xffffffffu);
  for (int i = 0; i < ctx->atlas->nnodes; ++i) {
    const FNTatlasNode& n = ctx->atlas->nodes[i];
    if (ctx->nverts + 6 > FNT_VERTEX_COUNT) fntFlush(ctx);
    AddQuad(ctx, FNTquad{x + n.x, y + n.y, u, v, x + n.x + n.width, y + n.y + 1, u, v}, 0xc00000ffu);
  }
  fntFlush(ctx);
}

int fntExpandAtlas(FNTcontext* ctx, int width, int height)
{
  if (ctx == nullptr) return 0;
  const int oldw = ctx->params.width, oldh = ctx->params.height;
  width = std::max(width, oldw);
  height = std::max(height, oldh);
  if (width == oldw && height == oldh) return 1;
  if (width > FNT_MAX_ATLAS_SIDE || height > FNT_MAX_ATLAS_SIDE) return 0;

  fntFlush(ctx);
  if (ctx->params.renderResize != nullptr &&
      ctx->params.renderResize(ctx->params.userPtr, width, height) == 0)
    return 0;
  unsigned char* data = static_cast<unsigned char*>(std::calloc((size_t)width, (size_t)height));
  if (data == nullptr) return 0;
  for (int row = 0; row < oldh; ++row)
    std::memcpy(&data[row * width], &ctx->texData[row * oldw], (size_t)oldw);
  std::free(ctx->texData);
  ctx->texData = data;

  if (width > oldw) fntAtlasAddSkylineNode(ctx->atlas, oldw, 0, width - oldw);
  int maxy = 0;
  for (int i = 0; i < ctx->atlas->nnodes; ++i)
    maxy = std::max(maxy, (int)ctx->atlas->nodes[i].y);
  ctx->atlas->width = width;
  ctx->atlas->height = height;
  ctx->dirtyRect[0] = 0;
  ctx->dirtyRect[1] = 0;
  ctx->dirtyRect[2] = oldw;
  ctx->dirtyRect[3] = maxy;
  ctx->params.width = width;
  ctx->params.height = height;
  ctx->itw = 1.0f / (float)width;
  ctx->ith = 1.0f / (float)height;
  return 1;
}

int fntResetAtlas(FNTcontext* ctx, int width, int height)
{
  if (ctx == nullptr) return 0;
  if (width < 1 || height < 1 || width > FNT_MAX_ATLAS_SIDE || height > FNT_MAX_ATLAS_SIDE) return 0;
  fntFlush(ctx);
  if (ctx->params.renderResize != nullptr &&
      ctx->params.renderResize(ctx->params.userPtr, width, height) == 0)
    return 0;
  void* data = std::realloc(ctx->texData, (size_t)width * (size_t)height);
  if (data == nullptr) return 0;
  ctx->texData = static_cast<unsigned char*>(data);
  std::memset(ctx->texData, 0, (size_t)width * (size_t)height);

  fntAtlasReset(ctx->atlas, width, height);
  ctx->params.width = width;
  ctx->params.height = height;
  ctx->itw = 1.0f / (float)width;
  ctx->ith = 1.0f / (float)height;
  fntMarkClean(ctx);
  for (int i = 0; i < ctx->nfonts; ++i) {
    ctx->fonts[i]->nglyphs = 0;
    for (int& head : ctx->fonts[i]->lut)
      head = -1;
  }
  fntAddWhiteRect(ctx, 2, 2);
  return 1;
}
