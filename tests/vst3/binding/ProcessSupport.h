#pragma once

#include "tests/vst3/binding/DirectKelmo.h"
#include "tests/vst3/binding/KelmoBundle.h"

#include <utility>
#include <vector>

namespace kelmotest {

// Parameter changes as (index, normalised value) pairs.
using Changes = std::vector<std::pair<int, double>>;

// Changes that make the compressor work on the main signal: detectors on the main channels,
// threshold 20 (linked to the right channel), some output gain.
inline Changes Compressing()
{
  return {{40, 0.0}, {41, 1.0 / 3.0}, {2, 20.0 / 36.0}, {25, 0.6}};
}

// The flat input channels of a test signal: main L/R, then side-chain L/R when given.
inline std::vector<std::vector<double>> WithSidechain(std::vector<std::vector<double>> main,
                                                      std::vector<std::vector<double>> side = {})
{
  main.resize(2);
  side.resize(2);
  main.push_back(std::move(side[0]));
  main.push_back(std::move(side[1]));
  return main;
}

// Runs a signal through the bundle: the changes arrive with the first block; block sizes cycle
// through split. Returns the two main outputs.
inline std::vector<std::vector<double>> RunBundle(KelmoInstance& k, Steinberg::int32 sampleSize, int capacity,
                                                  const std::vector<std::vector<double>>& inputs,
                                                  const std::vector<int>& split, const Changes& changes = {})
{
  ProcessBlock block(sampleSize, {2, 2}, {2}, capacity);
  block.context().tempo = 120.0; // the direct reference keeps the framework's default tempo
  std::vector<std::vector<double>> out;
  const Steinberg::tresult result =
      RunSignal(*k.processor, block, inputs, split, out, [&](int start, int, ProcessBlock& b) {
        if (start != 0) return;
        for (const auto& [idx, value] : changes)
          b.inputChanges().add(static_cast<Steinberg::Vst::ParamID>(idx), 0, value);
      });
  EXPECT_EQ(result, Steinberg::kResultOk);
  return out;
}

// The same signal through the engine driven directly.
inline std::vector<std::vector<double>> RunDirect(Steinberg::int32 sampleSize, int blockSize,
                                                  const std::vector<std::vector<double>>& inputs,
                                                  bool sidechain, const Changes& changes = {},
                                                  double rate = 48000.0, double tempoBpm = 120.0)
{
  auto direct = DirectKelmo::Make();
  direct->Prepare(rate, blockSize, sidechain);
  direct->SetTempo(tempoBpm);
  for (const auto& [idx, value] : changes)
    direct->Automate(idx, value);
  return sampleSize == Steinberg::Vst::kSample32 ? direct->Run<float>(inputs, blockSize)
                                                 : direct->Run<double>(inputs, blockSize);
}

// The signal as the host's sample size carries it.
inline std::vector<double> AtSampleSize(const std::vector<double>& signal, Steinberg::int32 sampleSize)
{
  std::vector<double> out = signal;
  if (sampleSize == Steinberg::Vst::kSample32)
    for (double& v : out)
      v = static_cast<float>(v);
  return out;
}

} // namespace kelmotest
