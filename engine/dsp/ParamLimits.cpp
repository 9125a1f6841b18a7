#include "engine/dsp/ParamLimits.h"

#include <cmath>

namespace kelmo::dsp {

ParamValues DefaultParamValues() noexcept
{
  ParamValues values{};
  for (int i = 0; i < kNumParams; ++i)
    values[i] = kParamLimits[i].defaultValue;
  return values;
}

ParamValues SanitizeParams(const ParamValues& values) noexcept
{
  ParamValues out{};
  for (int i = 0; i < kNumParams; ++i) {
    const ParamLimit& l = kParamLimits[i];
    const double v = values[i];
    if (!std::isfinite(v))
      out[i] = l.defaultValue;
    else
      out[i] = v < l.min ? l.min : (v > l.max ? l.max : v);
  }
  return out;
}

} // namespace kelmo::dsp
