#include "graphics/controls/IVSwitchControl.h"

#include "framework/params/IParam.h"
#include "graphics/controls/VectorControlHelpers.h"

namespace plugin::ui {

IVSwitchControl::IVSwitchControl(const IRECT& bounds, int paramIdx, const char* label, const IVStyle& style,
                                 bool valueInButton)
    : ISwitchControlBase(bounds, paramIdx, SplashClickAction, 2), IVectorBase(style, false, valueInButton)
{
  mTextStyle = style.valueText;
  AttachIControl(this, label);
  CentreValueText(valueInButton);
}

IVSwitchControl::IVSwitchControl(const IRECT& bounds, IActionFunction action, const char* label,
                                 const IVStyle& style, int numStates, bool valueInButton)
    : ISwitchControlBase(bounds, -1, std::move(action), numStates), IVectorBase(style, false, valueInButton)
{
  mTextStyle = style.valueText;
  AttachIControl(this, label);
  CentreValueText(valueInButton);
}

IVSwitchControl::~IVSwitchControl() = default;

void IVSwitchControl::CentreValueText(bool valueInButton)
{
  if (!valueInButton) return;
  mTextStyle.mVAlign = EVAlign::Middle;
  mStyle.valueText.mVAlign = EVAlign::Middle;
}

void IVSwitchControl::OnMouseOut()
{
  IControl::OnMouseOut();
  SetDirty(false);
}

void IVSwitchControl::OnResize()
{
  mHitRect = MakeRects(mBounds, true);
  mHovered = false;
  SetDirty(false);
}

void IVSwitchControl::OnInit()
{
  ISwitchControlBase::OnInit();
  if (!ParamValueText(*this, mValueStr, true)) return;
  if (!*mLabelStr.Get()) mLabelStr.Set(GetParam(0)->GetName());
}

void IVSwitchControl::SetDirty(bool triggerAction, int)
{
  IControl::SetDirty(triggerAction, -1);
  ParamValueText(*this, mValueStr, false);
}

void IVSwitchControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, false);
}

bool IVSwitchControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

void IVSwitchControl::DrawWidget(ICanvas& g)
{
  if (!HasArea(mWidgetBounds)) return;
  DrawPressableShape(g, mShape, mWidgetBounds, mPressed, mHovered, mIsDisabled);
}

} // namespace plugin::ui
