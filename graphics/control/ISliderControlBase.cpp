#include "graphics/control/ISliderControlBase.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/ParamStepping.h"

namespace plugin::ui {

ISliderControlBase::ISliderControlBase(const IRECT& bounds, int paramIdx, EDirection direction,
                                       double gearing, float handleSize)
    : IControl(bounds, paramIdx), mDirection(direction), mHandleExtent(handleSize), mDragGearing(gearing)
{}

ISliderControlBase::ISliderControlBase(const IRECT& bounds, IActionFunction action, EDirection direction,
                                       double gearing, float handleSize)
    : IControl(bounds, std::move(action)), mDirection(direction), mHandleExtent(handleSize),
      mDragGearing(gearing)
{}

void ISliderControlBase::OnResize()
{
  mHitRect = mBounds;
  mHovered = false;
  mTrackRect = mBounds;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  mPressed = true;
  if (!SteppedParamOfEntry0(*this)) SnapToMouse(x, y, mDirection, mTrackRect);
  mDragValue = GetValue(0);
  if (mHidePointer && mGraphicsContext) mGraphicsContext->HideMouseCursor(true, true);
  if (mod.rightButton) PromptUserInput(GetValIdxForPos(x, y));
}

void ISliderControlBase::OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod)
{
  // Only a press of this base begins a drag: without one the drag value is stale.
  if (!mPressed) return;
  const bool stepped = SteppedParamOfEntry0(*this) != nullptr;
  if (!(mod.touchID == 0 && mHidePointer) && !stepped) {
    SnapToMouse(x, y, mDirection, mTrackRect); // absolute: the handle follows the pointer
    return;
  }
  const IRECT& t = mTrackRect;
  const bool moved = mDirection == EDirection::Vertical
                         ? DragStep(mDragValue, dY, t.T - t.B, mDragGearing, IsFine(mod))
                         : DragStep(mDragValue, dX, t.R - t.L, mDragGearing, IsFine(mod));
  if (!moved) return;
  SetValue(SnapThroughParam(*this, mDragValue), 0);
  SetDirty(true);
}

void ISliderControlBase::OnMouseUp(float, float, const IMouseMod&)
{
  if (mHidePointer && mGraphicsContext) mGraphicsContext->HideMouseCursor(false, true);
  mPressed = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseWheel(float, float, const IMouseMod& mod, float delta)
{
  SetValue(WheelValue(*this, mod, delta), 0);
  SetDirty(true);
}

} // namespace plugin::ui
