#include "graphics/controls/IVButtonControl.h"

#include "graphics/controls/VectorControlHelpers.h"

namespace plugin::ui {

IVButtonControl::IVButtonControl(const IRECT& bounds, IActionFunction action, const char* label,
                                 const IVStyle& style, bool labelInButton, bool valueInButton, EVShape shape)
    : IButtonControlBase(bounds, std::move(action)), IVectorBase(style, labelInButton, valueInButton)
{
  mShape = shape;
  mTextStyle = style.valueText;
  AttachIControl(this, label);
}

IVButtonControl::~IVButtonControl() = default;

void IVButtonControl::OnResize()
{
  mHitRect = MakeRects(mBounds, true);
  mHovered = false;
  SetDirty(false);
}

void IVButtonControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  DrawWidget(g);
  DrawLabel(g);
  DrawValue(g, false);
}

bool IVButtonControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

void IVButtonControl::DrawWidget(ICanvas& g)
{
  if (!HasArea(mWidgetBounds)) return;
  DrawPressableShape(g, mShape, mWidgetBounds, GetValue(0) != 0.0, mHovered, mIsDisabled);
}

} // namespace plugin::ui
