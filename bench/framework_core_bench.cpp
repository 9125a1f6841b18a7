// Parameter, state and string costs of the framework core.
#include "framework/buffers/IByteChunk.h"
#include "framework/plugin/IPluginBase.h"
#include "framework/buffers/StringBuf.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kParams = 44;

class BenchPlugin : public plugin::IPluginBase
{
public:
  BenchPlugin() : IPluginBase(kParams, 1)
  {
    for (int i = 0; i < kParams; ++i)
      GetParam(i)->InitDouble("p", 0.5, -24, 24, 0.01);
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

void BM_ParamSet(benchmark::State& state)
{
  plugin::IParam p;
  p.InitDouble("Gain", 0, -24, 24, 0.5, "dB", plugin::IParam::kFlagStepped);
  double v = -30;
  for (auto _ : state) {
    p.Set(v);
    v = v > 30 ? -30 : v + 0.37;
    benchmark::DoNotOptimize(p.Value());
  }
}
BENCHMARK(BM_ParamSet);

void BM_ParamNormalise(benchmark::State& state)
{
  plugin::IParam p;
  p.InitFrequency("Freq", 1000, 20, 20000, 1);
  double n = 0;
  for (auto _ : state) {
    const double v = p.FromNormalized(n);
    benchmark::DoNotOptimize(p.ToNormalized(v));
    n = n >= 1 ? 0 : n + 0.001;
  }
}
BENCHMARK(BM_ParamNormalise);

void BM_ParamDisplay(benchmark::State& state)
{
  plugin::IParam p;
  p.InitGain("Gain", -6, -24, 24, 0.1, plugin::IParam::kFlagSignDisplay);
  plugin::StringBuf out;
  for (auto _ : state) {
    p.GetDisplayWithLabel(out);
    benchmark::DoNotOptimize(out.Get());
  }
}
BENCHMARK(BM_ParamDisplay);

void BM_Serialize44(benchmark::State& state)
{
  BenchPlugin plug;
  plugin::IByteChunk chunk;
  for (auto _ : state) {
    chunk.Resize(0);
    benchmark::DoNotOptimize(plug.SerializeState(chunk));
  }
}
BENCHMARK(BM_Serialize44);

void BM_Unserialize44(benchmark::State& state)
{
  BenchPlugin plug;
  plugin::IByteChunk chunk;
  plug.SerializeState(chunk);
  for (auto _ : state)
    benchmark::DoNotOptimize(plug.UnserializeState(chunk, 0));
}
BENCHMARK(BM_Unserialize44);

void BM_StringAppend(benchmark::State& state)
{
  for (auto _ : state) {
    plugin::StringBuf s;
    for (int i = 0; i < 64; ++i)
      s.Append("abcdefgh");
    benchmark::DoNotOptimize(s.Get());
  }
  state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_StringAppend);

} // namespace
