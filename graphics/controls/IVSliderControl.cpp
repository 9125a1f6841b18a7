#include "graphics/controls/IVSliderControl.h"

#include "framework/params/IParam.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/VectorControlHelpers.h"

#include <algorithm>

namespace plugin::ui {

IVSliderControl::IVSliderControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 bool valueIsEditable, EDirection direction, bool handleInsideTrack,
                                 double gearing, float handleSize, float trackSize, float handleXOffset,
                                 float handleYOffset)
    : ISliderControlBase(bounds, paramIdx, direction, gearing, handleSize), IVectorBase(style, false, false),
      mHandleInsideTrack(handleInsideTrack), mHandleXOffset(handleXOffset), mHandleYOffset(handleYOffset)
{
  mHidePointer = style.hidePointerOnDrag;
  mShape = EVShape::Ellipse;
  mTrackSize = trackSize;
  mPromptBlocked = !valueIsEditable;
  mTextStyle = style.valueText;
  AttachIControl(this, label);
}

IVSliderControl::IVSliderControl(const IRECT& bounds, IActionFunction action, const char* label,
                                 const IVStyle& style, bool valueIsEditable, EDirection direction,
                                 bool handleInsideTrack, double gearing, float handleSize, float trackSize,
                                 float handleXOffset, float handleYOffset)
    : IVSliderControl(bounds, -1, label, style, valueIsEditable, direction, handleInsideTrack, gearing,
                      handleSize, trackSize, handleXOffset, handleYOffset)
{
  mActionFunction = std::move(action);
}

IVSliderControl::~IVSliderControl() = default;

// --- Layout and value text ---

void IVSliderControl::OnResize()
{
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  const IRECT& w = mWidgetBounds;
  const float h = mHandleExtent;
  const float t = mTrackSize;
  if (!HasArea(w))
    mTrackRect = IRECT();
  else if (mDirection == EDirection::Horizontal)
    mTrackRect = IRECT(w.L + h, w.MH() - t, w.R - h, w.MH() + t);
  else
    mTrackRect = IRECT(w.MW() - t, w.T + h, w.MW() + t, w.B - h);
  SetDirty(false);
}

void IVSliderControl::OnInit()
{
  if (!ParamValueText(*this, mValueStr, true)) return;
  if (!*mLabelStr.Get()) mLabelStr.Set(GetParam(0)->GetName());
}

void IVSliderControl::SetDirty(bool triggerAction, int)
{
  IControl::SetDirty(triggerAction, -1);
  ParamValueText(*this, mValueStr, true);
}

// --- Drawing ---

IRECT IVSliderControl::FilledBounds(double v) const
{
  const IRECT& t = mTrackRect;
  const float f = static_cast<float>(UnitValue(v));
  if (mDirection == EDirection::Horizontal) return IRECT(t.L, t.T, t.L + (t.R - t.L) * f, t.B);
  return IRECT(t.L, t.B + (t.T - t.B) * f, t.R, t.B);
}

void IVSliderControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, mValueMouseOver);
}

void IVSliderControl::DrawWidget(ICanvas& g)
{
  if (!HasArea(mWidgetBounds)) return;
  const IRECT filled = FilledBounds(GetValue(0));
  if (mTrackSize > 0.f) DrawTrack(g, filled);
  // A shadowed square handle sits half the shadow below (or right of) the track's centre line.
  const float o = mStyle.drawShadows && mShape != EVShape::Ellipse ? mStyle.shadowOffset / 2.f : 0.f;
  const bool horizontal = mDirection == EDirection::Horizontal;
  const float cx = (horizontal ? filled.R : filled.MW() + o) + mHandleXOffset;
  const float cy = (horizontal ? filled.MH() + o : filled.T) + mHandleYOffset;
  const float hs = mHandleExtent;
  if (hs > 0.f) DrawHandle(g, IRECT(cx - hs, cy - hs, cx + hs, cy + hs));
}

void IVSliderControl::DrawTrack(ICanvas& g, const IRECT& filled)
{
  const float e = mHandleInsideTrack ? mHandleExtent : 0.f;
  const bool horizontal = mDirection == EDirection::Horizontal;
  auto lengthened = [&](const IRECT& r) {
    return horizontal ? IRECT(r.L - e, r.T, r.R + e, r.B) : IRECT(r.L, r.T - e, r.R, r.B + e);
  };
  const IRECT track = lengthened(mTrackRect);
  const float radius = mStyle.roundness * 0.5f * std::min(mTrackRect.W(), mTrackRect.H());
  g.FillRoundRect(GetColor(EVColor::Shadow), track, radius, &mBlendState);
  g.FillRoundRect(GetColor(EVColor::Extra1), lengthened(filled), radius, &mBlendState);
  if (mStyle.drawFrame)
    g.DrawRoundRect(GetColor(EVColor::Frame), track, radius, &mBlendState, mStyle.frameThickness);
}

void IVSliderControl::DrawHandle(ICanvas& g, const IRECT& bounds)
{
  DrawPressableShape(g, mShape, bounds, mPressed, mHovered, mIsDisabled);
}

// --- Mouse ---

bool IVSliderControl::IsHit(float x, float y) const
{
  if (!mPromptBlocked && mValueBounds.Contains(x, y)) return true;
  return mWidgetBounds.Contains(x, y);
}

void IVSliderControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (mStyle.showValue && !mPromptBlocked) mValueMouseOver = mValueBounds.Contains(x, y);
  IControl::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVSliderControl::OnMouseOut()
{
  mValueMouseOver = false;
  IControl::OnMouseOut();
}

void IVSliderControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  // A press on an editable value text opens the prompt and begins no drag. A value text that
  // cannot be edited is part of the widget where it covers it, and inert outside it.
  const bool onValue = mStyle.showValue && mValueBounds.Contains(x, y);
  if (onValue && CanPromptUserInput(0)) {
    mPressed = false;
    PromptUserInput(mValueBounds, 0);
  } else if (onValue && !mWidgetBounds.Contains(x, y)) {
    mPressed = false;
  } else {
    ISliderControlBase::OnMouseDown(x, y, mod);
  }
}

void IVSliderControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  ISliderControlBase::OnMouseUp(x, y, mod);
  SetDirty(true);
}

void IVSliderControl::OnMouseDblClick(float x, float y, const IMouseMod&)
{
  SetValueToDefault(GetValIdxForPos(x, y));
}

} // namespace plugin::ui
