#include "tools/render/LevelMeter.h"

#include <cmath>

namespace kelmo::render {

void LevelMeter::Add(double sample) noexcept
{
  const double x = std::isfinite(sample) ? sample : 0.0;
  const double magnitude = std::fabs(x);
  if (magnitude > mPeak) mPeak = magnitude;
  const double y = x * x - mCompensation;
  const double t = mSumSquares + y;
  mCompensation = (t - mSumSquares) - y;
  mSumSquares = t;
  ++mCount;
}

double LevelMeter::Rms() const noexcept
{
  return mCount > 0 ? std::sqrt(mSumSquares / static_cast<double>(mCount)) : 0.0;
}

std::optional<double> LevelMeter::Dbfs(double linear) noexcept
{
  if (!(linear > 0.0) || !std::isfinite(linear)) return std::nullopt;
  return 20.0 * std::log10(linear);
}

} // namespace kelmo::render
