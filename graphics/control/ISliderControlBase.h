#pragma once

#include "graphics/control/IControl.h"
#include "graphics/values/EDirection.h"

namespace plugin::ui {

// A slider along one axis of its track (its bounds). A continuous slider jumps to the pointer on
// a press; a slider that hides the pointer, or whose parameter is stepped, is then dragged
// relatively like a knob (gearing, fine adjustment, steps); otherwise it follows the pointer.
// The wheel works as on a knob. Concrete sliders add Draw. Main thread only.
class ISliderControlBase : public IControl
{
public:
  // Bound to paramIdx (-1: none), no action.
  ISliderControlBase(const IRECT& bounds, int paramIdx, EDirection direction, double gearing,
                     float handleSize);
  // Unbound, with an action.
  ISliderControlBase(const IRECT& bounds, IActionFunction action, EDirection direction, double gearing,
                     float handleSize);

  // Hit rectangle and track become the bounds; hover cleared; redraw.
  void OnResize() override;
  // Pressed; a continuous slider jumps to the pointer; the drag starts from the value; the
  // pointer hides; a right press prompts.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Relative or absolute (see above). A relative drag that cannot be measured, or any drag that no
  // press of this base began, changes nothing.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // The pointer shows again; not pressed; redraw.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // One wheel step, as on a knob.
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta) override;

  EDirection GetDirection() const noexcept { return mDirection; }
  const IRECT& GetTrackBounds() const noexcept { return mTrackRect; }
  float GetHandleSize() const noexcept { return mHandleExtent; }
  double GetGearing() const noexcept { return mDragGearing; }
  bool GetHidePointer() const noexcept { return mHidePointer; }
  void SetHidePointer(bool hide) noexcept { mHidePointer = hide; }
  bool GetPressed() const noexcept { return mPressed; }

protected:
  bool mHidePointer = true;
  EDirection mDirection;
  IRECT mTrackRect;
  float mHandleExtent;
  double mDragGearing;
  bool mPressed = false;
  double mDragValue = 0.0;
};

} // namespace plugin::ui
