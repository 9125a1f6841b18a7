#pragma once

#include "framework/fonttables/TrueType.h"
#include "graphics/renderer/FNTFontTables.h"
#include "graphics/renderer/FNTTypes.h"

// One font face in the atlas: its parsed data, vertical metrics, glyph cache and fallbacks.
struct FNTfont
{
  stbtt_fontinfo font;                      // user data = scratch
  plugin::fonts::TrueTypeAllocator scratch; // hands out the owning FNTcontext's scratch buffer
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
