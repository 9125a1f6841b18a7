#include "graphics/renderer/FNTFontTables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kMaxComponentDepth = 4;
constexpr int kMaxComponents = 64;

unsigned U16(const unsigned char* p)
{
  return (unsigned)p[0] << 8 | p[1];
}

int S16(const unsigned char* p)
{
  return (int16_t)U16(p);
}

uint32_t U32(const unsigned char* p)
{
  return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

bool IsTag(const unsigned char* p, const char* tag)
{
  return std::memcmp(p, tag, 4) == 0;
}

// The sfnt versions of fonts with a table directory.
bool IsFont(const unsigned char* p)
{
  static const unsigned char trueType1[4] = {'1', 0, 0, 0}, openType[4] = {0, 1, 0, 0};
  return std::memcmp(p, trueType1, 4) == 0 || std::memcmp(p, openType, 4) == 0 || IsTag(p, "true") ||
         IsTag(p, "typ1") || IsTag(p, "OTTO");
}

// n bytes at off lie inside size bytes.
bool Inside(uint64_t off, uint64_t n, uint64_t size)
{
  return off <= size && n <= size - off;
}

// The first table of a tag, as the rasteriser finds it (offset 0 counts as absent); false when
// it does not lie inside the data.
bool FindTable(const unsigned char* data, int size, uint32_t fontstart, const char* tag, FNTtable* out)
{
  *out = FNTtable{0, 0};
  const unsigned numTables = U16(data + fontstart + 4);
  for (unsigned i = 0; i < numTables; ++i) {
    const unsigned char* rec = data + fontstart + 12 + 16 * i;
    if (!IsTag(rec, tag)) continue;
    *out = FNTtable{U32(rec + 8), U32(rec + 12)};
    if (out->offset == 0) *out = FNTtable{0, 0};
    return Inside(out->offset, out->length, (uint64_t)size);
  }
  return true;
}

// Every read of a format 4 character map stays inside its avail bytes: the binary search driven
// by the header's search fields, and the glyph ids reached through range offsets.
bool CheckFormat4(const unsigned char* p, uint64_t avail)
{
  if (avail < 16) return false;
  const unsigned segCount = U16(p + 6) >> 1;
  if (segCount == 0 || !Inside(16, 8ull * segCount, avail)) return false;
  unsigned searchRange = U16(p + 8) >> 1;
  const unsigned entrySelector = U16(p + 10);
  const unsigned rangeShift = U16(p + 12) >> 1;
  if (rangeShift >= segCount || entrySelector > 16) return false;
  long last = (long)rangeShift - 1; // furthest entry the search can stand on
  for (unsigned e = 0; e < entrySelector; ++e) {
    searchRange >>= 1;
    if (last + (long)searchRange >= (long)segCount) return false;
    last += searchRange;
  }
  if (last + 1 >= (long)segCount) return false;
  for (unsigned k = 0; k < segCount; ++k) {
    const unsigned end = U16(p + 14 + 2 * k), start = U16(p + 16 + 2 * segCount + 2 * k);
    const unsigned rangeOffset = U16(p + 16 + 6 * segCount + 2 * k);
    if (rangeOffset == 0 || start > end) continue;
    if (!Inside(16ull + 6 * segCount + 2 * k + rangeOffset, 2ull * (end - start) + 2, avail)) return false;
  }
  return true;
}

// The character map the rasteriser picks (the last Unicode one), checked for its format.
bool CheckCmap(const unsigned char* cmap, uint64_t length)
{
  if (length < 4) return false;
  const unsigned n = U16(cmap + 2);
  if (!Inside(4, 8ull * n, length)) return false;
  uint64_t sub = 0;
  bool found = false;
  for (unsigned i = 0; i < n; ++i) {
    const unsigned char* rec = cmap + 4 + 8 * i;
    const unsigned platform = U16(rec), encoding = U16(rec + 2);
    if (platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10))) {
      sub = U32(rec + 4);
      found = true;
    }
  }
  if (!found || !Inside(sub, 4, length)) return false;
  const unsigned char* p = cmap + sub;
  const uint64_t avail = length - sub;
  switch (U16(p)) {
  case 0:
    return U16(p + 2) <= avail;
  case 4:
    return CheckFormat4(p, avail);
  case 6:
    return avail >= 10 && Inside(10, 2ull * U16(p + 8), avail);
  case 12:
  case 13:
    return avail >= 16 && Inside(16, 12ull * U32(p + 12), avail);
  default:
    return true; // formats the rasteriser does not read map nothing
  }
}

