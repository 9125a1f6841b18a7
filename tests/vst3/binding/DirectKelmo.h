#pragma once

#include "engine/Kelmo.h"
#include "vst3/adapter/ParamMapping.h"

#include "pluginterfaces/base/smartpointer.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

namespace kelmotest {

// The compressor driven directly through its processor frame, the reference the bundle's output
// is compared with: the same set-up, connections, parameter values and buffers, no VST3 calls.
class DirectKelmo : public Kelmo
{
public:
  DirectKelmo() : Kelmo(plugin::InstanceInfo{}) {}

  // A new instance held by one reference (the object is reference-counted like any plug-in).
  static Steinberg::IPtr<DirectKelmo> Make() { return Steinberg::IPtr<DirectKelmo>(new DirectKelmo, false); }

  // Rate, block size, main inputs and outputs connected (the side-chain when asked), clean scratch
  // buffers, then reset.
  void Prepare(double sampleRate, int blockSize, bool sidechain, int mainChannels = 2, int outChannels = 2)
  {
    SetSampleRate(sampleRate);
    SetBlockSize(blockSize);
    ZeroScratchBuffers();
    mSidechain = sidechain;
    mMainChannels = mainChannels;
    mOutChannels = outChannels;
    Connect();
    OnReset();
  }

  // The tempo a host transport would carry (the framework's default is 120).
  void SetTempo(double bpm) { TimeInfo().mTempo = bpm; }

  // Host automation of a normalised value, as the binding applies it.
  void Automate(int idx, double normalized)
  {
    plugin::IParam* param = GetParam(idx);
    param->Set(plugin::vst3::RealFromNormalized(*param, normalized));
    OnParamChange(idx, plugin::kHost, 0);
  }

  // Run in the precision of a host sample size.
  std::vector<std::vector<double>> RunAt(Steinberg::int32 sampleSize,
                                         const std::vector<std::vector<double>>& inputs, int blockSize)
  {
    return sampleSize == 0 ? Run<float>(inputs, blockSize) : Run<double>(inputs, blockSize);
  }

  // Processes whole signals (main L/R, side-chain L/R; missing ones silent) in blocks of
  // blockSize, in Sample precision, bypassed or not; returns the two output signals.
  template <typename Sample>
  std::vector<std::vector<double>> Run(const std::vector<std::vector<double>>& inputs, int blockSize,
                                       bool bypassed = false)
  {
    size_t length = 0;
    for (const auto& ch : inputs)
      length = std::max(length, ch.size());
    std::vector<std::vector<Sample>> in(4, std::vector<Sample>(length, Sample(0)));
    for (size_t c = 0; c < inputs.size() && c < 4; ++c)
      for (size_t i = 0; i < inputs[c].size(); ++i)
        in[c][i] = static_cast<Sample>(inputs[c][i]);
    std::vector<std::vector<Sample>> out(2, std::vector<Sample>(length, Sample(0)));

    for (size_t start = 0; start < length; start += static_cast<size_t>(blockSize)) {
      const int n = static_cast<int>(std::min(length - start, static_cast<size_t>(blockSize)));
      Connect();
      Sample* ins[4] = {in[0].data() + start, in[1].data() + start, in[2].data() + start,
                        in[3].data() + start};
      Sample* outs[2] = {out[0].data() + start, out[1].data() + start};
      if constexpr (std::is_same_v<Sample, double>) {
        AttachBuffers(plugin::kInput, 0, mMainChannels, ins);
        if (mSidechain) AttachBuffers(plugin::kInput, 2, 2, ins + 2);
        AttachBuffers(plugin::kOutput, 0, mOutChannels, outs);
        bypassed ? PassThroughBuffers(0.0, n) : ProcessBuffers(0.0, n);
      } else {
        AttachBuffers(plugin::kInput, 0, mMainChannels, ins, n);
        if (mSidechain) AttachBuffers(plugin::kInput, 2, 2, ins + 2, n);
        AttachBuffers(plugin::kOutput, 0, mOutChannels, outs, n);
        bypassed ? PassThroughBuffers(0.0f, n) : ProcessBuffers(0.0f, n);
      }
    }
    std::vector<std::vector<double>> result(2);
    for (int c = 0; c < 2; ++c)
      result[static_cast<size_t>(c)].assign(out[static_cast<size_t>(c)].begin(),
                                            out[static_cast<size_t>(c)].end());
    return result;
  }

private:
  void Connect()
  {
    SetChannelConnections(plugin::kInput, 0, NChannels(plugin::kInput), false);
    SetChannelConnections(plugin::kInput, 0, mMainChannels, true);
    if (mSidechain) SetChannelConnections(plugin::kInput, 2, 2, true);
    SetChannelConnections(plugin::kOutput, 0, NChannels(plugin::kOutput), false);
    SetChannelConnections(plugin::kOutput, 0, mOutChannels, true);
  }

  bool mSidechain = false;
  int mMainChannels = 2;
  int mOutChannels = 2;
};

// A stereo test signal: two detuned tones with a slow swell, loud enough to be compressed.
inline std::vector<std::vector<double>> TestSignal(int length, double amplitude = 0.5, double rate = 48000.0)
{
  std::vector<std::vector<double>> s(2, std::vector<double>(static_cast<size_t>(length)));
  for (int i = 0; i < length; ++i) {
    const double t = i / rate;
    const double swell = 0.6 + 0.4 * std::sin(2.0 * M_PI * 3.0 * t);
    s[0][static_cast<size_t>(i)] = amplitude * swell * std::sin(2.0 * M_PI * 440.0 * t);
    s[1][static_cast<size_t>(i)] = amplitude * swell * std::sin(2.0 * M_PI * 331.0 * t + 0.3);
  }
  return s;
}

} // namespace kelmotest
