#pragma once

#include "graphics/control/IControl.h"
#include "graphics/values/EDirection.h"

namespace plugin::ui {

// A knob turned by dragging along one axis: the drag moves an unsnapped value over the drag
// rectangle (scaled by the gearing, ten times finer with shift or control), and the knob shows
// and sends that value snapped to its parameter's step. The wheel moves it by 0.01 (0.001 fine)
// or by one step. The pointer is hidden and held while pressed. Concrete knobs add Draw.
// Main thread only.
class IKnobControlBase : public IControl
{
public:
  // Bound to paramIdx (-1: none); a vertical or horizontal drag with the given gearing.
  IKnobControlBase(const IRECT& bounds, int paramIdx, EDirection direction, double gearing,
                   IActionFunction action = nullptr);

  // Pressed; the drag starts from the current value; the pointer hides; a right press prompts.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The pointer shows again; not pressed; redraw.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // Moves the drag value and sends it snapped. A drag that cannot be measured, or that no press
  // of this base began, changes nothing.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // One wheel step (see above), then SetDirty with the action.
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta) override;

  // The rectangle a drag is measured over; base: the hit rectangle. Called by the drag handler on
  // the main thread; no allocation.
  virtual IRECT GetKnobDragBounds();

  EDirection GetDirection() const noexcept { return mDirection; }
  double GetGearing() const noexcept { return mDragGearing; }
  void SetGearing(double gearing) noexcept { mDragGearing = gearing; }
  bool GetHidePointer() const noexcept { return mHidePointer; }
  void SetHidePointer(bool hide) noexcept { mHidePointer = hide; }
  bool GetPressed() const noexcept { return mPressed; }
  double GetDragValue() const noexcept { return mDragValue; }

protected:
  bool mHidePointer = true;
  EDirection mDirection;
  double mDragGearing;
  bool mPressed = false;
  double mDragValue = 0.0;
};

} // namespace plugin::ui
