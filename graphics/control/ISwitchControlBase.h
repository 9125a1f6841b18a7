#pragma once

#include "graphics/control/IControl.h"

#include <vector>

namespace plugin::ui {

// A switch with a number of positions: each press steps its value to the next position (0,
// 1/(N-1), ... 1, then back to 0; two positions toggle). Bound to a parameter, it takes the
// parameter's number of values when attached. Per-position disabled flags are kept for the
// drawing classes. Main thread only.
class ISwitchControlBase : public IControl
{
public:
  // Bound to paramIdx (-1: none) with numStates positions, none disabled.
  ISwitchControlBase(const IRECT& bounds, int paramIdx = -1, IActionFunction action = nullptr,
                     int numStates = 2);

  // With a parameter the delegate has, the number of positions becomes (max - min) + 1.
  void OnInit() override;
  // The next position, pressed, SetDirty with the action.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Not pressed any more; redraw.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;

  // Stores the flag of a position in range; redraws in every case.
  void SetStateDisabled(int stateIdx, bool disabled);
  // Stores the flag of every position, redrawing after each, then once more.
  void SetAllStatesDisabled(bool disabled);
  // The flag; false for a position out of range.
  bool GetStateDisabled(int stateIdx) const noexcept;

  int GetNumStates() const noexcept { return mStateCount; }
  bool GetPressed() const noexcept { return mPressed; }

protected:
  int mStateCount;
  std::vector<bool> mDisabledStates;
  bool mPressed = false;
};

} // namespace plugin::ui
