#include "engine/dsp/Dilog.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

constexpr double kPiSquaredOver6 = 1.6449340668482264;

constexpr double kP[8] = {1.0706105563309305,  -4.53535627302014,     7.481965759628641,
                          -6.051612431513241,  2.4733515209909815,    -0.4693756514375463,
                          0.03160891044068722, -0.0002463061261464504};
constexpr double kQ[8] = {1.0,
                          -4.535568212185605,
                          8.179002977324743,
                          -7.463419085376747,
                          3.624539250392529,
                          -0.8993678474004118,
                          0.098554565816757,
                          -0.0032116618742475188};

// y * P(y - 1/4) / Q(y - 1/4): the rational core valid for y in [0, 1/2].
double Core(double y) noexcept
{
  const double z = y - 0.25;
  double p = kP[7];
  double q = kQ[7];
  for (int i = 6; i >= 0; --i) {
    p = p * z + kP[i];
    q = q * z + kQ[i];
  }
  return y * p / q;
}

} // namespace

double Dilog(double x) noexcept
{
  if (x < -1.0) {
    const double l = std::log(1.0 - x);
    const double r = -kPiSquaredOver6 + l * (0.5 * l - std::log(-x));
    return r + Core(1.0 / (1.0 - x));
  }
  if (x == -1.0) return -0.8224670334241132;
  if (x < 0.0) {
    const double l = std::log1p(-x);
    return -0.5 * l * l - Core(x / (x - 1.0));
  }
  if (x == 0.0) return 0.0;
  if (x < 0.5) return Core(x);
  if (x < 1.0) return kPiSquaredOver6 - std::log(x) * std::log(1.0 - x) - Core(1.0 - x);
  if (x == 1.0) return kPiSquaredOver6;
  if (x < 2.0) {
    const double l = std::log(x);
    return kPiSquaredOver6 + l * (-0.5 * l - std::log(1.0 - 1.0 / x)) + Core(1.0 - 1.0 / x);
  }
  if (x >= 2.0) {
    const double l = std::log(x);
    return 3.289868133696453 - 0.5 * l * l - Core(1.0 / x);
  }
  return x; // NaN
}

} // namespace kelmo::dsp
