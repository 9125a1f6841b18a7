#include "graphics/renderer/FNTFontTables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "framework/fonttables/FontDirectory.h"

using plugin::fonts::FontBytes;

namespace {

constexpr int kMaxComponentDepth = 4;
constexpr int kMaxComponents = 64;

// The bytes of a checked table.
FontBytes TableBytes(const unsigned char* data, const FNTtable& table)
{
  return FontBytes(data + table.offset, table.length);
}

// The first table of a tag, as the rasteriser finds it (offset 0 counts as absent); false when
// it does not lie inside the data.
bool FindTable(const FontBytes& bytes, uint32_t face, const char (&tag)[5], FNTtable* out)
{
  *out = FNTtable{0, 0};
  plugin::fonts::FontTable record;
  if (!plugin::fonts::FindFontTableRecord(bytes, face, tag, record) || record.offset == 0) return true;
  *out = FNTtable{record.offset, record.length};
  return bytes.Contains(record.offset, record.length);
}

// Every read of a format 4 character map stays inside its bytes p: the binary search driven by
// the header's search fields, and the glyph ids reached through range offsets.
bool CheckFormat4(const FontBytes& p)
{
  if (p.Size() < 16) return false;
  const unsigned segCount = p.ReadU16(6) >> 1;
  if (segCount == 0 || !p.Contains(16, 8ull * segCount)) return false;
  unsigned searchRange = p.ReadU16(8) >> 1;
  const unsigned entrySelector = p.ReadU16(10);
  const unsigned rangeShift = p.ReadU16(12) >> 1;
  if (rangeShift >= segCount || entrySelector > 16) return false;
  long last = (long)rangeShift - 1; // furthest entry the search can stand on
  for (unsigned e = 0; e < entrySelector; ++e) {
    searchRange >>= 1;
    if (last + (long)searchRange >= (long)segCount) return false;
    last += searchRange;
  }
  if (last + 1 >= (long)segCount) return false;
  for (unsigned k = 0; k < segCount; ++k) {
    const unsigned end = p.ReadU16(14 + 2 * k), start = p.ReadU16(16 + 2 * segCount + 2 * k);
    const unsigned rangeOffset = p.ReadU16(16 + 6 * segCount + 2 * k);
    if (rangeOffset == 0 || start > end) continue;
    if (!p.Contains(16ull + 6 * segCount + 2 * k + rangeOffset, 2ull * (end - start) + 2)) return false;
  }
  return true;
}

// The character map the rasteriser picks (the last Unicode one), checked for its format.
bool CheckCmap(const FontBytes& cmap)
{
  if (cmap.Size() < 4) return false;
  const unsigned n = cmap.ReadU16(2);
  if (!cmap.Contains(4, 8ull * n)) return false;
  uint64_t sub = 0;
  bool found = false;
  for (unsigned i = 0; i < n; ++i) {
    const uint64_t rec = 4 + 8ull * i;
    const unsigned platform = cmap.ReadU16(rec), encoding = cmap.ReadU16(rec + 2);
    if (platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10))) {
      sub = cmap.ReadU32(rec + 4);
      found = true;
    }
  }
  if (!found || !cmap.Contains(sub, 4)) return false;
  const FontBytes p = cmap.Slice(sub, cmap.Size() - sub);
  switch (p.ReadU16(0)) {
  case 0:
    return p.ReadU16(2) <= p.Size();
  case 4:
    return CheckFormat4(p);
  case 6:
    return p.Size() >= 10 && p.Contains(10, 2ull * p.ReadU16(8));
  case 12:
  case 13:
    return p.Size() >= 16 && p.Contains(16, 12ull * p.ReadU32(12));
  default:
    return true; // formats the rasteriser does not read map nothing
  }
}

void SetKern(const unsigned char* data, FNTfontTables* t)
{
  t->kernPairs = 0;
  if (t->kern.length < 18) return;
  const FontBytes k = TableBytes(data, t->kern);
  if (k.ReadU16(2) < 1 || k.ReadU16(8) != 1) return; // first subtable: horizontal, format 0
  t->kernPairs = (int)std::min<uint64_t>(k.ReadU16(10), (t->kern.length - 18) / 6);
}

// Outline data of a glyph as [offset, offset + length) in the data; false when loca points
// outside the glyph table. Empty glyphs have length 0.
bool GlyphData(const unsigned char* data, const FNTfontTables& t, int glyph, uint32_t* offset,
               uint32_t* length)
{
  *offset = *length = 0;
  if (glyph >= t.numGlyphs || t.indexToLocFormat >= 2) return true; // read as empty
  const FontBytes loca = TableBytes(data, t.loca);
  const uint64_t g = (uint64_t)glyph;
  const uint32_t g1 = t.indexToLocFormat == 0 ? loca.ReadU16(g * 2) * 2u : loca.ReadU32(g * 4);
  const uint32_t g2 = t.indexToLocFormat == 0 ? loca.ReadU16(g * 2 + 2) * 2u : loca.ReadU32(g * 4 + 4);
  if (g1 == g2) return true;
  if (g1 > g2 || g2 > t.glyf.length) return false;
  *offset = t.glyf.offset + g1;
  *length = g2 - g1;
  return true;
}

