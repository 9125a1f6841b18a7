#include <algorithm>

#include "graphics/renderer/FNTContext.h"
#include "graphics/renderer/FNTText.h"
#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGFontImages.h"
#include "graphics/renderer/VGText.h"
#include "graphics/renderer/VGTextSetup.h"

namespace {

enum CodepointType { kSpace, kNewline, kChar, kCJK };

CodepointType TypeOf(unsigned codepoint, unsigned previous)
{
  switch (codepoint) {
  case 9:
  case 11:
  case 12:
  case 32:
  case 0x00a0:
    return kSpace;
  case 10:
    return previous == 13 ? kSpace : kNewline; // the second of CR LF
  case 13:
    return previous == 10 ? kSpace : kNewline; // the second of LF CR
  case 0x0085:
    return kNewline;
  default:
    break;
  }
  if ((codepoint >= 0x4E00 && codepoint <= 0x9FFF) || (codepoint >= 0x3000 && codepoint <= 0x30FF) ||
      (codepoint >= 0xFF00 && codepoint <= 0xFFEF) || (codepoint >= 0x1100 && codepoint <= 0x11FF) ||
      (codepoint >= 0x3130 && codepoint <= 0x318F) || (codepoint >= 0xAC00 && codepoint <= 0xD7AF))
    return kCJK;
  return kChar;
}

// Horizontal offset of a row of width within breakRowWidth for an alignment.
float RowOffset(int halign, float breakRowWidth, float width)
{
  if (halign & VG_ALIGN_LEFT) return 0;
  if (halign & VG_ALIGN_CENTER) return breakRowWidth * 0.5f - width * 0.5f;
  if (halign & VG_ALIGN_RIGHT) return breakRowWidth - width;
  return 0;
}

} // namespace

int vgTextBreakLines(VGcontext* ctx, const char* string, const char* end, float breakRowWidth,
                     VGtextRow* rows, int maxRows)
{
  float scale = 1, invscale = 1;
  vgTextRange(&string, &end);
  if (rows == nullptr || maxRows <= 0 || string == end || !vgTextSetup(ctx, &scale, &invscale)) return 0;
  breakRowWidth *= scale;

  FNTtextIter iter, prevIter;
  FNTquad q{};
  if (!fntTextIterInit(ctx->fs, &iter, 0, 0, string, end, FNT_GLYPH_BITMAP_OPTIONAL)) return 0;
  prevIter = iter;

  const char* rowStart = nullptr;
  const char* rowEnd = nullptr;
  const char* wordStart = nullptr;
  const char* breakEnd = nullptr;
  float rowStartX = 0, rowWidth = 0, rowMinX = 0, rowMaxX = 0;
  float wordStartX = 0, wordMinX = 0, breakWidth = 0, breakMaxX = 0;
  CodepointType ptype = kSpace;
  unsigned pcodepoint = 0;
  int nrows = 0;

  const auto emit = [&](const char* start, const char* rowEndAt, const char* next, float width, float minx,
                        float maxx) {
    rows[nrows++] = VGtextRow{start, rowEndAt, next, width * invscale, minx * invscale, maxx * invscale};
    return nrows >= maxRows;
  };
  // Starts a row at the current character.
  const auto startRow = [&]() {
    rowStartX = iter.x;
    rowStart = iter.str;
    rowEnd = iter.next;
    rowWidth = iter.nextx - rowStartX;
    rowMinX = q.x0 - rowStartX;
    rowMaxX = q.x1 - rowStartX;
    wordStart = iter.str;
    wordStartX = iter.x;
    wordMinX = q.x0;
  };

  while (fntTextIterNext(ctx->fs, &iter, &q)) {
    if (iter.prevGlyphIndex < 0 && vgAllocTextAtlas(ctx)) {
      iter = prevIter;
      fntTextIterNext(ctx->fs, &iter, &q);
    }
    if (iter.prevGlyphIndex < 0) q.x0 = q.x1 = iter.x; // no glyph: no extent
    prevIter = iter;
    const CodepointType type = TypeOf(iter.codepoint, pcodepoint);
    const bool visible = type == kChar || type == kCJK;

    if (type == kNewline) {
      if (emit(rowStart != nullptr ? rowStart : iter.str, rowEnd != nullptr ? rowEnd : iter.str, iter.next,
               rowWidth, rowMinX, rowMaxX))
        return nrows;
      breakEnd = rowStart;
      breakWidth = breakMaxX = 0;
      rowStart = rowEnd = nullptr;
      rowWidth = rowMinX = rowMaxX = 0;
    } else if (rowStart == nullptr) {
      // Leading spaces are skipped; the first visible character starts the row.
      if (visible) {
        startRow();
        breakEnd = rowStart;
        breakWidth = breakMaxX = 0;
      }
    } else {
      const float nextWidth = iter.nextx - rowStartX;
      // The row as it stood before this character, for rows that end before it.
      const float widthBefore = rowWidth, maxXBefore = rowMaxX;
      if (visible) {
        rowEnd = iter.next;
        rowWidth = nextWidth;
        rowMaxX = q.x1 - rowStartX;
      }
      if (((ptype == kChar || ptype == kCJK) && type == kSpace) || type == kCJK) {
        breakEnd = iter.str;
        breakWidth = type == kCJK ? widthBefore : rowWidth;
        breakMaxX = type == kCJK ? maxXBefore : rowMaxX;
      }
      if ((ptype == kSpace && visible) || type == kCJK) {
        wordStart = iter.str;
        wordStartX = iter.x;
        wordMinX = q.x0;
      }
      if (visible && nextWidth > breakRowWidth) {
        if (breakEnd == rowStart) {
          // One word fills the row: split it before this character.
          if (emit(rowStart, iter.str, iter.str, widthBefore, rowMinX, maxXBefore)) return nrows;
          startRow();
        } else {
          // Break after the last word; the new row starts with the word being read.
          if (emit(rowStart, breakEnd, wordStart, breakWidth, rowMinX, breakMaxX)) return nrows;
          rowStartX = wordStartX;
          rowStart = wordStart;
          rowEnd = iter.next;
          rowWidth = iter.nextx - rowStartX;
          rowMinX = wordMinX - rowStartX;
          rowMaxX = q.x1 - rowStartX;
        }
        breakEnd = rowStart;
        breakWidth = breakMaxX = 0;
      }
    }
    pcodepoint = iter.codepoint;
    ptype = type;
  }

  if (rowStart != nullptr) emit(rowStart, rowEnd, end, rowWidth, rowMinX, rowMaxX);
  return nrows;
}

