#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/canvas/UIClock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

// The frame loop: dirty collection, drawing clipped to the dirty areas, frame timing, and the
// frame-strip bitmap operations controls draw with.

namespace plugin::ui {

namespace {

// Every control rectangle grows by this on each side so that anti-aliased edges are redrawn.
constexpr float kDirtyGrowth = 0.75f;

// r moved inside p: left and top edges first (keeping the far edges 1 unit inside p), then the
// right and bottom edges back inside p, keeping the near edges within p.
IRECT ShiftInside(IRECT r, const IRECT& p)
{
  if (r.L < p.L) {
    r.R = std::min(r.R + (p.L - r.L), p.R - 1.f);
    r.L = p.L;
  }
  if (r.T < p.T) {
    r.B = std::min(r.B + (p.T - r.T), p.B - 1.f);
    r.T = p.T;
  }
  if (r.R >= p.R) {
    r.L = std::max(r.L - (r.R - (p.R - 1.f)), p.L);
    r.R = p.R - 1.f;
  }
  if (r.B >= p.B) {
    r.T = std::max(r.T - (r.B - (p.B - 1.f)), p.T);
    r.B = p.B - 1.f;
  }
  return r;
}

// Source offset of frame (1-based) in a strip of N frames: frame clamped to 1..N, frame 1 (and
// any strip of fewer than two frames) from the origin.
void FrameOffset(const IBitmap& bitmap, int frame, int& srcX, int& srcY)
{
  srcX = 0;
  srcY = 0;
  const int n = bitmap.N();
  if (n < 2) return;
  frame = std::clamp(frame, 1, n);
  if (frame < 2) return;
  if (bitmap.GetFramesAreHorizontal())
    srcX = static_cast<int>(static_cast<long long>(bitmap.W()) * (frame - 1) / n);
  else
    srcY = static_cast<int>(static_cast<long long>(bitmap.H()) * (frame - 1) / n);
}

} // namespace

void ICanvas::BeginFrame()
{
  if (!mFrameRateDisplay) return;
  // One start time for the whole process; the clock is the main run loop's (monotonic).
  static const double sStartMs = UINowMs();
  const double t = (UINowMs() - sStartMs) * 1e-3;
  mFrameRateDisplay->AddSample(static_cast<float>(t - mPrevFrameTime));
  mPrevFrameTime = t;
}

bool ICanvas::IsDirty(IRECTList& rects)
try {
  // Every animation steps before any control is asked, so one frame sees them all advanced.
  ForAllControlsFunc([](IControl* c) { c->StepAnimation(); });
  bool dirty = false;
  ForAllControlsFunc([&](IControl* c) {
    if (!c->IsDirty()) return; // hidden controls report too: the hidden test is made when drawing
    IRECT r = c->mBounds.GetPadded(kDirtyGrowth);
    if (const IControl* parent = c->mParentControl)
      r = ShiftInside(r, parent->mBounds.GetPadded(kDirtyGrowth));
    rects.Add(r);
    dirty = true;
  });
  return dirty;
} catch (const std::bad_alloc&) {
  // Nothing is drawn this time: the dirty controls stay dirty for the next frame.
  AbandonGesture();
  return false;
}

void ICanvas::Draw(IRECTList& rects)
{
  if (rects.Size() == 0) return; // no frame is begun
  const float s = GetTotalScale();
  bool begun = false;
  bool failed = false;
  try {
    BeginFrame();
    begun = true;
    if (!mSingleDirtyRegion) {
      for (int i = 0; i < rects.Size(); ++i)
        rects.Get(i) = rects.Get(i).GetPixelAligned(s);
      rects.Consolidate();
      for (int i = 0; i < rects.Size(); ++i)
        Draw(rects.Get(i), s);
    } else {
      Draw(rects.Bounds().GetPixelAligned(s), s);
    }
  } catch (const std::bad_alloc&) {
    failed = true;
  }
  // A frame that ran out of memory is presented as far as it was drawn, and drawn whole next time.
  if (begun) EndFrame();
  if (failed) SetAllControlsDirty();
}

void ICanvas::Draw(const IRECT& region, float scale)
{
  ForAllControlsFunc([&](IControl* c) { DrawControl(c, region, scale); });
}

void ICanvas::DrawControl(IControl* control, const IRECT& region, float scale)
{
  if (!control) return;
  if (control->IsHidden() && control != mControlList.Get(0)) return; // a hidden background still draws
  const IRECT a = control->mBounds.GetPadded(kDirtyGrowth).GetPixelAligned(scale);
  if (region.Empty() || a.Empty() || !a.Intersects(region)) return;
  IRECT q = a.Intersect(region);
  if (q.W() <= 0.f || q.H() <= 0.f) return;
  // Clipped to every ancestor in turn; the walk is bounded so that a parent cycle cannot hang it.
  int depth = 0;
  for (const IControl* p = control->mParentControl; p && depth <= NControls();
       p = p->mParentControl, ++depth) {
    const IRECT pr = p->mBounds.GetPadded(kDirtyGrowth).GetPixelAligned(scale);
    if (q.Empty() || pr.Empty() || !q.Intersects(pr)) return;
    q = ShiftInside(q, pr);
  }
  PrepareRegion(q);
  control->Draw(*this);
  OnAfterDrawControl(q);
}

void ICanvas::PrepareRegion(const IRECT& r)
{
  mTransformStates.clear();
  mTransform = IMatrix();
  PathTransformSetMatrix(mTransform);
  PathClear();
  SetClipRegion(r);
  mClipRect = r;
}

void ICanvas::SetSingleDirtyRegion(bool single)
{
  mSingleDirtyRegion = single;
  SetAllControlsDirty();
}

void ICanvas::DrawBitmapFrame(const IBitmap& bitmap, const IRECT& bounds, int frame, const IBlend* blend)
{
  if (!bitmap.IsValid()) return; // an empty bitmap draws nothing
  int srcX = 0;
  int srcY = 0;
  FrameOffset(bitmap, frame, srcX, srcY);
  DrawBitmap(bitmap, bounds, srcX, srcY, blend);
}

void ICanvas::DrawBitmapText(const IBitmap& font, const IRECT& r, const IText& text, const IBlend* blend,
                             const char* str, bool vCenter, bool multiline, int charWidth, int charHeight,
                             int charOffset)
{
  if (!str || !*str) return;
  if (!font.IsValid() || font.N() < 1) return;   // no character frames to draw from
  if (charWidth <= 0 || charHeight <= 0) return; // no cell to draw into
  const int n = static_cast<int>(std::strlen(str));
  const float cw = static_cast<float>(charWidth);
  const float ch = static_cast<float>(charHeight);
  const float width = r.W();
  const float textWidth = static_cast<float>(n) * cw;

  // Characters per line (at most n: the string ends there anyway) and lines.
  const double fit = std::min(std::trunc(static_cast<double>(width) / cw), static_cast<double>(n));
  int perLine = fit >= 1.0 ? static_cast<int>(fit) : 0;
  int lines = 1;
  if (multiline && textWidth <= width) {
    perLine = n;
  } else if (multiline && perLine >= 1) {
    lines = static_cast<int>(
        std::min(std::trunc(static_cast<double>(textWidth) / width) + 1.0, static_cast<double>(n)));
  }
  if (perLine < 1) return;

  // Aligned by the width of one drawn line: the whole string's width when it fits, and otherwise
  // the width of the characters that fit, so that wrapped or cut text stays inside r.
  const float lineWidth = static_cast<float>(perLine) * cw;
  const float y0 = vCenter ? r.T + 0.5f * (r.B - (r.T + ch)) : r.T;
  float x0 = r.L;
  if (text.mAlign == EAlign::Center)
    x0 = r.L + 0.5f * (r.R - (r.L + lineWidth));
  else if (text.mAlign == EAlign::Far)
    x0 = r.R - lineWidth;

  const int frames = font.N();
  for (int m = 0; m < lines; ++m) {
    for (int k = 0; k < perLine; ++k) {
      const int idx = m * perLine + k;
      if (idx >= n) return;
      const int code = static_cast<signed char>(str[idx]); // bytes above 127 read as negative
      int srcX = 0;
      int srcY = 0;
      FrameOffset(font, std::min(std::max(code, 32) - 31, frames), srcX, srcY);
      const float x = x0 + static_cast<float>(k) * (cw + static_cast<float>(charOffset));
      const float y = y0 + static_cast<float>(m) * ch;
      DrawBitmap(font, IRECT(x, y, x + cw, y + ch), srcX, srcY, blend);
    }
  }
}

} // namespace plugin::ui
