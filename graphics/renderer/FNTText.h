#pragma once

#include "graphics/renderer/FNTTypes.h"

struct FNTfont;

// Walking text glyph by glyph with the atlas's top state (font, size, blur, spacing, alignment).
// Text runs from str to end (null end: to the terminating zero); an invalid UTF-8 sequence ends
// it (nothing from there on is read), and text that ends inside a sequence yields nothing for it.

struct FNTtextIter
{
  float x, y, nextx, nexty, scale, spacing;
  unsigned int codepoint;
  short isize, iblur;
  FNTfont* font;
  int prevGlyphIndex;
  const char* str;  // first byte of the current character
  const char* next; // where the next character starts
  const char* end;
  unsigned int utf8state;
  int bitmapOption;
};

// Starts an iterator at (x, y), aligned; 0 when the state's font is unknown.
int fntTextIterInit(FNTcontext* ctx, FNTtextIter* iter, float x, float y, const char* str, const char* end,
                    int bitmapOption);
// Steps to the next character: 1 with its quad (when it has a glyph; prevGlyphIndex is -1 when
// it has none), 0 at the end.
int fntTextIterNext(FNTcontext* ctx, FNTtextIter* iter, FNTquad* quad);
// Advance of the text from x; bounds (minx, miny, maxx, maxy) when not null. 0 for a bad font.
float fntTextBounds(FNTcontext* ctx, float x, float y, const char* str, const char* end, float* bounds);
// Ascender, descender and line height at the state's size; each output optional.
void fntVertMetrics(FNTcontext* ctx, float* ascender, float* descender, float* lineh);
// Vertical extent of a line at y, aligned.
void fntLineBounds(FNTcontext* ctx, float y, float* miny, float* maxy);
// Draws text through the renderDraw callback; returns the x after it.
float fntDrawText(FNTcontext* ctx, float x, float y, const char* str, const char* end);
// Draws the atlas and its skyline through the renderDraw callback.
void fntDrawDebug(FNTcontext* ctx, float x, float y);
// Grows the atlas to at least width x height, keeping its glyphs; 0 on failure.
int fntExpandAtlas(FNTcontext* ctx, int width, int height);
// Empties the atlas at width x height, dropping every cached glyph; 0 on failure.
int fntResetAtlas(FNTcontext* ctx, int width, int height);
