#pragma once

#include "graphics/control/ISwitchControlBase.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

// A vector-drawn switch: each press steps to the next state (two states toggle) and the shape
// looks pressed while the button is held. Bound to a parameter it shows the parameter's display
// text. Main thread only.
class IVSwitchControl : public ISwitchControlBase, public IVectorBase
{
public:
  // Bound to paramIdx (-1: none), two states until attached, the click splash as action.
  IVSwitchControl(const IRECT& bounds, int paramIdx, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueInButton = true);
  // Unbound with numStates states and the given action.
  IVSwitchControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, int numStates = 2, bool valueInButton = true);
  ~IVSwitchControl() override;

  // Redraws after the base clears the hover flag.
  void OnMouseOut() override;
  // Lays out label, shape (with room for frame and shadow) and value; the hit rectangle follows.
  void OnResize() override;
  // State count from the parameter, its value text with unit, its name as label when none given.
  void OnInit() override;
  // The frame loop draws: background, label, shape, value.
  void Draw(ICanvas& g) override;
  // Only the shape reacts.
  bool IsHit(float x, float y) const override;
  // Marks every value dirty (whatever valIdx), then the value text without unit.
  void SetDirty(bool triggerAction, int valIdx = -1) override;
  // The shape, pressed while the button is held. Frame loop.
  void DrawWidget(ICanvas& g) override;

private:
  // Value text centred in the shape.
  void CentreValueText(bool valueInButton);
};

} // namespace plugin::ui
