#pragma once

// Where the tables the atlas reads lie in a font's data, found and checked against the data's
// length before the rasteriser sees the font, and the metric reads the atlas makes itself.

// A table's place in the font data; length 0 = absent.
struct FNTtable
{
  unsigned int offset;
  unsigned int length;
};

struct FNTfontTables
{
  FNTtable cmap, head, hhea, hmtx, maxp, loca, glyf, kern;
  int numGlyphs;
  int numLongHorMetrics;
  int indexToLocFormat;
  int kernPairs; // usable pairs of the first 'kern' subtable, 0 when it is not horizontal format 0
  int ascent, descent, lineGap;
};

// Checks the font at fontIndex of a font file or collection: its table directory, that every
// table the atlas reads lies inside the data, the character map the rasteriser will use, and
// that ascent - descent > 0. Fonts without TrueType outlines are refused. Returns the font's
// offset in the data and fills tables, or -1.
int fntCheckFontData(const unsigned char* data, int dataSize, int fontIndex, FNTfontTables* tables);
// True when glyph's outline can be read without leaving its data: contours, flags and
// coordinates inside the glyph, components nested at most 4 deep and 64 in all, transformed
// coordinates within 16 bits. An empty glyph is usable. work holds at least 65536 bytes.
bool fntCheckGlyph(const unsigned char* data, const FNTfontTables& tables, int glyph, unsigned char* work);
// Advance width of glyph in font units (the last long metric for indices past the count).
int fntGlyphAdvance(const unsigned char* data, const FNTfontTables& tables, int glyph);
// Kerning of the pair in font units from the first 'kern' subtable (horizontal format 0), or 0.
int fntKernAdvance(const unsigned char* data, const FNTfontTables& tables, int left, int right);
