// Speed of the whole plug-in through its built bundle, side by side with the signal path alone:
// the host library loads Kelmo.vst3 and drives it through the VST3 interfaces (48 kHz, blocks of
// 512 stereo frames, the defaults, a real-time process mode), the way a host runs it.
#include "engine/dsp/KelmoDsp.h"
#include "tools/vst3host/PluginInstance.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;

template <typename T> struct StereoBlock
{
  std::vector<T> l, r, outL, outR;
  StereoBlock() : l(kBlock), r(kBlock), outL(kBlock), outR(kBlock)
  {
    for (int n = 0; n < kBlock; ++n) {
      l[n] = static_cast<T>(0.5 * std::sin(n * 2 * 3.141592653589793 * 441.0 / kRate));
      r[n] = static_cast<T>(0.5 * std::sin(n * 2 * 3.141592653589793 * 660.0 / kRate + 0.3));
    }
  }
};

void ReportFrames(benchmark::State& state)
{
  const double frames = static_cast<double>(state.iterations()) * kBlock;
  state.counters["ns_per_frame"] =
      benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// The signal path alone on double samples, as in the engine's own benchmark.
void BM_Engine(benchmark::State& state)
{
  const kelmo::dsp::ParamValues p = kelmo::dsp::DefaultParamValues();
  kelmo::dsp::KelmoDsp dsp;
  dsp.Reset(kRate);
  StereoBlock<double> b;
  const double* in[4] = {b.l.data(), b.r.data(), nullptr, nullptr};
  double* out[2] = {b.outL.data(), b.outR.data()};
  for (auto _ : state) {
    dsp.Process(in, 4, out, 2, kBlock, p, 120.0);
    benchmark::DoNotOptimize(b.outL.data());
    benchmark::ClobberMemory();
  }
  ReportFrames(state);
}
BENCHMARK(BM_Engine);

// The bundle through the VST3 interfaces, host buffers of T (32- or 64-bit samples).
template <typename T> void BM_Bundle(benchmark::State& state)
{
  std::string error;
  std::unique_ptr<plugin::vst3host::PluginInstance> plug =
      plugin::vst3host::PluginInstance::Load(KELMO_BUNDLE, error, "Kelmo Bench");
  plugin::vst3host::PluginInstance::Setup setup;
  setup.sampleRate = kRate;
  setup.maxBlockSize = kBlock;
  setup.doublePrecision = sizeof(T) == sizeof(double);
  setup.offline = false;
  setup.tempoBpm = 120.0;
  if (!plug || !plug->Prepare(setup, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  StereoBlock<T> b;
  const T* in[2] = {b.l.data(), b.r.data()};
  T* out[2] = {b.outL.data(), b.outR.data()};
  for (auto _ : state) {
    if (!plug->Process(in, 2, nullptr, 0, out, 2, kBlock)) state.SkipWithError("process failed");
    benchmark::DoNotOptimize(b.outL.data());
    benchmark::ClobberMemory();
  }
  ReportFrames(state);
}
BENCHMARK_TEMPLATE(BM_Bundle, float)->Name("BM_Bundle/32bit");
BENCHMARK_TEMPLATE(BM_Bundle, double)->Name("BM_Bundle/64bit");

} // namespace
