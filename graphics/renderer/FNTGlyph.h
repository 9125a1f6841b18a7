#pragma once

#include "graphics/renderer/FNTTypes.h"

struct FNTfont;

// Glyph cache of the atlas: lookup, rasterising into the atlas, and the quads that show glyphs.

// Largest glyph (padding included) any atlas image can hold; bigger glyphs are never placed.
constexpr int FNT_MAX_GLYPH_SIDE = 2048;

// Size in tenths of a pixel as the cache keys it: truncated, 0 for non-finite or negative
// sizes, at most 32767.
short fntQuantSize(float size);
// Blur as the cache keys it: truncated into 0..20.
short fntQuantBlur(float blur);
// Hash of a codepoint; its low 8 bits pick the cache bucket.
unsigned fntHashInt(unsigned a);
// Scale from font units to pixels for a pixel size (the font's ascent - descent fills it).
float fntScaleFor(const FNTfont* font, float size);
// Vertical offset of an alignment for a size.
float fntGetVertAlign(FNTcontext* ctx, const FNTfont* font, int align, short isize);

// The cached glyph of codepoint at isize and iblur, rendered into the atlas first when
// REQUIRED and it has no bitmap yet. Null below 0.2 pixels, when the atlas is full or memory
// runs out. A glyph too big for any atlas is cached without a bitmap and with an empty quad.
FNTglyph* fntGetGlyph(FNTcontext* ctx, FNTfont* font, unsigned codepoint, short isize, short iblur,
                      int bitmapOption);
// The quad of glyph at pen position (x, y), kerned against prevGlyphIndex; advances x.
void fntGetQuad(FNTcontext* ctx, FNTfont* font, int prevGlyphIndex, const FNTglyph* glyph, float scale,
                float spacing, float* x, float* y, FNTquad* q);