// Reads a simple glyph g as the rasteriser does, with every read bounded; maxAbs gets the largest
// coordinate magnitude.
bool CheckSimpleGlyph(const FontBytes& g, int contours, unsigned char* flags, float* maxAbs)
{
  const uint64_t avail = g.Size();
  if (!g.Contains(10, 2ull * contours + 2)) return false;
  const uint64_t endPts = 10;
  const uint64_t ins = g.ReadU16(10 + 2ull * contours);
  uint64_t pos = 12ull + 2 * contours + ins;
  const int n = 1 + (int)g.ReadU16(endPts + 2ull * contours - 2);

  // Flags with their repeats.
  unsigned char f = 0;
  unsigned repeat = 0;
  uint64_t xbytes = 0;
  for (int i = 0; i < n; ++i) {
    if (repeat == 0) {
      if (pos >= avail) return false;
      f = g.ReadU8(pos++);
      if (f & 8) {
        if (pos >= avail) return false;
        repeat = g.ReadU8(pos++);
      }
    } else {
      --repeat;
    }
    flags[i] = f;
    xbytes += (f & 2) ? 1 : (f & 16) ? 0 : 2;
  }

  // Coordinates, accumulated and narrowed to 16 bits as the rasteriser stores them.
  uint64_t xpos = pos, ypos = pos + xbytes;
  int x = 0, y = 0;
  float largest = 0;
  for (int i = 0; i < n; ++i) {
    const unsigned char fl = flags[i];
    if (fl & 2) {
      if (xpos + 1 > avail) return false;
      x += (fl & 16) ? g.ReadU8(xpos) : -(int)g.ReadU8(xpos);
      xpos += 1;
    } else if (!(fl & 16)) {
      if (xpos + 2 > avail) return false;
      x += g.ReadI16(xpos);
      xpos += 2;
    }
    if (fl & 4) {
      if (ypos + 1 > avail) return false;
      y += (fl & 32) ? g.ReadU8(ypos) : -(int)g.ReadU8(ypos);
      ypos += 1;
    } else if (!(fl & 32)) {
      if (ypos + 2 > avail) return false;
      y += g.ReadI16(ypos);
      ypos += 2;
    }
    largest = std::max({largest, std::fabs((float)(int16_t)x), std::fabs((float)(int16_t)y)});
  }

  // A contour that starts off the curve looks at its next point, which must exist.
  int nextMove = 0, j = 0;
  for (int i = 0; i < n; ++i) {
    if (nextMove != i) continue;
    if (!(flags[i] & 1)) {
      if (i + 1 >= n) return false;
      if (flags[i + 1] & 1) ++i;
    }
    nextMove = 1 + (int)g.ReadU16(endPts + 2ull * j);
    ++j;
  }
  *maxAbs = largest;
  return true;
}

bool CheckGlyphAt(const unsigned char* data, const FNTfontTables& t, int glyph, int depth, int* budget,
                  unsigned char* flags, float* maxAbs)
{
  *maxAbs = 0;
  uint32_t off = 0, avail = 0;
  if (glyph < 0 || !GlyphData(data, t, glyph, &off, &avail)) return false;
  if (avail == 0) return true;
  if (avail < 10) return false;
  const FontBytes g(data + off, avail);
  const int contours = g.ReadI16(0);
  if (contours > 0) return CheckSimpleGlyph(g, contours, flags, maxAbs);
  if (contours == 0) return true;

  // Components: each a glyph under an affine map, nested and counted within bounds.
  uint64_t pos = 10;
  for (bool more = true; more;) {
    if (!g.Contains(pos, 4) || --*budget < 0 || depth >= kMaxComponentDepth) return false;
    const unsigned fl = g.ReadU16(pos), child = g.ReadU16(pos + 2);
    pos += 4;
    float m[6] = {1, 0, 0, 1, 0, 0};
    if (fl & 2) {
      const uint64_t n = (fl & 1) ? 4 : 2;
      if (!g.Contains(pos, n)) return false;
      m[4] = (fl & 1) ? (float)g.ReadI16(pos) : (float)(signed char)g.ReadU8(pos);
      m[5] = (fl & 1) ? (float)g.ReadI16(pos + 2) : (float)(signed char)g.ReadU8(pos + 1);
      pos += n;
    }
    const int nscale = (fl & 8) ? 1 : (fl & 0x40) ? 2 : (fl & 0x80) ? 4 : 0;
    if (!g.Contains(pos, 2ull * nscale)) return false;
    if (nscale == 1) m[0] = m[3] = g.ReadI16(pos) / 16384.0f;
    if (nscale == 2) m[0] = g.ReadI16(pos) / 16384.0f, m[3] = g.ReadI16(pos + 2) / 16384.0f;
    if (nscale == 4)
      for (int k = 0; k < 4; ++k)
        m[k] = g.ReadI16(pos + 2ull * k) / 16384.0f;
    pos += 2ull * nscale;

    float childMax = 0;
    if (!CheckGlyphAt(data, t, (int)child, depth + 1, budget, flags, &childMax)) return false;
    // The mapped coordinates are narrowed to 16 bits: keep them in range.
    const double sx = std::sqrt((double)m[0] * m[0] + (double)m[1] * m[1]);
    const double sy = std::sqrt((double)m[2] * m[2] + (double)m[3] * m[3]);
    const double bx = sx * ((std::fabs(m[0]) + std::fabs(m[2])) * childMax + std::fabs(m[4]));
    const double by = sy * ((std::fabs(m[1]) + std::fabs(m[3])) * childMax + std::fabs(m[5]));
    if (bx > 32766.0 || by > 32766.0) return false;
    *maxAbs = std::max(*maxAbs, (float)std::max(bx, by));
    more = (fl & 0x20) != 0;
  }
  return true;
}

} // namespace