void vgTextBox(VGcontext* ctx, float x, float y, float breakRowWidth, const char* string, const char* end)
{
  VGstate* state = vgCurrentState(ctx);
  if (state->fontId == FNT_INVALID) return;
  vgTextRange(&string, &end);
  const int oldAlign = state->textAlign;
  const int halign = state->textAlign & (VG_ALIGN_LEFT | VG_ALIGN_CENTER | VG_ALIGN_RIGHT);
  const int valign =
      state->textAlign & (VG_ALIGN_TOP | VG_ALIGN_MIDDLE | VG_ALIGN_BOTTOM | VG_ALIGN_BASELINE);
  float lineh = 0;
  vgTextMetrics(ctx, nullptr, nullptr, &lineh);
  state->textAlign = VG_ALIGN_LEFT | valign;

  VGtextRow rows[2];
  int nrows;
  while ((nrows = vgTextBreakLines(ctx, string, end, breakRowWidth, rows, 2)) > 0) {
    for (int i = 0; i < nrows; ++i) {
      if (halign != 0)
        vgText(ctx, x + RowOffset(halign, breakRowWidth, rows[i].width), y, rows[i].start, rows[i].end);
      y += lineh * state->lineHeight;
    }
    if (rows[nrows - 1].next <= string) break; // no progress: stop rather than loop
    string = rows[nrows - 1].next;
  }
  state->textAlign = oldAlign;
}

void vgTextBoxBounds(VGcontext* ctx, float x, float y, float breakRowWidth, const char* string,
                     const char* end, float* bounds)
{
  VGstate* state = vgCurrentState(ctx);
  float scale = 1, invscale = 1;
  if (!vgTextSetup(ctx, &scale, &invscale)) {
    if (bounds != nullptr) std::fill(bounds, bounds + 4, 0.0f);
    return;
  }
  vgTextRange(&string, &end);
  const int oldAlign = state->textAlign;
  const int halign = state->textAlign & (VG_ALIGN_LEFT | VG_ALIGN_CENTER | VG_ALIGN_RIGHT);
  const int valign =
      state->textAlign & (VG_ALIGN_TOP | VG_ALIGN_MIDDLE | VG_ALIGN_BOTTOM | VG_ALIGN_BASELINE);
  float lineh = 0, rminy = 0, rmaxy = 0;
  vgTextMetrics(ctx, nullptr, nullptr, &lineh);
  state->textAlign = VG_ALIGN_LEFT | valign;
  vgTextSetup(ctx, &scale, &invscale);
  fntLineBounds(ctx->fs, 0, &rminy, &rmaxy);
  rminy *= invscale;
  rmaxy *= invscale;

  float minx = x, maxx = x, miny = y, maxy = y;
  VGtextRow rows[2];
  int nrows;
  while ((nrows = vgTextBreakLines(ctx, string, end, breakRowWidth, rows, 2)) > 0) {
    for (int i = 0; i < nrows; ++i) {
      const float dx = RowOffset(halign, breakRowWidth, rows[i].width);
      minx = std::min(minx, x + rows[i].minx + dx);
      maxx = std::max(maxx, x + rows[i].maxx + dx);
      miny = std::min(miny, y + rminy);
      maxy = std::max(maxy, y + rmaxy);
      y += lineh * state->lineHeight;
    }
    if (rows[nrows - 1].next <= string) break;
    string = rows[nrows - 1].next;
  }
  state->textAlign = oldAlign;
  if (bounds != nullptr) {
    bounds[0] = minx;
    bounds[1] = miny;
    bounds[2] = maxx;
    bounds[3] = maxy;
  }
}
