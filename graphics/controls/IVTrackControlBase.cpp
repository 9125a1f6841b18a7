#include "graphics/controls/IVTrackControlBase.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

IVTrackControlBase::IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style,
                                       const std::initializer_list<int>& params, int nSteps, EDirection dir,
                                       const std::initializer_list<const char*>& trackNames)
    : IControl(bounds, params), IVectorBase(style, false, false), mDirection(dir), mNSteps(nSteps)
{
  for (const char* name : trackNames)
    mTrackNames.emplace_back(name ? name : "");
  mTextStyle = mStyle.valueText;
  AttachIControl(this, label);
}

IVTrackControlBase::~IVTrackControlBase() = default;

void IVTrackControlBase::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  IControl::OnMouseOver(x, y, mod);
  mMouseOverTrack = GetValIdxForPos(x, y);
  SetDirty(false);
}

void IVTrackControlBase::OnMouseOut()
{
  IControl::OnMouseOut();
  mMouseOverTrack = -1;
  SetDirty(false);
}

void IVTrackControlBase::OnResize()
{
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  MakeTrackRects(mWidgetBounds);
  MakeStepRects(mWidgetBounds, mNSteps);
  SetDirty(false);
}

int IVTrackControlBase::GetValIdxForPos(float x, float y) const
{
  for (size_t i = 0; i < mTrackBounds.size(); ++i)
    if (mTrackBounds[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

void IVTrackControlBase::MakeTrackRects(const IRECT& r)
{
  const int n = NVals();
  const float pad = mTrackPadding;
  mTrackBounds.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const float k = static_cast<float>(i);
    if (mDirection == EDirection::Horizontal) {
      const float h = r.H() / static_cast<float>(n);
      mTrackBounds[static_cast<size_t>(i)] = IRECT(r.L, r.T + k * h + pad, r.R, r.T + (k + 1.f) * h - pad);
    } else {
      const float w = r.W() / static_cast<float>(n);
      mTrackBounds[static_cast<size_t>(i)] = IRECT(r.L + k * w, r.T, r.L + (k + 1.f) * w - pad, r.B - pad);
    }
  }
}

void IVTrackControlBase::MakeStepRects(const IRECT& r, int nSteps)
{
  mStepBounds.clear();
  const int count = nSteps <= 0 ? 0 : (mZeroValueStepHasBounds ? nSteps + 1 : nSteps);
  for (int i = 0; i < count; ++i) {
    // Cell 0 is the last slice: the bottom one of a vertical control.
    const float k = static_cast<float>(count - 1 - i);
    if (mDirection == EDirection::Horizontal) {
      const float w = r.W() / static_cast<float>(count);
      mStepBounds.emplace_back(r.L + k * w, r.T, r.L + (k + 1.f) * w, r.B);
    } else {
      const float h = r.H() / static_cast<float>(count);
      mStepBounds.emplace_back(r.L, r.T + k * h, r.R, r.T + (k + 1.f) * h);
    }
  }
}

void IVTrackControlBase::DrawWidget(ICanvas& g)
{
  for (int i = 0; i < NVals() && i < static_cast<int>(mTrackBounds.size()); ++i)
    DrawTrack(g, mTrackBounds[static_cast<size_t>(i)], i);
}

void IVTrackControlBase::DrawBackground(ICanvas& g, const IRECT& r)
{
  g.FillRect(GetColor(EVColor::Background), r, GetBlend());
  if (!(mBaseValue > 0.0)) return;
  const float b = static_cast<float>(mBaseValue);
  if (mDirection == EDirection::Vertical)
    g.DrawHorizontalLine(GetColor(EVColor::Shadow), r, b, GetBlend(), 1.f);
  else
    g.DrawVerticalLine(GetColor(EVColor::Shadow), r, b, GetBlend(), 1.f);
}

void IVTrackControlBase::DrawTrack(ICanvas& g, const IRECT& r, int chIdx)
{
  DrawTrackHighlight(g, r, chIdx);
  if (!mTrackNames.empty()) DrawTrackName(g, r, chIdx);

  const bool horizontal = mDirection == EDirection::Horizontal;
  const float v = static_cast<float>(GetValue(chIdx));
  const float b = static_cast<float>(mBaseValue);
  IRECT fill = r;
  if (b > 0.f) {
    const float lo = std::min(v, b);
    const float hi = std::max(v, b);
    if (horizontal) {
      fill.L = r.L + r.W() * lo;
      fill.R = r.L + r.W() * hi;
    } else {
      fill.T = r.B - r.H() * hi;
      fill.B = r.B - r.H() * lo;
    }
  } else if (horizontal) {
    fill.R = r.L + r.W() * v;
  } else {
    fill.T = r.B - r.H() * v;
  }
  const bool baseBelowValue = b < v;

  if (!mStepBounds.empty()) {
    if (mZeroValueStepHasBounds && v == 0.f && !horizontal) fill.T = mStepBounds[0].T;
    for (const IRECT& cell : mStepBounds) {
      const bool inside = cell.L <= fill.R && fill.R <= cell.R && cell.T <= fill.T && fill.T <= cell.B;
      if (cell.Empty() || !inside) continue;
      if (horizontal) {
        fill.L = cell.L;
        fill.R = cell.R;
      } else {
        fill.T = cell.T;
        fill.B = cell.B;
      }
      break;
    }
    if (mZeroValueStepHasBounds || v > 0.f) DrawTrackValueFill(g, fill, chIdx, baseBelowValue);
  } else {
    DrawTrackValueFill(g, fill, chIdx, baseBelowValue);
    const float p = mPeakSize;
    IRECT peak = fill;
    if (horizontal) {
      peak = v >= b ? IRECT(fill.R - p, fill.T, fill.R, fill.B) : IRECT(fill.L, fill.T, fill.L + p, fill.B);
    } else {
      peak = v >= b ? IRECT(fill.L, fill.T, fill.R, fill.T + p) : IRECT(fill.L, fill.B - p, fill.R, fill.B);
    }
    DrawTrackPeakFill(g, peak, chIdx, baseBelowValue);
  }
  DrawTrackFrame(g, r);
}

void IVTrackControlBase::DrawTrackFrame(ICanvas& g, const IRECT& r)
{
  if (mStyle.drawFrame && mDrawTrackFrame)
    g.DrawRect(GetColor(EVColor::Frame), r, GetBlend(), mStyle.frameThickness);
}

void IVTrackControlBase::DrawTrackHighlight(ICanvas& g, const IRECT& r, int)
{
  g.FillRect(COLOR_TRANSPARENT, r, GetBlend());
}

void IVTrackControlBase::DrawTrackName(ICanvas& g, const IRECT& r, int chIdx)
{
  const bool named = chIdx >= 0 && chIdx < static_cast<int>(mTrackNames.size());
  g.DrawText(mTextStyle, named ? mTrackNames[static_cast<size_t>(chIdx)].c_str() : "", r, GetBlend());
}

void IVTrackControlBase::DrawTrackValueFill(ICanvas& g, const IRECT& r, int chIdx, bool)
{
  g.FillRect(GetColor(EVColor::Foreground), r, GetBlend());
  if (chIdx == mMouseOverTrack) g.FillRect(GetColor(EVColor::Highlight), r, GetBlend());
}

void IVTrackControlBase::DrawTrackPeakFill(ICanvas& g, const IRECT& r, int, bool)
{
  g.FillRect(GetColor(EVColor::Frame), r, GetBlend());
}

void IVTrackControlBase::SetBaseValue(double value)
{
  mBaseValue = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
  SetDirty(false);
}

void IVTrackControlBase::SetTrackPadding(float padding)
{
  mTrackPadding = padding;
  OnResize();
}

void IVTrackControlBase::SetPeakSize(float size)
{
  mPeakSize = size;
  SetDirty(false);
}

void IVTrackControlBase::SetNSteps(int nSteps)
{
  mNSteps = nSteps;
  OnResize();
}

} // namespace plugin::ui
