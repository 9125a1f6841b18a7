#pragma once

#include "engine/presets/FactoryPresets.h"
#include "engine/dsp/DspMath.h"
#include "engine/dsp/GainPass.h"
#include "engine/dsp/KelmoDsp.h"

#include <algorithm>
#include <cmath>
#include <string_view>
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

// The values a factory preset recalls, found by name; defaults when no preset has that name.
inline ParamValues FactoryPresetValues(std::string_view name)
{
  for (const FactoryPreset& preset : FactoryPresets())
    if (name == preset.name) return FactoryPresetRecordValues(preset);
  return DefaultParamValues();
}

// The "42 dV" factory setting: a detector per channel, controls linked, stereo stage active.
inline ParamValues Preset42dV()
{
  return FactoryPresetValues("42 dV");
}

// "Stereo Width au Naturel dV": mid/side, unlinked, different left and right settings.
inline ParamValues PresetStereoWidth()
{
  return FactoryPresetValues("Stereo Width au Naturel dV");
}

// "BRN-14: Etherial Pressure"; its left side-chain frequency 15 is recalled as 50.
inline ParamValues PresetEtherialPressure()
{
  ParamValues p = FactoryPresetValues("BRN-14: Etherial Pressure");
  p[kLSidechainFrequency] = 50;
  return p;
}

} // namespace kelmo::dsp::test