void SetKern(const unsigned char* data, FNTfontTables* t)
{
  t->kernPairs = 0;
  if (t->kern.length < 18) return;
  const unsigned char* k = data + t->kern.offset;
  if (U16(k + 2) < 1 || U16(k + 8) != 1) return; // first subtable: horizontal, format 0
  t->kernPairs = (int)std::min<uint64_t>(U16(k + 10), (t->kern.length - 18) / 6);
}

// Outline data of a glyph as [offset, offset + length) in the data; false when loca points
// outside the glyph table. Empty glyphs have length 0.
bool GlyphData(const unsigned char* data, const FNTfontTables& t, int glyph, uint32_t* offset,
               uint32_t* length)
{
  *offset = *length = 0;
  if (glyph >= t.numGlyphs || t.indexToLocFormat >= 2) return true; // read as empty
  const unsigned char* loca = data + t.loca.offset;
  const uint32_t g1 = t.indexToLocFormat == 0 ? U16(loca + glyph * 2) * 2u : U32(loca + glyph * 4);
  const uint32_t g2 = t.indexToLocFormat == 0 ? U16(loca + glyph * 2 + 2) * 2u : U32(loca + glyph * 4 + 4);
  if (g1 == g2) return true;
  if (g1 > g2 || g2 > t.glyf.length) return false;
  *offset = t.glyf.offset + g1;
  *length = g2 - g1;
  return true;
}

