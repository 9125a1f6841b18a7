// Throughput of the framework's audio-thread paths: the lock-free queues, block processing and the
// latency bypass.
#include "framework/queues/ILockFreeQueue.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/IParamChange.h"
#include "framework/processor/IPluginProcessor.h"
#include "framework/queues/ISysEx.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace plugin;

namespace {

template <class T> void QueuePushPop(benchmark::State& state)
{
  ILockFreeQueue<T> q(512);
  T item{};
  for (auto _ : state) {
    q.Push(item);
    q.Pop(item);
    benchmark::DoNotOptimize(item);
  }
  state.SetItemsProcessed(state.iterations());
}

// Fills the queue and empties it again: the cost per element when the ring is used in bursts.
template <class T> void QueueBurst(benchmark::State& state)
{
  ILockFreeQueue<T> q(32);
  T item{};
  for (auto _ : state) {
    for (int i = 0; i < 32; ++i)
      q.Push(item);
    while (q.Pop(item))
      benchmark::DoNotOptimize(item);
  }
  state.SetItemsProcessed(state.iterations() * 32);
}

// A stereo processor with the base block process (a copy) or a light gain.
class BenchProcessor : public IPluginProcessor
{
public:
  BenchProcessor(int latency) : IPluginProcessor(Config(latency), 1) {}
  static IPluginConfig Config(int latency)
  {
    IPluginConfig c;
    c.mChannelIOStr = "2-2";
    c.mLatency = latency;
    return c;
  }
  void ProcessBlock(double** in, double** out, int n) override
  {
    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < n; ++f)
        out[c][f] = in[c][f] * 0.5;
  }
  bool SendMidiMsg(const IMidiMsg&) override { return true; }
};

constexpr int kFrames = 512;

template <class Sample> void ProcessBuffersBlock(benchmark::State& state)
{
  BenchProcessor p(0);
  p.SetBlockSize(kFrames);
  std::vector<Sample> in(kFrames, Sample(0.25)), outL(kFrames), outR(kFrames);
  Sample* ins[] = {in.data(), in.data()};
  Sample* outs[] = {outL.data(), outR.data()};
  for (auto _ : state) {
    p.SetChannelConnections(kInput, 0, 2, true);
    p.SetChannelConnections(kOutput, 0, 2, true);
    if constexpr (std::is_same_v<Sample, float>) {
      p.AttachBuffers(kInput, 0, 2, ins, kFrames);
      p.AttachBuffers(kOutput, 0, 2, outs, kFrames);
    } else {
      p.AttachBuffers(kInput, 0, 2, ins);
      p.AttachBuffers(kOutput, 0, 2, outs);
    }
    p.ProcessBuffers(Sample(0), kFrames);
    benchmark::DoNotOptimize(outL.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

void LatencyBypass(benchmark::State& state)
{
  BenchProcessor p(static_cast<int>(state.range(0)));
  p.InitLatencyDelay();
  p.SetBlockSize(kFrames);
  std::vector<double> in(kFrames, 0.25), outL(kFrames), outR(kFrames);
  double* ins[] = {in.data(), in.data()};
  double* outs[] = {outL.data(), outR.data()};
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kOutput, 0, 2, true);
  for (auto _ : state) {
    p.AttachBuffers(kInput, 0, 2, ins);
    p.AttachBuffers(kOutput, 0, 2, outs);
    p.PassThroughBuffers(0.0, kFrames);
    benchmark::DoNotOptimize(outL.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

} // namespace

BENCHMARK(QueuePushPop<IMidiMsg>);
BENCHMARK(QueuePushPop<IParamChange>);
BENCHMARK(QueuePushPop<SysExData>);
BENCHMARK(QueueBurst<IMidiMsg>);
BENCHMARK(ProcessBuffersBlock<double>);
BENCHMARK(ProcessBuffersBlock<float>);
BENCHMARK(LatencyBypass)->Arg(0)->Arg(64)->Arg(4096);
