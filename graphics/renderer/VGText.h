#pragma once

struct VGcontext;

// Text of the vector core: fonts by name, the text fields of the drawing state, drawing and
// measuring strings through the font atlas. Coordinates are in the current transform's user
// units; a null end means up to the terminating zero, a null string is empty. Text whose size
// on the device is below 0.2 pixels draws and measures nothing. Called on the context's thread.

// A row of text broken to a width: [start, end) is shown, the next row starts at next.
struct VGtextRow
{
  const char* start;
  const char* end;
  const char* next;
  float width;      // logical width
  float minx, maxx; // extent of the glyphs relative to the row's x
};

// Where one character's glyph sits.
struct VGglyphPosition
{
  const char* str; // the character
  float x;         // pen position
  float minx, maxx;
};

// Font registration: the new font's id, or -1.
int vgCreateFont(VGcontext* ctx, const char* name, const char* filename);
int vgCreateFontAtIndex(VGcontext* ctx, const char* name, const char* filename, int fontIndex);
int vgCreateFontMem(VGcontext* ctx, const char* name, unsigned char* data, int ndata, int freeData);
int vgCreateFontMemAtIndex(VGcontext* ctx, const char* name, unsigned char* data, int ndata, int fontIndex,
                           int freeData);
// The first font of that name, or -1.
int vgFindFont(VGcontext* ctx, const char* name);
// Adds a fallback for glyphs the base font lacks: 1, or 0 (-1 ids, unknown ids, 20 fallbacks).
int vgAddFallbackFontId(VGcontext* ctx, int baseFont, int fallbackFont);
int vgAddFallbackFont(VGcontext* ctx, const char* baseFont, const char* fallbackFont);

// Text fields of the current state; non-finite numbers are ignored.
void vgFontSize(VGcontext* ctx, float size);
void vgFontBlur(VGcontext* ctx, float blur);
void vgTextLetterSpacing(VGcontext* ctx, float spacing);
// Line height as a multiple of the font's.
void vgTextLineHeight(VGcontext* ctx, float lineHeight);
void vgTextAlign(VGcontext* ctx, int align);
void vgFontFaceId(VGcontext* ctx, int font);
// Selects the first font of that name (-1, no font, when there is none).
void vgFontFace(VGcontext* ctx, const char* font);

// Draws a string; returns the x where the next text would start.
float vgText(VGcontext* ctx, float x, float y, const char* string, const char* end);
// Draws a string broken into rows of breakRowWidth, aligned within that width.
void vgTextBox(VGcontext* ctx, float x, float y, float breakRowWidth, const char* string, const char* end);
// Advance of a string; bounds (minx, miny, maxx, maxy) when not null.
float vgTextBounds(VGcontext* ctx, float x, float y, const char* string, const char* end, float* bounds);
// Bounds of the rows vgTextBox would draw.
void vgTextBoxBounds(VGcontext* ctx, float x, float y, float breakRowWidth, const char* string,
                     const char* end, float* bounds);
// Positions of up to maxPositions glyphs; returns how many were written.
int vgTextGlyphPositions(VGcontext* ctx, float x, float y, const char* string, const char* end,
                         VGglyphPosition* positions, int maxPositions);
// Ascender, descender and line height of the current font and size; each output optional.
void vgTextMetrics(VGcontext* ctx, float* ascender, float* descender, float* lineh);
// Breaks a string into at most maxRows rows of breakRowWidth; returns how many were written.
int vgTextBreakLines(VGcontext* ctx, const char* string, const char* end, float breakRowWidth,
                     VGtextRow* rows, int maxRows);
