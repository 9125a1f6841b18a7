#include "engine/dsp/TubeStage.h"

#include "engine/dsp/Dilog.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

constexpr double kLn2 = 0.6931471805599453;
constexpr double kPiSquaredOver24 = 0.41123351671205655;

double HardLimit(double x) noexcept
{
  return x > 1.0 ? 1.0 : (x < -1.0 ? -1.0 : x);
}

} // namespace

double TubeStage::F1(double x) noexcept
{
  const double a = std::fabs(x);
  return a + std::log1p(std::exp(-2.0 * a)) - kLn2;
}

double TubeStage::F2(double x) noexcept
{
  // F2 is odd; for x >= 0 every exponential stays at or below 1.
  const double a = std::fabs(x);
  const double e = std::exp(-2.0 * a);
  const double softPlus = std::log1p(e);
  const double lnCosh = a + softPlus - kLn2;
  const double value = 0.5 * (a * (2.0 * (lnCosh - softPlus) - a) + Dilog(-e)) + kPiSquaredOver24;
  return x < 0.0 ? -value : value;
}

void TubeStage::Clear() noexcept
{
  mX1 = mX2 = mF2Prev = mD1Prev = 0.0;
}

double TubeStage::Process(double x) noexcept
{
  if (!std::isfinite(x)) return 0.0;
  const double x1 = mX1;
  const double x2 = mX2;
  const double f2p = mF2Prev;
  const double f2x = F2(x);

  double d1;
  if (std::fabs(x - x1) >= kTolerance)
    d1 = (f2x - f2p) / (x - x1);
  else
    d1 = F1((x1 + x) * 0.5);

  double y;
  if (std::fabs(x - x2) >= kTolerance) {
    y = 2.0 * (d1 - mD1Prev) / (x - x2);
  } else {
    const double xm = (x + x2) * 0.5;
    const double dm = xm - x1;
    if (std::fabs(dm) >= kTolerance)
      y = 2.0 * (F1(xm) + (f2p - F2(xm)) / dm) / dm;
    else
      y = HardLimit((xm + x1) * 0.5);
  }

  mD1Prev = d1;
  mX2 = x1;
  mX1 = x;
  mF2Prev = f2x;

  // A state that has left the finite range would poison every later call: start afresh.
  if (!std::isfinite(y) || !std::isfinite(d1) || !std::isfinite(f2x)) {
    Clear();
    return HardLimit(x);
  }
  return y;
}

} // namespace kelmo::dsp
