#include "framework/processor/IOConfig.h"
#include "tests/framework/support/TestPlugin.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <type_traits>

using namespace testhost;

namespace {

constexpr const char* kPluginIO = "  1-1   1.1-1   1.2-1   1.2-2   2.1-1   2.1-2   2-2   2.2-2";

// A processor whose block is out[c] = 2 * in[c] + c, with every channel connected.
struct Processor : TestPlugin
{
  explicit Processor(const char* io, int latency = 0, int blockSize = 16)
      : TestPlugin(TestOptions{.latency = latency, .io = io})
  {
    GetParam(kGain)->Set(2.0);
    InitLatencyDelay();
    SetBlockSize(blockSize);
    SetChannelConnections(kInput, 0, NChannels(kInput), true);
    SetChannelConnections(kOutput, 0, NChannels(kOutput), true);
  }
  // Attaches the host buffers of every channel; allocation-free.
  template <class T> void Attach(std::vector<std::vector<T>>& in, std::vector<std::vector<T>>& out, int n)
  {
    T* ins[8] = {};
    T* outs[8] = {};
    for (size_t c = 0; c < in.size(); ++c)
      ins[c] = in[c].data();
    for (size_t c = 0; c < out.size(); ++c)
      outs[c] = out[c].data();
    if constexpr (std::is_same_v<T, float>) {
      AttachBuffers(kInput, 0, NChannels(kInput), ins, n);
      AttachBuffers(kOutput, 0, NChannels(kOutput), outs, n);
    } else {
      AttachBuffers(kInput, 0, NChannels(kInput), ins);
      AttachBuffers(kOutput, 0, NChannels(kOutput), outs);
    }
  }
  double* Slot(ERoute d, int c) const { return *GetChannelData(d, c)->mData; }
  double* Scratch(ERoute d, int c) const { return GetChannelData(d, c)->mScratchBuf.Get(); }
};

// Parsed configurations written back as text ("*" for a wildcard), and the four maxima.
std::string Parse(const char* str)
{
  std::vector<std::unique_ptr<IOConfig>> configs;
  int m[4];
  const int n = ParseChannelIOStr(str, configs, m[0], m[1], m[2], m[3]);
  std::string text = std::to_string(n) + ":";
  for (const auto& c : configs)
    for (ERoute d : {kInput, kOutput}) {
      text += d == kInput ? " " : "-";
      for (int b = 0; b < c->NBuses(d); ++b)
        text += (b ? "." : "") +
                (c->GetBusInfo(d, b)->IsWildcard() ? "*" : std::to_string(c->GetBusInfo(d, b)->mNChans));
    }
  for (int v : m)
    text += " " + std::to_string(v);
  return text;
}

} // namespace

TEST(ChannelIO, ParserTable)
{
  const std::pair<const char*, const char*> cases[] = {
      {kPluginIO, "8: 1-1 1.1-1 1.2-1 1.2-2 2.1-1 2.1-2 2-2 2.2-2 4 2 2 1"},
      {"2.0-2", "1: 2-2 2 2 1 1"}, // a zero bus is dropped
      {"*-2 1-1", "2: *-2 1-1 1 2 1 1"},
      {"*.100-1", "1: *.100-1 36 1 2 1"},
      {"", "0: 0 0 0 0"},
      {nullptr, "0: 0 0 0 0"},
      {"-2", "1: 2- 2 0 1 0"},
      {"1-2-5", "1: 1-2 1 2 1 1"},
      {"abc-xyz", "1: - 0 0 0 0"},
      {"99999999999999999999-1", "1: 4096-1 4096 1 1 1"},
  };
  for (const auto& [str, parsed] : cases)
    EXPECT_EQ(Parse(str), parsed) << (str ? str : "null");
}

TEST(ChannelIO, QueriesNamesAndLabels)
{
  Processor p(kPluginIO);
  EXPECT_EQ(std::make_pair(p.NChannels(kInput), p.NChannels(kOutput)), std::make_pair(4, 2));
  int idx = -1;
  EXPECT_EQ(p.MaxNBuses(kInput, &idx), 2);
  EXPECT_EQ(idx, 7); // ties go to the later configuration
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 1), 2);
  EXPECT_EQ(p.MaxNChannelsForBus(kOutput, 0), 2);
  EXPECT_EQ(Processor("*-2 2-2").MaxNChannelsForBus(kInput, 0), -1);

  const std::tuple<ERoute, int, int, const char*> names[] = {
      {kInput, 0, 1, "Input"},   {kInput, 0, 2, "Main"},    {kInput, 1, 2, "Aux"},
      {kInput, 2, 3, "Input 2"}, {kOutput, 0, 1, "Output"}, {kOutput, 0, 3, "Output 0"}};
  StringBuf s;
  for (const auto& [d, bus, nBuses, name] : names) {
    p.GetBusName(d, bus, nBuses, s);
    EXPECT_STREQ(s.Get(), name);
  }
  p.SetChannelLabel(kInput, 2, "SideChain %i");
  p.SetChannelLabel(kInput, 4, "Nope"); // no such channel
  EXPECT_EQ(std::string(p.GetChannelLabel(kInput, 2)) + p.GetChannelLabel(kInput, 4), "SideChain 3");
}

