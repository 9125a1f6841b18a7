#pragma once

#include <cstdint>
#include <optional>

namespace kelmo::render {

// Peak and RMS of one channel over a whole render. Non-finite samples count as silence (the
// plug-in processes them as 0).
class LevelMeter
{
public:
  void Add(double sample) noexcept;
  template <typename T> void Add(const T* samples, int n) noexcept
  {
    for (int i = 0; i < n; ++i)
      Add(static_cast<double>(samples[i]));
  }

  double Peak() const noexcept { return mPeak; }
  double Rms() const noexcept;
  int64_t Count() const noexcept { return mCount; }

  // Levels in dBFS (20 log10 of the linear value); nothing for silence.
  std::optional<double> PeakDbfs() const noexcept { return Dbfs(Peak()); }
  std::optional<double> RmsDbfs() const noexcept { return Dbfs(Rms()); }
  static std::optional<double> Dbfs(double linear) noexcept;

private:
  double mPeak = 0.0;
  // Kahan-compensated sum of squares, so that long renders keep their precision.
  double mSumSquares = 0.0;
  double mCompensation = 0.0;
  int64_t mCount = 0;
};

} // namespace kelmo::render
