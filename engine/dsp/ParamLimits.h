#pragma once

#include "engine/dsp/KelmoParams.h"

#include <array>

namespace kelmo::dsp {

// Real (not normalised) values of all parameters, indexed by EParams.
using ParamValues = std::array<double, kNumParams>;

// Range and default of one parameter as the engine accepts it.
struct ParamLimit
{
  double min;
  double max;
  double defaultValue;
};

// Range and default of parameter idx (0 <= idx < kNumParams).
const ParamLimit& GetParamLimit(int idx) noexcept;

// Every parameter at its default.
ParamValues DefaultParamValues() noexcept;

// Values fit for the signal path: non-finite ones become the default, the rest are limited to
// the parameter's range. Values the framework already checked pass unchanged.
ParamValues SanitizeParams(const ParamValues& values) noexcept;

} // namespace kelmo::dsp