TEST(ProcessorBuffers, DoubleAndFloatBlocksReachTheHostBuffers)
{
  Processor p("2-2");
  std::vector<std::vector<double>> in{{1, 2, 3}, {4, 5, 6}}, out(2, std::vector<double>(3));
  p.Attach(in, out, 3);
  EXPECT_TRUE(p.ProcessBuffers(0.0, 3));
  EXPECT_EQ(out, (std::vector<std::vector<double>>{{2, 4, 6}, {9, 11, 13}}));

  std::vector<std::vector<float>> fin{{0.25f, -0.5f}, {1.0f, 0.1f}}, fout(2, std::vector<float>(2, 9.f));
  p.Attach(fin, fout, 2);
  EXPECT_TRUE(p.ProcessBuffers(0.0f, 2));
  EXPECT_EQ(fout,
            (std::vector<std::vector<float>>{{0.5f, -1.0f}, {3.0f, static_cast<float>(2.0 * 0.1f + 1.0)}}));
  EXPECT_TRUE(p.ProcessBuffersAccumulating(0.0f, 2));
  EXPECT_EQ(fout[0], (std::vector<float>{1.0f, -2.0f}));
}

TEST(ProcessorBuffers, DisconnectedChannelsUseScratchAndAreNotWrittenBack)
{
  Processor p("1.2-1 2-2"); // 3 inputs, 2 outputs
  p.SetChannelConnections(kInput, 2, 1, false);
  p.SetChannelConnections(kOutput, 1, 1, false);
  std::vector<double> a{1, 1}, b{2, 2};
  double* ins[] = {a.data(), b.data()};
  p.AttachBuffers(kInput, 0, 3, ins);
  EXPECT_EQ(p.Slot(kInput, 1), b.data());
  EXPECT_EQ(p.Slot(kInput, 2), p.Scratch(kInput, 2));
  EXPECT_EQ(p.NChannelsConnected(kInput), 2);
  std::vector<float> out0(2, 7.f), spare(2, 7.f);
  float* outs[] = {out0.data(), spare.data()};
  p.AttachBuffers(kOutput, 0, 2, outs, 2);
  EXPECT_TRUE(p.ProcessBuffers(0.0f, 2));
  EXPECT_EQ(out0, (std::vector<float>{2.f, 2.f}));
  EXPECT_EQ(spare, (std::vector<float>{7.f, 7.f})); // the disconnected output took no pointer
}

TEST(ProcessorBuffers, OverrunZeroesOutputsAndFails)
{
  Processor p("2-2");
  std::vector<std::vector<float>> in(2, std::vector<float>(32, 1.f)), out(2, std::vector<float>(32, 3.f));
  p.Attach(in, out, 32); // converts only what fits the scratch buffers
  EXPECT_FALSE(p.ProcessBuffers(0.0f, 32));
  EXPECT_FALSE(p.PassThroughBuffers(0.0f, 32));
  EXPECT_EQ(out, std::vector<std::vector<float>>(2, std::vector<float>(32, 0.f)));
  std::vector<std::vector<double>> din(2, std::vector<double>(32, 1.0)),
      dout(2, std::vector<double>(32, 3.0));
  p.Attach(din, dout, 32);
  EXPECT_FALSE(p.ProcessBuffers(0.0, 17));
  std::vector<double> expected(32, 3.0);
  std::fill_n(expected.begin(), 17, 0.0); // nothing beyond the block
  EXPECT_EQ(dout[0], expected);
  EXPECT_EQ(p.blocks.load(), 0);
}

TEST(ProcessorBuffers, BlockSizeChangesRepointAndZeroTheScratchBuffers)
{
  Processor p("2-2", 0, 64);
  p.SetChannelConnections(kInput, 0, 2, false);
  p.Scratch(kInput, 0)[3] = 5.0;
  ASSERT_TRUE(p.SetBlockSize(100000)); // the block moves
  ASSERT_TRUE(p.SetBlockSize(32));     // and shrinks
  EXPECT_EQ(p.Slot(kInput, 0), p.Scratch(kInput, 0));
  EXPECT_EQ(p.Scratch(kInput, 0)[3], 0.0);
}

