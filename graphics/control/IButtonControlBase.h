#pragma once

#include "graphics/control/IControl.h"

namespace plugin::ui {

// A momentary button: a press sets its value to 1 and runs its action; the end of the click
// animation the action starts (DefaultClickAction or SplashClickAction) sets it back to 0. A
// double click counts as a click. Concrete buttons add Draw. Main thread only.
class IButtonControlBase : public IControl
{
public:
  // No parameter; action runs on every press.
  IButtonControlBase(const IRECT& bounds, IActionFunction action);

  // Value 1, then SetDirty with the action.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Value 0, animation cleared, redraw, then the animation-end function.
  void OnEndAnimation() override;
};

} // namespace plugin::ui
