#include "engine/dsp/FilterBank.h"

#include "engine/dsp/DspMath.h"

#include <cmath>

namespace kelmo::dsp {

namespace {

enum class FixedType { LowPass, HighPass, BandPass };

struct FixedSection
{
  FilterSection index;
  FixedType type;
  double hz;
  double r; // 1/Q
  double bandPassB1;
};

// kRemovedHighPass9274Hz is handled separately: its design rate depends on the sample rate.
constexpr FixedSection kFixedSections[] = {
    {kRemovedLowPass320Hz, FixedType::LowPass, 320.0, 7.293946024799417, 0.0},
    {kDriveLowPass2100Hz, FixedType::LowPass, 2100.0, 1.4144271570014144, 0.0},
    {kRemovedLowPass160Hz, FixedType::LowPass, 160.0, 6.365372374283896, 0.0},
    {kCosineHighPass80Hz, FixedType::HighPass, 80.0, 1.4142271248762552, 0.0},
    {kPhaseHighPass80Hz, FixedType::HighPass, 80.0, 1.4142271248762552, 0.0},
    {kOutputLowPass50Hz, FixedType::LowPass, 50.0, 1.4142271248762552, 0.0},
    {kOutputBandPass60Hz, FixedType::BandPass, 60.0, 1.6666666666666667, kDenormalOffset},
    {kToneBandPass203Hz, FixedType::BandPass, 203.0, 1.6666666666666667, kDenormalOffset},
    {kToneBandPass10893Hz, FixedType::BandPass, 10893.0, 1.6666666666666667, kDenormalOffset},
    {kSideBandPass761Hz, FixedType::BandPass, 761.0, 1.6666666666666667, kDenormalOffset},
    {kResonanceBandPass1034Hz, FixedType::BandPass, 1034.0, 1.6666666666666667, 0.0},
    {kResonanceBandPass2981Hz, FixedType::BandPass, 2981.0, 2.5, kDenormalOffset},
    {kResonanceHighPass6509Hz, FixedType::HighPass, 6509.0, 1.5151515151515151, 0.0},
};

// Fixed sections are designed with the normalised frequency computed in single precision.
void DesignFixed(FilterBank& bank, int c, int n, FixedType type, double hz, double r, double bandPassB1,
                 double designRate) noexcept
{
  hz = LimitDesignFrequency(hz, designRate);
  const float inverseRate = static_cast<float>(1.0 / designRate);
  const float normalised = inverseRate * static_cast<float>(hz);
  const double k = std::tan(kPi * static_cast<double>(normalised));
  const double kk = k * k;
  const double norm = 1.0 / (1.0 + r * k + kk);
  const double a1 = norm * (2.0 * kk - 2.0);
  const double a2 = norm * (1.0 - r * k + kk);
  switch (type) {
  case FixedType::LowPass: {
    const double b0 = kk * norm;
    bank.SetCoefficients(n, c, b0, 2.0 * b0, b0, a1, a2);
    break;
  }
  case FixedType::HighPass:
    bank.SetCoefficients(n, c, norm, -2.0 * norm, norm, a1, a2);
    break;
  case FixedType::BandPass: {
    const double b0 = r * k * norm;
    bank.SetCoefficients(n, c, b0, bandPassB1, -b0, a1, a2);
    break;
  }
  }
}

} // namespace

double LimitDesignFrequency(double hz, double designRate) noexcept
{
  const double limit = kMaxDesignFraction * designRate;
  return hz > limit ? limit : hz;
}

void DesignFixedBank(FilterBank& bank, int c, double sampleRate) noexcept
{
  for (const FixedSection& s : kFixedSections)
    DesignFixed(bank, c, s.index, s.type, s.hz, s.r, s.bandPassB1, sampleRate);
  // Below the high rate the 9274 Hz high-pass is designed against twice the rate and run twice.
  const double highPassRate = sampleRate >= kHighRateHz ? sampleRate : 2.0 * sampleRate;
  DesignFixed(bank, c, kRemovedHighPass9274Hz, FixedType::HighPass, 9274.0, 1.9719976336028398, 0.0,
              highPassRate);
}

void DesignSidechainHighPass(FilterBank& bank, int c, double hz, double sampleRate) noexcept
{
  hz = LimitDesignFrequency(hz, sampleRate);
  const double k = std::tan(hz * kPi * (1.0 / sampleRate));
  const double r = 1.647175094712568;
  const double norm = 1.0 / (1.0 + r * k + k * k);
  bank.SetCoefficients(kSidechainHighPass, c, norm, -2.0 * norm, norm, norm * (2.0 * k * k - 2.0),
                       norm * (1.0 - r * k + k * k));
}

void DesignTubeBandPasses(FilterBank& bank, int c, double hz, double r2, double r8,
                          double sampleRate) noexcept
{
  hz = LimitDesignFrequency(hz, sampleRate);
  const double k = std::tan(hz * kPi / sampleRate);
  const double kk = k * k;
  const FilterSection sections[2] = {kTubeBandPass, kTriodeBandPass};
  const double widths[2] = {r2, r8};
  for (int i = 0; i < 2; ++i) {
    const double r = widths[i];
    const double norm = 1.0 / (kk + 1.0 + r * k);
    const double b0 = r * k * norm;
    bank.SetCoefficients(sections[i], c, b0, kDenormalOffset, -b0, norm * (2.0 * kk - 2.0),
                         norm * (kk + 1.0 - r * k));
  }
}

void DesignStereoBandPass(FilterBank& bank, int c, double hz, double r, double sampleRate) noexcept
{
  hz = LimitDesignFrequency(hz, sampleRate);
  const double k = std::tan(hz * kPi / sampleRate);
  const double kk = k * k;
  const double norm = 1.0 / (r * k + 1.0 + kk);
  const double b0 = r * k * norm;
  bank.SetCoefficients(kStereoBandPass, c, b0, 0.0, -b0, norm * (2.0 * kk - 2.0), norm * (1.0 - r * k + kk));
}

} // namespace kelmo::dsp
