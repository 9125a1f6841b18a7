#include "engine/dsp/SidechainCompensation.h"

#include "engine/dsp/DspMath.h"

#include <cmath>

namespace kelmo::dsp {

double SidechainCompensationGain(double frequencyHz, double gainDb) noexcept
{
  const float fN = static_cast<float>(ClampUnit((frequencyHz + kDenormalOffset) * 0.0005555555555555556));
  const double g = gainDb + kDenormalOffset;
  const double aG = std::fmin(std::fabs(g), 1.0);

  double raw = 1.0;
  if (g > 0.0) raw = std::exp((fN * -0.2 + g * -0.95) * kDbToExp);
  if (g < 0.0) {
    const double u = gainDb * 0.05 + 1.0;
    const double p = u > 1.0 ? 0.0 : (u >= 0.0 ? -gainDb * 0.05 : kBelowOne);
    const double q = ClampUnit(gainDb * 0.03571428571428571 + 1.7142857142857142);
    const double e = std::pow(
        std::exp((std::sqrt(std::sqrt(static_cast<double>(fN))) * -0.40295239127395 - 0.040295239127395) * g),
        0.0625);
    const float product = static_cast<float>(q) * static_cast<float>(p) * fN;
    const double v = MinOneGuarded(static_cast<double>(product));
    raw = (1.0 + 2.0 * Smoothstep(v)) * e;
  }
  const double a = static_cast<float>(std::fmin(aG, 1.0));
  const double sa = Smoothstep(a);
  return (1.0 - sa) + sa * raw;
}

} // namespace kelmo::dsp
