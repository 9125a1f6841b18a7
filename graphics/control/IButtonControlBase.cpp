#include "graphics/control/IButtonControlBase.h"

namespace plugin::ui {

IButtonControlBase::IButtonControlBase(const IRECT& bounds, IActionFunction action)
    : IControl(bounds, -1, std::move(action))
{
  mDoubleClickIsClick = true;
}

void IButtonControlBase::OnMouseDown(float, float, const IMouseMod&)
{
  SetValue(1.0, 0);
  SetDirty(true);
}

void IButtonControlBase::OnEndAnimation()
{
  SetValue(0.0, 0);
  mAnimationFunction = nullptr;
  SetDirty(false);
  if (mAnimationEndFunction) mAnimationEndFunction(this);
}

} // namespace plugin::ui