// Reads a simple glyph as the rasteriser does, with every read bounded; maxAbs gets the largest
// coordinate magnitude.
bool CheckSimpleGlyph(const unsigned char* g, uint32_t avail, int contours, unsigned char* flags,
                      float* maxAbs)
{
  if (!Inside(10, 2ull * contours + 2, avail)) return false;
  const unsigned char* endPts = g + 10;
  const uint64_t ins = U16(g + 10 + 2 * contours);
  uint64_t pos = 12ull + 2 * contours + ins;
  const int n = 1 + (int)U16(endPts + 2 * contours - 2);

  // Flags with their repeats.
  unsigned char f = 0;
  unsigned repeat = 0;
  uint64_t xbytes = 0;
  for (int i = 0; i < n; ++i) {
    if (repeat == 0) {
      if (pos >= avail) return false;
      f = g[pos++];
      if (f & 8) {
        if (pos >= avail) return false;
        repeat = g[pos++];
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
      x += (fl & 16) ? g[xpos] : -(int)g[xpos];
      xpos += 1;
    } else if (!(fl & 16)) {
      if (xpos + 2 > avail) return false;
      x += S16(g + xpos);
      xpos += 2;
    }
    if (fl & 4) {
      if (ypos + 1 > avail) return false;
      y += (fl & 32) ? g[ypos] : -(int)g[ypos];
      ypos += 1;
    } else if (!(fl & 32)) {
      if (ypos + 2 > avail) return false;
      y += S16(g + ypos);
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
    nextMove = 1 + (int)U16(endPts + 2 * j);
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
  const unsigned char* g = data + off;
  const int contours = S16(g);
  if (contours > 0) return CheckSimpleGlyph(g, avail, contours, flags, maxAbs);
  if (contours == 0) return true;

  // Components: each a glyph under an affine map, nested and counted within bounds.
  uint64_t pos = 10;
  for (bool more = true; more;) {
    if (!Inside(pos, 4, avail) || --*budget < 0 || depth >= kMaxComponentDepth) return false;
    const unsigned fl = U16(g + pos), child = U16(g + pos + 2);
    pos += 4;
    float m[6] = {1, 0, 0, 1, 0, 0};
    if (fl & 2) {
      const uint64_t n = (fl & 1) ? 4 : 2;
      if (!Inside(pos, n, avail)) return false;
      m[4] = (fl & 1) ? (float)S16(g + pos) : (float)(signed char)g[pos];
      m[5] = (fl & 1) ? (float)S16(g + pos + 2) : (float)(signed char)g[pos + 1];
      pos += n;
    }
    const int nscale = (fl & 8) ? 1 : (fl & 0x40) ? 2 : (fl & 0x80) ? 4 : 0;
    if (!Inside(pos, 2ull * nscale, avail)) return false;
    if (nscale == 1) m[0] = m[3] = S16(g + pos) / 16384.0f;
    if (nscale == 2) m[0] = S16(g + pos) / 16384.0f, m[3] = S16(g + pos + 2) / 16384.0f;
    if (nscale == 4)
      for (int k = 0; k < 4; ++k)
        m[k] = S16(g + pos + 2 * k) / 16384.0f;
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
  const uint64_t size = (uint64_t)dataSize;

  // The font inside a collection, or the file itself.
  uint64_t fontstart = 0;
  if (IsFont(data)) {
    if (fontIndex != 0) return -1;
  } else if (IsTag(data, "ttcf")) {
    const uint32_t version = U32(data + 4);
    if ((version != 0x10000 && version != 0x20000) || fontIndex >= (int32_t)U32(data + 8)) return -1;
    if (!Inside(12 + 4ull * (uint64_t)fontIndex, 4, size)) return -1;
    fontstart = U32(data + 12 + 4 * fontIndex);
  } else {
    return -1;
  }
  if (fontstart > 0x7fffffff || !Inside(fontstart, 12, size) || !IsFont(data + fontstart)) return -1;
  if (!Inside(fontstart + 12, 16ull * U16(data + fontstart + 4), size)) return -1;

  const struct
  {
    const char* tag;
    FNTtable* table;
    uint32_t minLength; // 0: optional
  } tables[] = {{"cmap", &t->cmap, 4}, {"head", &t->head, 54}, {"hhea", &t->hhea, 36}, {"hmtx", &t->hmtx, 4},
                {"maxp", &t->maxp, 6}, {"loca", &t->loca, 2},  {"glyf", &t->glyf, 1},  {"kern", &t->kern, 0}};
  for (const auto& entry : tables) {
    if (!FindTable(data, dataSize, (uint32_t)fontstart, entry.tag, entry.table)) return -1;
    if (entry.table->length < entry.minLength) return -1; // missing (or CFF outlines) or too short
  }

  t->numGlyphs = (int)U16(data + t->maxp.offset + 4);
  t->indexToLocFormat = (int)U16(data + t->head.offset + 50);
  const unsigned char* hhea = data + t->hhea.offset;
  t->ascent = S16(hhea + 4);
  t->descent = S16(hhea + 6);
  t->lineGap = S16(hhea + 8);
  t->numLongHorMetrics = (int)U16(hhea + 34);
  if (t->ascent - t->descent <= 0) return -1;
  if (t->numLongHorMetrics < 1 || 4ull * t->numLongHorMetrics > t->hmtx.length) return -1;
  if (t->indexToLocFormat < 2 && (t->numGlyphs + 1ull) * (t->indexToLocFormat == 0 ? 2 : 4) > t->loca.length)
    return -1;
  if (!CheckCmap(data + t->cmap.offset, t->cmap.length)) return -1;
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
  return S16(data + t.hmtx.offset + 4 * i);
}

int fntKernAdvance(const unsigned char* data, const FNTfontTables& t, int left, int right)
{
  if (t.kernPairs <= 0 || left < 0 || right < 0) return 0;
  const unsigned char* pairs = data + t.kern.offset + 18;
  const uint32_t needle = (uint32_t)left << 16 | (uint32_t)right;
  int lo = 0, hi = t.kernPairs - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) >> 1;
    const uint32_t straw = U32(pairs + mid * 6);
    if (needle < straw)
      hi = mid - 1;
    else if (needle > straw)
      lo = mid + 1;
    else
      return S16(pairs + mid * 6 + 4);
  }
  return 0;
}
