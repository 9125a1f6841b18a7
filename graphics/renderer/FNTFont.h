#pragma once

#include "stb_truetype.h"

#include "graphics/renderer/FNTFontTables.h"
#include "graphics/renderer/FNTTypes.h"

// One font face in the atlas: its parsed data, vertical metrics, glyph cache and fallbacks.
struct FNTfont
{
  stbtt_fontinfo font; // user data = the owning FNTcontext, whose scratch buffer feeds the rasteriser
  char name[FNT_MAX_NAME];
  unsigned char* data;
  int dataSize;
  unsigned char freeData;
  float ascender; // fractions of the font height ascent - descent
  float descender;
  float lineh;
  FNTglyph* glyphs;
  int cglyphs;
  int nglyphs;
  int lut[FNT_HASH_LUT_SIZE];
  int fallbacks[FNT_MAX_FALLBACKS];
  int nfallbacks;
  FNTfontTables tables; // checked places of the tables the atlas reads
};

// Frees the font's glyph cache, its data when the atlas owns it, and the record; null is ignored.
void fntFreeFont(FNTfont* font);
