#include "graphics/controls/IVKnobControl.h"

#include "framework/params/IParam.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/VectorControlHelpers.h"

#include <algorithm>

namespace plugin::ui {

IVKnobControl::IVKnobControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                             bool valueIsEditable, bool valueInWidget, float startAngle, float endAngle,
                             float anchorAngle, EDirection direction, double gearing, float trackSize)
    : IKnobControlBase(bounds, paramIdx, direction, gearing), IVectorBase(style, false, valueInWidget),
      mStartAngle(startAngle), mEndAngle(endAngle), mAnchorAngle(anchorAngle)
{
  mHidePointer = style.hidePointerOnDrag;
  mShape = EVShape::Ellipse;
  mTrackSize = trackSize;
  mTextStyle = style.valueText;
  mPromptBlocked = !valueIsEditable;
  AttachIControl(this, label);
}

IVKnobControl::IVKnobControl(const IRECT& bounds, IActionFunction action, const char* label,
                             const IVStyle& style, bool valueIsEditable, bool valueInWidget, float startAngle,
                             float endAngle, float anchorAngle, EDirection direction, double gearing,
                             float trackSize)
    : IVKnobControl(bounds, -1, label, style, valueIsEditable, valueInWidget, startAngle, endAngle,
                    anchorAngle, direction, gearing, trackSize)
{
  mActionFunction = std::move(action);
}

IVKnobControl::~IVKnobControl() = default;

float IVKnobControl::ValueAngle(double v) const noexcept
{
  return mStartAngle + (mEndAngle - mStartAngle) * static_cast<float>(UnitValue(v));
}

// --- Layout and value text ---

void IVKnobControl::OnResize()
{
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  SetDirty(false);
}

void IVKnobControl::OnInit()
{
  if (!ParamValueText(*this, mValueStr, true)) return;
  if (!*mLabelStr.Get()) mLabelStr.Set(GetParam(0)->GetName());
}

void IVKnobControl::SetDirty(bool triggerAction, int)
{
  IControl::SetDirty(triggerAction, -1);
  ParamValueText(*this, mValueStr, true);
}

IRECT IVKnobControl::GetKnobDragBounds()
{
  const IRECT& w = mWidgetBounds;
  if (w.W() > w.H()) return CentredBox(w, w.H() / 2.f, w.H());
  return CentredBox(w, w.W(), w.W() / 2.f);
}

// --- Drawing ---

void IVKnobControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, mMouseOverValue);
}

void IVKnobControl::DrawWidget(ICanvas& g)
{
  const IRECT& w = mWidgetBounds;
  if (!HasArea(w)) return;
  const float cx = w.MW();
  const float cy = w.MH();
  const float r = (std::min(w.W(), w.H()) - mTrackSize) / 2.f;
  const float side = std::max(1.f, 2.f * (r - mHandleGap)); // 1 also for a NaN radius
  const float angle = ValueAngle(GetValue(0));
  DrawIndicatorTrack(g, angle, cx, cy, r);
  DrawPressableShape(g, EVShape::Ellipse, IRECT::MakeCentred(cx, cy, side, side), mPressed, mHovered,
                     mIsDisabled);
  DrawPointer(g, angle, cx, cy, side / 2.f);
}

void IVKnobControl::DrawIndicatorTrack(ICanvas& g, float angle, float cx, float cy, float r)
{
  if (!(mTrackSize > 0.f) || !(r > 0.f)) return; // a track wider than the widget has no arc
  g.DrawArc(GetColor(EVColor::Extra1), cx, cy, r, std::min(mAnchorAngle, angle),
            std::max(mAnchorAngle, angle), &mBlendState, mTrackSize);
}

void IVKnobControl::DrawPointer(ICanvas& g, float angle, float cx, float cy, float r)
{
  g.DrawRadialLine(GetColor(EVColor::Frame), cx, cy, angle, mPointerInnerFrac * r, mPointerOuterFrac * r,
                   &mBlendState, mPointerThickness);
}

// --- Mouse ---

bool IVKnobControl::IsHit(float x, float y) const
{
  if (!mPromptBlocked && mValueBounds.Contains(x, y)) return true;
  return mWidgetBounds.Contains(x, y);
}

void IVKnobControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (mStyle.showValue && !mPromptBlocked) mMouseOverValue = mValueBounds.Contains(x, y);
  IControl::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVKnobControl::OnMouseOut()
{
  mMouseOverValue = false;
  IControl::OnMouseOut();
}

void IVKnobControl::OnMouseDown(float x, float y, const IMouseMod& mod)
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
    IKnobControlBase::OnMouseDown(x, y, mod);
  }
  SetDirty(false);
}

void IVKnobControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  IKnobControlBase::OnMouseUp(x, y, mod);
  SetDirty(true);
}

void IVKnobControl::OnMouseDblClick(float x, float y, const IMouseMod&)
{
  SetValueToDefault(GetValIdxForPos(x, y));
}

} // namespace plugin::ui
