#include "vst3/adapter/ParamMapping.h"

#include <cmath>
#include <limits>

namespace plugin::vst3 {

namespace {

constexpr int kCanAutomate = 1 << 0; // the host's can-automate flag
constexpr int kIsList = 1 << 3;      // the host's list flag

} // namespace

double RealFromNormalized(const IParam& param, double normalized) noexcept
{
  return param.Constrain(param.Constrain(param.GetShape().ValueFromNormalized(normalized, param)));
}

double NormalizedFromReal(const IParam& param, double value) noexcept
{
  return param.ToNormalized(value);
}

int StepCountOf(const IParam& param) noexcept
{
  if (param.Type() == IParam::kTypeDouble) return 0;
  const double range = std::trunc(param.GetMax() - param.GetMin());
  // A hostile range must not overflow the conversion.
  if (!(range > 0.0)) return 0;
  if (range >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(range);
}

int ParameterFlagsOf(const IParam& param) noexcept
{
  int flags = param.GetCanAutomate() ? kCanAutomate : 0;
  if (param.Type() == IParam::kTypeEnum) flags |= kIsList;
  return flags;
}

} // namespace plugin::vst3
