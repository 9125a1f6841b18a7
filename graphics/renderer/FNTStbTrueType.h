#pragma once

#include "framework/fonttables/TrueType.h"

struct FNTcontext;

// The atlas's calls into the font rasteriser library (compiled once, in the font-table library),
// with the rasteriser's memory taken from the atlas's scratch buffer. They are made only on font
// data that passed fntCheckFontData (and, for outlines, fntCheckGlyph).

// Offset of font index in a font file or collection, or -1.
int fntStbFontOffset(const unsigned char* data, int index);
// Parses the font at offset; 0 on failure. The font allocates through scratch, which hands out
// the atlas context's scratch buffer; scratch must live as long as info.
int fntStbInitFont(stbtt_fontinfo* info, plugin::fonts::TrueTypeAllocator* scratch, unsigned char* data,
                   int offset, FNTcontext* ctx);
// Glyph index of a codepoint, 0 when the font has none.
int fntStbFindGlyphIndex(const stbtt_fontinfo* info, int codepoint);
// Bounding box of a glyph in font units; 0 when the glyph has no outline.
int fntStbGetGlyphBox(const stbtt_fontinfo* info, int glyph, int* x0, int* y0, int* x1, int* y1);
// Renders a glyph at scale into out (w x h, rows stride bytes apart), unless the scratch
// buffer cannot hold what the rasteriser will ask for: then nothing is drawn, the error
// callback hears of it, and 0 is returned.
int fntStbRenderGlyph(FNTcontext* ctx, const stbtt_fontinfo* info, unsigned char* out, int w, int h,
                      int stride, float scale, int glyph);
// Scratch allocation for the rasteriser: 16-byte multiples from the atlas's scratch buffer;
// null (and FNT_SCRATCH_FULL to the error callback) when it is full.
void* fntScratchAlloc(size_t size, void* ctx);
