#include "graphics/control/ISwitchControlBase.h"

#include "framework/params/IParam.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

namespace {

// The next double above 1: sums that land on 1 by rounding still count as the last position.
constexpr double kWrapAbove = 1.0000000000000002;
// Most positions a parameter's range may give a switch (one flag is kept per position).
constexpr double kMaxStates = 65536.0;

} // namespace

ISwitchControlBase::ISwitchControlBase(const IRECT& bounds, int paramIdx, IActionFunction action,
                                       int numStates)
    : IControl(bounds, paramIdx, std::move(action)), mStateCount(numStates),
      mDisabledStates(static_cast<size_t>(std::max(numStates, 0)), false)
{
  mDoubleClickIsClick = true;
}

void ISwitchControlBase::OnInit()
{
  const IParam* param = GetParam(0);
  if (!param) return; // unbound, or a parameter the delegate does not have
  const double states = std::trunc(param->GetMax() - param->GetMin()) + 1.0;
  if (!(states >= 1.0 && states <= kMaxStates)) return; // a range no switch can show
  mStateCount = static_cast<int>(states);
  mDisabledStates.resize(static_cast<size_t>(mStateCount), false);
}

void ISwitchControlBase::OnMouseDown(float, float, const IMouseMod&)
{
  const double current = GetValue(0);
  double next = 0.0;
  if (mStateCount == 2) {
    next = current == 0.0 ? 1.0 : 0.0;
  } else {
    next = current + 1.0 / (mStateCount - 1);
    if (next > kWrapAbove) next = 0.0;
  }
  SetValue(next, 0);
  mPressed = true;
  SetDirty(true);
}

void ISwitchControlBase::OnMouseUp(float, float, const IMouseMod&)
{
  mPressed = false;
  SetDirty(false);
}

void ISwitchControlBase::SetStateDisabled(int stateIdx, bool disabled)
{
  if (stateIdx >= 0 && stateIdx < static_cast<int>(mDisabledStates.size()))
    mDisabledStates[stateIdx] = disabled;
  SetDirty(false);
}

void ISwitchControlBase::SetAllStatesDisabled(bool disabled)
{
  for (size_t i = 0; i < mDisabledStates.size(); ++i) {
    mDisabledStates[i] = disabled;
    SetDirty(false);
  }
  SetDirty(false);
}

bool ISwitchControlBase::GetStateDisabled(int stateIdx) const noexcept
{
  return stateIdx >= 0 && stateIdx < static_cast<int>(mDisabledStates.size()) && mDisabledStates[stateIdx];
}

} // namespace plugin::ui
