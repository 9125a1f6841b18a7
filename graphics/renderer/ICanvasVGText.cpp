#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/CanvasPaint.h"
#include "graphics/renderer/VG.h"

#include <cstring>

// Text through the vector core: one-line text measured and drawn in a rectangle (rotated by the
// text's angle), and text wrapped into rows.

namespace plugin::ui {

namespace {

// Rows asked of the core per call while breaking text.
constexpr int kRowsPerCall = 3;

// The horizontal alignment bit and the anchor's x in r (no bit and r.L for unknown values).
int HorizontalAlign(EAlign align, const IRECT& r, float& x)
{
  switch (align) {
  case EAlign::Near:
    x = r.L;
    return VG_ALIGN_LEFT;
  case EAlign::Center:
    x = (r.L + r.R) / 2.f;
    return VG_ALIGN_CENTER;
  case EAlign::Far:
    x = r.R;
    return VG_ALIGN_RIGHT;
  }
  x = r.L;
  return 0;
}

// Calls fn for every row of str broken to width; the number of rows.
template <class Fn> int ForEachRow(VGcontext* vg, const char* str, float width, Fn&& fn)
{
  const char* start = str;
  const char* end = str + std::strlen(str);
  VGtextRow rows[kRowsPerCall];
  int count = 0;
  while (start < end) {
    const int n = vgTextBreakLines(vg, start, end, width, rows, kRowsPerCall);
    if (n <= 0) break;
    for (int i = 0; i < n; ++i)
      fn(rows[i]);
    count += n;
    if (rows[n - 1].next <= start) break; // no progress: the rest cannot be broken
    start = rows[n - 1].next;
  }
  return count;
}

} // namespace

void ICanvasVG::PrepareAndMeasureText(const IText& text, const char* str, IRECT& r, float& x, float& y) const
{
  vgFontBlur(mVG, 0.f);
  vgFontSize(mVG, text.mSize);
  vgFontFace(mVG, text.mFont);
  int align = HorizontalAlign(text.mAlign, r, x);
  switch (text.mVAlign) {
  case EVAlign::Top:
    align |= VG_ALIGN_TOP;
    y = r.T;
    break;
  case EVAlign::Middle:
    align |= VG_ALIGN_MIDDLE;
    y = (r.T + r.B) / 2.f;
    break;
  case EVAlign::Bottom:
    align |= VG_ALIGN_BOTTOM;
    y = r.B;
    break;
  default:
    y = r.T;
    break;
  }
  vgTextAlign(mVG, align);
  // Without a usable font the core measures nothing: an empty box at the anchor.
  float b[4] = {x, y, x, y};
  vgTextBounds(mVG, x, y, str, nullptr, b);
  r = IRECT(b[0], b[1], b[2], b[3]);
}

float ICanvasVG::DoMeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  if (!mVG || !str) return 0.f;
  const IRECT area = bounds;
  float x = 0.f, y = 0.f;
  PrepareAndMeasureText(text, str, bounds, x, y);
  DoMeasureTextRotation(text, area, bounds);
  return bounds.W();
}

void ICanvasVG::DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* blend)
{
  if (!mVG || !str) return;
  IRECT measured = bounds;
  float x = 0.f, y = 0.f;
  PrepareAndMeasureText(text, str, measured, x, y);
  PathTransformSave();
  if (text.mAngle != 0.f) {
    double tx = 0.0, ty = 0.0;
    CalculateTextRotation(text, bounds, measured, tx, ty);
    PathTransformTranslate(static_cast<float>(tx), static_cast<float>(ty));
    PathTransformRotate(text.mAngle);
  }
  vgFillColor(mVG, CanvasColor(text.mFGColor, blend));
  SetCanvasComposite(mVG, blend);
  vgText(mVG, x, y, str, nullptr);
  vgCompositeOperation(mVG, VG_SOURCE_OVER);
  PathTransformRestore();
}

void ICanvasVG::DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds,
                                  const IBlend* blend)
{
  if (!mVG || !str || !*str) return;
  vgSave(mVG);
  vgFontSize(mVG, text.mSize);
  vgFontFace(mVG, text.mFont);
  float x = 0.f;
  int align = HorizontalAlign(text.mAlign, bounds, x);
  float y = 0.f;
  float factor = 0.f; // how much of the rows' total height lies above y
  switch (text.mVAlign) {
  case EVAlign::Top:
    align |= VG_ALIGN_TOP;
    y = bounds.T;
    break;
  case EVAlign::Middle:
    align |= VG_ALIGN_MIDDLE;
    y = (bounds.T + bounds.B) / 2.f;
    factor = 0.5f;
    break;
  case EVAlign::Bottom:
    align |= VG_ALIGN_BOTTOM;
    y = bounds.B;
    factor = 1.f;
    break;
  }
  vgTextAlign(mVG, align);
  float lineHeight = 0.f;
  vgTextMetrics(mVG, nullptr, nullptr, &lineHeight);
  vgFillColor(mVG, CanvasColor(text.mFGColor, blend));

  const float width = bounds.W();
  const int rows = ForEachRow(mVG, str, width, [](const VGtextRow&) {});
  y -= factor * static_cast<float>(rows) * lineHeight;
  ForEachRow(mVG, str, width, [&](const VGtextRow& row) {
    vgText(mVG, x, y, row.start, row.end);
    y += lineHeight;
  });
  vgRestore(mVG);
}

} // namespace plugin::ui
