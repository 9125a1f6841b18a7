// Speed of the compressor's signal path alone (no framework, no host): 48 kHz, blocks of 512
// stereo frames.
#include "engine/dsp/KelmoDsp.h"
#include "engine/dsp/TubeStage.h"
#include "engine/presets/FactoryPresets.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string_view>
#include <vector>

namespace {

using kelmo::dsp::KelmoDsp;
using kelmo::dsp::ParamValues;

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;

// The "42 dV" factory preset: a detector per channel, stereo stage active.
ParamValues Preset42dV()
{
  for (const FactoryPreset& preset : FactoryPresets())
    if (std::string_view(preset.name) == "42 dV") return FactoryPresetRecordValues(preset);
  return kelmo::dsp::DefaultParamValues();
}

template <typename T> struct Buffers
{
  std::vector<T> l, r, outL, outR;
  explicit Buffers(double level) : l(kBlock), r(kBlock), outL(kBlock), outR(kBlock)
  {
    for (int n = 0; n < kBlock; ++n) {
      l[n] = static_cast<T>(level * std::sin(n * 2 * 3.141592653589793 * 441.0 / kRate));
      r[n] = static_cast<T>(level * std::sin(n * 2 * 3.141592653589793 * 660.0 / kRate + 0.3));
    }
  }
  void Process(KelmoDsp& dsp, const ParamValues& p)
  {
    const T* in[4] = {l.data(), r.data(), nullptr, nullptr};
    T* out[2] = {outL.data(), outR.data()};
    dsp.Process(in, 4, out, 2, kBlock, p, 120.0);
  }
};

void ReportFrames(benchmark::State& state)
{
  const double frames = static_cast<double>(state.iterations()) * kBlock;
  state.counters["ns_per_frame"] =
      benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// The engine's block process on double samples, the form the plug-in hands it.
// Arguments: setting (0 defaults, 1 "42 dV"), "OverSampling" 0..4.
void BM_Process(benchmark::State& state)
{
  ParamValues p = state.range(0) == 0 ? kelmo::dsp::DefaultParamValues() : Preset42dV();
  p[kOverSampling] = static_cast<double>(state.range(1));
  KelmoDsp dsp;
  dsp.Reset(kRate);
  Buffers<double> buffers(0.5);
  for (int i = 0; i < 20; ++i)
    buffers.Process(dsp, p);
  for (auto _ : state) {
    buffers.Process(dsp, p);
    benchmark::DoNotOptimize(buffers.outL.data());
    benchmark::ClobberMemory();
  }
  ReportFrames(state);
}
BENCHMARK(BM_Process)->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})->ArgNames({"preset", "os"});

// Silence after a loud burst: decaying state must not fall into slow subnormal arithmetic.
void BM_SilenceAfterBurst(benchmark::State& state)
{
  ParamValues p = Preset42dV();
  p[kOverSampling] = static_cast<double>(state.range(0));
  KelmoDsp dsp;
  dsp.Reset(kRate);
  Buffers<double> loud(0.99), silent(0.0);
  for (int i = 0; i < 50; ++i)
    loud.Process(dsp, p);
  for (int i = 0; i < 2000; ++i) // 20 s of silence first
    silent.Process(dsp, p);
  for (auto _ : state) {
    silent.Process(dsp, p);
    benchmark::DoNotOptimize(silent.outL.data());
  }
  ReportFrames(state);
}
BENCHMARK(BM_SilenceAfterBurst)->Arg(0)->Arg(4)->ArgName("os");

// One call of the tube stage on a moving input.
void BM_TubeStage(benchmark::State& state)
{
  kelmo::dsp::TubeStage tube;
  double x = 0.0;
  for (auto _ : state) {
    x += 0.0137;
    if (x > 3.0) x = -3.0;
    benchmark::DoNotOptimize(tube.Process(x));
  }
}
BENCHMARK(BM_TubeStage);

} // namespace