TEST(ProcessorBypass, DelaysByTheLatencyWhateverTheBlockSplit)
{
  using Channels = std::vector<std::vector<double>>;
  const std::tuple<const char*, int, std::vector<double>, Channels> cases[] = {
      {"1-1", 3, {1, 2, 3, 4, 5}, {{0, 0, 0, 1, 2}}},
      {"1-2", 2, {1, 2, 3}, {{0, 0, 1}, {0, 0, 0}}},  // an output without an input is silent
      {"1-2", 0, {1, 2, 3}, {{1, 2, 3}, {0, 0, 0}}}}; // no latency: a plain copy, never the plug-in's block
  for (const auto& [io, latency, in, expected] : cases)
    for (int split : {1, 2, 16}) {
      Processor p(io, latency);
      Channels out(expected.size(), std::vector<double>(in.size(), 9.0));
      for (size_t pos = 0; pos < in.size(); pos += static_cast<size_t>(split)) {
        const int n = std::min(split, static_cast<int>(in.size() - pos));
        double* ins[] = {const_cast<double*>(in.data()) + pos};
        double* outs[] = {out[0].data() + pos, out.back().data() + pos};
        p.AttachBuffers(kInput, 0, 1, ins);
        p.AttachBuffers(kOutput, 0, static_cast<int>(out.size()), outs);
        EXPECT_TRUE(p.PassThroughBuffers(0.0, n));
      }
      EXPECT_EQ(out, expected) << io << " latency " << latency << " split " << split;
    }
}

TEST(ProcessorBypass, InPlaceBuffersAndNaNPassThrough)
{
  Processor p("2-2", 2);
  std::vector<double> l{1, 2, 3, 4}, r{5, 6, 7, 8};
  double* bufs[] = {l.data(), r.data()}; // the host hands the same buffers as inputs and outputs
  p.AttachBuffers(kInput, 0, 2, bufs);
  p.AttachBuffers(kOutput, 0, 2, bufs);
  ASSERT_TRUE(p.PassThroughBuffers(0.0, 4));
  EXPECT_EQ(l, (std::vector<double>{0, 0, 1, 2}));
  EXPECT_EQ(r, (std::vector<double>{0, 0, 5, 6}));
  l = {std::numeric_limits<double>::quiet_NaN(), 0, 0, 0};
  ASSERT_TRUE(p.PassThroughBuffers(0.0, 4));
  EXPECT_TRUE(std::isnan(l[2]));
  l.assign(4, 0.0);
  ASSERT_TRUE(p.PassThroughBuffers(0.0, 4));
  EXPECT_EQ(l, std::vector<double>(4, 0.0)); // the NaN left with its block
}

TEST(ProcessorAllocation, AudioPathAndQueuesAllocateNothing)
{
  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  long n = -1;
  Processor p("2-2", 64, 512);
  std::vector<std::vector<double>> din(2, std::vector<double>(512, 0.25)), dout = din;
  std::vector<std::vector<float>> fin(2, std::vector<float>(513, 0.5f)),
      fout = fin; // the longest block tried
  bool allOk = true;
  {
    testsupport::CountAllocations count;
    for (int block = 0; block < 4; ++block) {
      p.SetChannelConnections(kInput, 0, 2, true);
      p.SetChannelConnections(kOutput, 0, 2, true);
      p.Attach(din, dout, 512);
      allOk &= p.ProcessBuffers(0.0, 512) && p.PassThroughBuffers(0.0, 512);
      p.Attach(fin, fout, 512);
      allOk &= p.ProcessBuffers(0.0f, 512) && p.PassThroughBuffers(0.0f, 300) &&
               p.ProcessBuffersAccumulating(0.0f, 512) && !p.ProcessBuffers(0.0f, 513);
      p.ZeroScratchBuffers();
      p.GetParam(kGain)->SetNormalized(0.5);
      IMidiMsg m;
      SysExData d;
      IParamChange c;
      allOk &= p.AudioPushMidi(m) && p.AudioPushSysEx(d) && p.EnqueueParamChange(kSteps, 0.5, true);
      p.SendMidiMsgFromUI(m);
      p.SendSysexMsgFromUI(ISysEx{block, 3, nullptr});
      allOk &= p.AudioPopMidi(m) && p.AudioPopSysEx(d) && p.PopParamChange(c);
    }
    n = count.Count();
  }
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(allOk);
  EXPECT_EQ(p.blocks.load(), 12);
}