int fntCheckFontData(const unsigned char* data, int dataSize, int fontIndex, FNTfontTables* t)
{
  std::memset(t, 0, sizeof(*t));
  if (data == nullptr || dataSize < 12 || fontIndex < 0) return -1;
  const FontBytes bytes(data, (size_t)dataSize);

  // The font inside a collection, or the file itself; the face itself must be a font too.
  uint32_t fontstart = 0;
  if (!plugin::fonts::FindFontFace(bytes, fontIndex, fontstart)) return -1;
  if (fontstart > 0x7fffffff || !bytes.Contains(fontstart, 12) ||
      !plugin::fonts::IsSingleFace(plugin::fonts::KindAt(bytes, fontstart)))
    return -1;
  // A directory that does not fit refuses the font (the reader would call its tables absent).
  if (!bytes.Contains(fontstart + 12ull, 16ull * bytes.ReadU16(fontstart + 4ull))) return -1;

  const struct
  {
    const char (&tag)[5];
    FNTtable* table;
    uint32_t minLength; // 0: optional
  } tables[] = {{"cmap", &t->cmap, 4}, {"head", &t->head, 54}, {"hhea", &t->hhea, 36}, {"hmtx", &t->hmtx, 4},
                {"maxp", &t->maxp, 6}, {"loca", &t->loca, 2},  {"glyf", &t->glyf, 1},  {"kern", &t->kern, 0}};
  for (const auto& entry : tables) {
    if (!FindTable(bytes, fontstart, entry.tag, entry.table)) return -1;
    if (entry.table->length < entry.minLength) return -1; // missing (or CFF outlines) or too short
  }

  t->numGlyphs = (int)TableBytes(data, t->maxp).ReadU16(4);
  t->indexToLocFormat = (int)TableBytes(data, t->head).ReadU16(50);
  const FontBytes hhea = TableBytes(data, t->hhea);
  t->ascent = hhea.ReadI16(4);
  t->descent = hhea.ReadI16(6);
  t->lineGap = hhea.ReadI16(8);
  t->numLongHorMetrics = (int)hhea.ReadU16(34);
  if (t->ascent - t->descent <= 0) return -1;
  if (t->numLongHorMetrics < 1 || 4ull * t->numLongHorMetrics > t->hmtx.length) return -1;
  if (t->indexToLocFormat < 2 && (t->numGlyphs + 1ull) * (t->indexToLocFormat == 0 ? 2 : 4) > t->loca.length)
    return -1;
  if (!CheckCmap(TableBytes(data, t->cmap))) return -1;
  SetKern(data, t);
  return (int)fontstart;
}

bool fntCheckGlyph(const unsigned char* data, const FNTfontTables& tables, int glyph, unsigned char* work)
{
  int budget = kMaxComponents;
  float maxAbs = 0;
  return CheckGlyphAt(data, tables, glyph, 0, &budget, work, &maxAbs);
}

int fntGlyphAdvance(const unsigned char* data, const FNTfontTables& t, int glyph)
{
  if (glyph < 0) return 0;
  const int i = std::min(glyph, t.numLongHorMetrics - 1);
  return TableBytes(data, t.hmtx).ReadI16(4ull * (uint64_t)i);
}

int fntKernAdvance(const unsigned char* data, const FNTfontTables& t, int left, int right)
{
  if (t.kernPairs <= 0 || left < 0 || right < 0) return 0;
  const FontBytes pairs = TableBytes(data, t.kern).Slice(18, (uint64_t)t.kernPairs * 6);
  const uint32_t needle = (uint32_t)left << 16 | (uint32_t)right;
  int lo = 0, hi = t.kernPairs - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) >> 1;
    const uint32_t straw = pairs.ReadU32(mid * 6ull);
    if (needle < straw)
      hi = mid - 1;
    else if (needle > straw)
      lo = mid + 1;
    else
      return pairs.ReadI16(mid * 6ull + 4);
  }
  return 0;
}
