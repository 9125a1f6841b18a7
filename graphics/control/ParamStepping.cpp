#include "graphics/control/ParamStepping.h"

#include "framework/params/IParam.h"
#include "graphics/control/IControl.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

namespace {

constexpr double kFineFactor = 10.0;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;

// Normalised value of a real one: snapped, clamped, shaped and clamped again.
double Normalized(const IParam& param, double real) noexcept
{
  return std::clamp(param.ToNormalized(param.Constrain(real)), 0.0, 1.0);
}

} // namespace

const IParam* SteppedParamOfEntry0(const IControl& control) noexcept
{
  const IParam* param = control.GetParam(0);
  return param && param->GetStepped() && param->GetStep() > 0.0 ? param : nullptr;
}

double SnapThroughParam(const IControl& control, double n) noexcept
{
  const IParam* param = SteppedParamOfEntry0(control);
  return param ? Normalized(*param, param->FromNormalized(n)) : n;
}

bool DragStep(double& dragValue, float delta, float extent, double gearing, bool fine) noexcept
{
  const double scale = gearing * (fine ? kFineFactor : 1.0) * extent;
  const double change = static_cast<double>(delta) / scale;
  if (scale == 0.0 || !std::isfinite(change)) return false;
  dragValue = std::clamp(dragValue + change, 0.0, 1.0);
  return true;
}

double WheelValue(const IControl& control, const IMouseMod& mod, float delta) noexcept
{
  const double v = control.GetValue(0);
  if (!std::isfinite(delta)) return v;
  if (const IParam* param = SteppedParamOfEntry0(control)) {
    if (delta == 0.f) return v;
    const double real = param->FromNormalized(v); // rounded to the step and clamped
    return Normalized(*param, real + (delta > 0.f ? param->GetStep() : -param->GetStep()));
  }
  return v + static_cast<double>(delta) * (IsFine(mod) ? kFineWheelStep : kWheelStep);
}

} // namespace plugin::ui
