#pragma once

#include "engine/dsp/DspMath.h"
#include "engine/dsp/GainPass.h"
#include "engine/dsp/KelmoDsp.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelmo::dsp::test {

// A stereo programme with an optional stereo side-chain, one vector per channel.
struct Stereo
{
  std::vector<double> l, r;
  std::vector<double> scL, scR;

  size_t Frames() const { return l.size(); }
};

inline std::vector<double> Sine(double hz, double dbfs, double rate, size_t frames, double phase = 0.0)
{
  std::vector<double> v(frames);
  const double amp = std::pow(10.0, dbfs / 20.0);
  for (size_t n = 0; n < frames; ++n)
    v[n] = amp * std::sin(2.0 * 3.141592653589793 * hz * n / rate + phase);
  return v;
}

inline Stereo SineStereo(double hz, double dbfs, double rate, size_t frames)
{
  return Stereo{Sine(hz, dbfs, rate, frames), Sine(hz * 1.5, dbfs, rate, frames, 0.3), {}, {}};
}

// Runs the engine over a whole programme in blocks of blockSize; returns the two outputs.
template <typename T = double>
Stereo Render(KelmoDsp& dsp, const Stereo& in, const ParamValues& params, int blockSize, double tempo = 120.0)
{
  const size_t frames = in.Frames();
  std::vector<T> l(in.l.begin(), in.l.end()), r(in.r.begin(), in.r.end());
  std::vector<T> scL(in.scL.begin(), in.scL.end()), scR(in.scR.begin(), in.scR.end());
  std::vector<T> outL(frames), outR(frames);
  for (size_t pos = 0; pos < frames; pos += blockSize) {
    const int n = static_cast<int>(std::min<size_t>(blockSize, frames - pos));
    const T* inputs[4] = {l.data() + pos, r.data() + pos, scL.empty() ? nullptr : scL.data() + pos,
                          scR.empty() ? nullptr : scR.data() + pos};
    T* outputs[2] = {outL.data() + pos, outR.data() + pos};
    dsp.Process(inputs, 4, outputs, 2, n, params, tempo);
  }
  Stereo out;
  out.l.assign(outL.begin(), outL.end());
  out.r.assign(outR.begin(), outR.end());
  return out;
}

inline double Peak(const std::vector<double>& v, size_t from = 0, size_t to = SIZE_MAX)
{
  double p = 0.0;
  for (size_t n = from; n < std::min(to, v.size()); ++n)
    p = std::max(p, std::fabs(v[n]));
  return p;
}

inline double Rms(const std::vector<double>& v, size_t from = 0, size_t to = SIZE_MAX)
{
  double s = 0.0;
  size_t count = 0;
  for (size_t n = from; n < std::min(to, v.size()); ++n, ++count)
    s += v[n] * v[n];
  return count ? std::sqrt(s / count) : 0.0;
}

inline double MaxAbsDiff(const std::vector<double>& a, const std::vector<double>& b)
{
  double d = 0.0;
  for (size_t n = 0; n < std::min(a.size(), b.size()); ++n)
    d = std::max(d, std::fabs(a[n] - b[n]));
  return d;
}

inline bool AllFinite(const std::vector<double>& v)
{
  return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
}

inline double ToDb(double gain)
{
  return 20.0 * std::log10(gain);
}

// The "42 dV" factory setting: both channels linked, stereo stage active.
inline ParamValues Preset42dV()
{
  ParamValues p = DefaultParamValues();
  const std::pair<int, double> values[] = {{kPower, 1},
                                           {kLWetGain, 4.17},
                                           {kLThreshold, 4.24},
                                           {kLFeedBack, 0},
                                           {kLAttack, 4.2},
                                           {kLRelease, 420},
                                           {kLSidechainFrequency, 420},
                                           {kLSidechainGain, 4.2},
                                           {kLBypass, 1},
                                           {kRWetGain, 4.17},
                                           {kRThreshold, 4.24},
                                           {kRFeedBack, 0},
                                           {kRAttack, 4.2},
                                           {kRRelease, 420},
                                           {kRSidechainFrequency, 420},
                                           {kRSidechainGain, 4.2},
                                           {kRBypass, 1},
                                           {kVariGain, 41.5},
                                           {kChannelLink, 1},
                                           {kMidSideMode, 0},
                                           {kLevelCalibration, -4.21},
                                           {kLinkChannelControls, 1},
                                           {kInputGain, 4.18},
                                           {kOutputGain, -4.24},
                                           {kNoiseAmount, 0},
                                           {kSidechainListen, 0},
                                           {kLTriodePentode, 0},
                                           {kRTriodePentode, 0},
                                           {kDryBlend, 42.4},
                                           {kMuDiff, 41.6},
                                           {kLAutoRelease, 0},
                                           {kRAutoRelease, 0},
                                           {kLSyncRelease, 3},
                                           {kRSyncRelease, 3},
                                           {kComparisonSlot, 0},
                                           {kLSidechainCompensation, 0},
                                           {kRSidechainCompensation, 0}};
  for (const auto& [idx, v] : values)
    p[idx] = v;
  return p;
}

// "Stereo Width au Naturel dV": mid/side, unlinked, different left and right settings.
inline ParamValues PresetStereoWidth()
{
  ParamValues p = DefaultParamValues();
  const std::pair<int, double> values[] = {{kLWetGain, -5},
                                           {kLThreshold, 8.96},
                                           {kLFeedBack, 0},
                                           {kLAttack, 11.972},
                                           {kLRelease, 1200},
                                           {kLSidechainFrequency, 110},
                                           {kLSidechainGain, 1.98},
                                           {kRWetGain, -3.67},
                                           {kRThreshold, 36},
                                           {kRFeedBack, 1},
                                           {kRAttack, 40},
                                           {kRRelease, 834.4},
                                           {kRSidechainFrequency, 175},
                                           {kRSidechainGain, -2.96},
                                           {kVariGain, 21.8},
                                           {kChannelLink, 1},
                                           {kMidSideMode, 1},
                                           {kLevelCalibration, 3.47},
                                           {kLinkChannelControls, 0},
                                           {kOutputGain, 5.12},
                                           {kNoiseAmount, 0.23},
                                           {kLTriodePentode, 1},
                                           {kRTriodePentode, 0},
                                           {kMuDiff, 45.42},
                                           {kLAutoRelease, 1},
                                           {kRAutoRelease, 1}};
  for (const auto& [idx, v] : values)
    p[idx] = v;
  return p;
}

// "BRN-14: Etherial Pressure" (its left side-chain frequency 15 is recalled as 50).
inline ParamValues PresetEtherialPressure()
{
  ParamValues p = DefaultParamValues();
  const std::pair<int, double> values[] = {
      {kLWetGain, 1.69},        {kLThreshold, 4.1}, {kLRelease, 226.74}, {kLSidechainFrequency, 50},
      {kRWetGain, 1.69},        {kRThreshold, 4.1}, {kRRelease, 226.74}, {kVariGain, 63.37},
      {kLevelCalibration, -14}, {kMuDiff, 41.42},   {kLAutoRelease, 1},  {kRAutoRelease, 1}};
  for (const auto& [idx, v] : values)
    p[idx] = v;
  return p;
}

} // namespace kelmo::dsp::test
