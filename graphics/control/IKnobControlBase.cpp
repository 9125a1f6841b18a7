#include "graphics/control/IKnobControlBase.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/ParamStepping.h"

namespace plugin::ui {

IKnobControlBase::IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection direction, double gearing,
                                   IActionFunction action)
    : IControl(bounds, paramIdx, std::move(action)), mDirection(direction), mDragGearing(gearing)
{}

void IKnobControlBase::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mPressed = true;
  mDragValue = GetValue(0);
  if (mHidePointer && mGraphicsContext) mGraphicsContext->HideMouseCursor(true, true);
  if (mod.rightButton) PromptUserInput(GetValIdxForPos(x, y));
}

void IKnobControlBase::OnMouseUp(float, float, const IMouseMod&)
{
  if (mHidePointer && mGraphicsContext) mGraphicsContext->HideMouseCursor(false, true);
  mPressed = false;
  SetDirty(false);
}

void IKnobControlBase::OnMouseDrag(float, float, float dX, float dY, const IMouseMod& mod)
{
  // Only a press of this base begins a drag: without one the drag value is stale.
  if (!mPressed) return;
  const IRECT r = GetKnobDragBounds();
  // Vertical: upward movement (negative dY) over the height raises the value.
  const bool moved = mDirection == EDirection::Vertical
                         ? DragStep(mDragValue, dY, r.T - r.B, mDragGearing, IsFine(mod))
                         : DragStep(mDragValue, dX, r.R - r.L, mDragGearing, IsFine(mod));
  if (!moved) return;
  SetValue(SnapThroughParam(*this, mDragValue), 0);
  SetDirty(true);
}

void IKnobControlBase::OnMouseWheel(float, float, const IMouseMod& mod, float delta)
{
  SetValue(WheelValue(*this, mod, delta), 0);
  SetDirty(true);
}

IRECT IKnobControlBase::GetKnobDragBounds()
{
  return mHitRect;
}

} // namespace plugin::ui
