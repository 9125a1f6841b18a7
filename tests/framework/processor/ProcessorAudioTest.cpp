#include "framework/processor/IPluginProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

using namespace plugin;

namespace {

// A processor whose block process is out[c] = 2 * in[c] + c (outputs without input: c), and which
// records how it was called.
class GainProcessor : public IPluginProcessor
{
public:
  explicit GainProcessor(const char* io, int latency = 0) : IPluginProcessor(Config(io, latency), 1) {}

  static IPluginConfig Config(const char* io, int latency)
  {
    IPluginConfig c;
    c.mChannelIOStr = io;
    c.mLatency = latency;
    return c;
  }

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    ++calls;
    lastInputs = inputs;
    lastOutputs = outputs;
    for (int c = 0; c < NChannels(kOutput); ++c)
      for (int f = 0; f < nFrames; ++f)
        outputs[c][f] = (c < NChannels(kInput) ? 2.0 * inputs[c][f] : 0.0) + c;
  }
  bool SendMidiMsg(const IMidiMsg& msg) override
  {
    sent.push_back(msg.mStatus);
    return msg.mStatus != 0xFF;
  }

  double** InputSlots() { return GetChannelData(kInput, 0) ? GetChannelData(kInput, 0)->mData : nullptr; }
  double** OutputSlots() { return GetChannelData(kOutput, 0) ? GetChannelData(kOutput, 0)->mData : nullptr; }

  using IPluginProcessor::SetSampleRate;
  using IPluginProcessor::TimeInfo;

  int calls = 0;
  double** lastInputs = reinterpret_cast<double**>(1);
  double** lastOutputs = reinterpret_cast<double**>(1);
  std::vector<int> sent;
};

// Connects every channel of a stereo processor and attaches double buffers.
void ConnectAll(IPluginProcessor& p)
{
  p.SetChannelConnections(kInput, 0, p.NChannels(kInput), true);
  p.SetChannelConnections(kOutput, 0, p.NChannels(kOutput), true);
}

} // namespace

TEST(ProcessorBuffers, DoubleBlockReachesTheHostBuffers)
{
  GainProcessor p("2-2");
  ASSERT_TRUE(p.SetBlockSize(8));
  ConnectAll(p);
  std::vector<double> inL{1, 2, 3}, inR{4, 5, 6}, outL(3), outR(3);
  double* ins[] = {inL.data(), inR.data()};
  double* outs[] = {outL.data(), outR.data()};
  p.AttachBuffers(kInput, 0, 2, ins);
  p.AttachBuffers(kOutput, 0, 2, outs);
  EXPECT_TRUE(p.ProcessBuffers(0.0, 3));
  EXPECT_EQ(outL, (std::vector<double>{2, 4, 6}));
  EXPECT_EQ(outR, (std::vector<double>{9, 11, 13}));
}

TEST(ProcessorBuffers, FloatBlockIsConvertedBothWays)
{
  GainProcessor p("2-2");
  ASSERT_TRUE(p.SetBlockSize(4));
  ConnectAll(p);
  std::vector<float> inL{0.25f, -0.5f}, inR{1.0f, 0.1f}, outL(2, 9.f), outR(2, 9.f);
  float* ins[] = {inL.data(), inR.data()};
  float* outs[] = {outL.data(), outR.data()};
  p.AttachBuffers(kInput, 0, 2, ins, 2);
  p.AttachBuffers(kOutput, 0, 2, outs, 2);
  EXPECT_TRUE(p.ProcessBuffers(0.0f, 2));
  EXPECT_EQ(outL, (std::vector<float>{0.5f, -1.0f}));
  EXPECT_EQ(outR, (std::vector<float>{3.0f, static_cast<float>(2.0 * static_cast<double>(0.1f) + 1.0)}));
}

TEST(ProcessorBuffers, DisconnectedChannelsUseScratchAndAreNotWrittenBack)
{
  GainProcessor p("1.2-1 2-2"); // 3 inputs, 2 outputs
  ASSERT_TRUE(p.SetBlockSize(4));
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kInput, 2, 1, false);
  p.SetChannelConnections(kOutput, 0, 1, true);
  p.SetChannelConnections(kOutput, 1, 1, false);
  std::vector<double> a{1, 1}, b{2, 2};
  double* ins[] = {a.data(), b.data()};
  p.AttachBuffers(kInput, 0, 3, ins);
  EXPECT_EQ(p.InputSlots()[0], a.data());
  EXPECT_EQ(p.InputSlots()[1], b.data());
  EXPECT_EQ(p.InputSlots()[2], p.GetChannelData(kInput, 2)->mScratchBuf.Get());
  EXPECT_EQ(p.NChannelsConnected(kInput), 2);

  std::vector<float> out0(2, 7.f), hostSpare(2, 7.f);
  float* outs[] = {out0.data(), hostSpare.data()};
  p.AttachBuffers(kOutput, 0, 2, outs, 2);
  EXPECT_TRUE(p.ProcessBuffers(0.0f, 2));
  EXPECT_EQ(out0, (std::vector<float>{2.f, 2.f}));
  EXPECT_EQ(hostSpare, (std::vector<float>{7.f, 7.f})); // the disconnected output took no pointer
}

TEST(ProcessorBuffers, NullHostPointersCountAsDisconnected)
{
  GainProcessor p("2-2");
  ASSERT_TRUE(p.SetBlockSize(4));
  ConnectAll(p);
  std::vector<float> inR{0.5f, 0.5f}, outR(2, 5.f);
  float* ins[] = {nullptr, inR.data()};
  float* outs[] = {nullptr, outR.data()};
  p.AttachBuffers(kInput, 0, 2, ins, 2);
  p.AttachBuffers(kOutput, 0, 2, outs, 2);
  EXPECT_TRUE(p.ProcessBuffers(0.0f, 2)); // no write to the missing left output
  EXPECT_EQ(outR, (std::vector<float>{2.f, 2.f}));
  EXPECT_EQ(p.GetChannelData(kOutput, 0)->mScratchBuf.Get()[0], 0.0); // silent left input, times 2, + 0

  p.AttachBuffers(kInput, 0, 2, static_cast<float**>(nullptr), 2);
  p.AttachBuffers(kOutput, 0, 2, static_cast<double**>(nullptr));
  EXPECT_TRUE(p.ProcessBuffers(0.0, 2));
  EXPECT_EQ(p.GetChannelData(kOutput, 1)->mScratchBuf.Get()[1], 1.0);
}

TEST(ProcessorBuffers, OverrunZeroesOutputsAndFails)
{
  GainProcessor p("2-2");
  ASSERT_TRUE(p.SetBlockSize(16));
  ConnectAll(p);
  std::vector<float> in(32, 1.f), outL(32, 3.f), outR(32, 3.f);
  float* ins[] = {in.data(), in.data()};
  float* outs[] = {outL.data(), outR.data()};
  p.AttachBuffers(kInput, 0, 2, ins, 32); // converts only what fits
  p.AttachBuffers(kOutput, 0, 2, outs, 32);
  EXPECT_FALSE(p.ProcessBuffers(0.0f, 32));
  EXPECT_FALSE(p.PassThroughBuffers(0.0f, 32));
  EXPECT_EQ(p.calls, 0);
  EXPECT_EQ(outL, std::vector<float>(32, 0.f));
  EXPECT_EQ(outR, std::vector<float>(32, 0.f));

  std::vector<double> dIn(32, 1.0), dOut(32, 3.0);
  double* dIns[] = {dIn.data(), dIn.data()};
  double* dOuts[] = {dOut.data(), dOut.data()};
  p.AttachBuffers(kInput, 0, 2, dIns);
  p.AttachBuffers(kOutput, 0, 2, dOuts);
  EXPECT_FALSE(p.ProcessBuffers(0.0, 17));
  EXPECT_EQ(std::vector<double>(dOut.begin(), dOut.begin() + 17), std::vector<double>(17, 0.0));
  EXPECT_EQ(dOut[17], 3.0); // nothing beyond the block
  EXPECT_FALSE(p.ProcessBuffers(0.0, -1));
  EXPECT_EQ(p.calls, 0);
}

TEST(ProcessorBuffers, BeforeAnyBlockSizeEveryBlockButTheEmptyOneIsRefused)
{
  GainProcessor p("2-2");
  ConnectAll(p);
  EXPECT_TRUE(p.ProcessBuffers(0.0, 0));
  EXPECT_FALSE(p.ProcessBuffers(0.0, 1));
}

TEST(ProcessorBuffers, NoChannelsPassNullArrays)
{
  GainProcessor p("");
  ASSERT_TRUE(p.SetBlockSize(8));
  EXPECT_TRUE(p.ProcessBuffers(0.0, 8));
  EXPECT_EQ(p.calls, 1);
  EXPECT_EQ(p.lastInputs, nullptr);
  EXPECT_EQ(p.lastOutputs, nullptr);
  EXPECT_TRUE(p.PassThroughBuffers(0.0f, 8));
}

TEST(ProcessorBuffers, AccumulatingAddsToTheHostBuffers)
{
  GainProcessor p("1-1");
  ASSERT_TRUE(p.SetBlockSize(4));
  ConnectAll(p);
  std::vector<float> in{1.f, 2.f}, out{10.f, 10.f};
  float* ins[] = {in.data()};
  float* outs[] = {out.data()};
  p.AttachBuffers(kInput, 0, 1, ins, 2);
  p.AttachBuffers(kOutput, 0, 1, outs, 2);
  EXPECT_TRUE(p.ProcessBuffersAccumulating(0.0f, 2));
  EXPECT_EQ(out, (std::vector<float>{12.f, 14.f}));
  EXPECT_FALSE(p.ProcessBuffersAccumulating(0.0f, 5));
  EXPECT_EQ(out, (std::vector<float>{12.f, 14.f}));
}

TEST(ProcessorBuffers, SetBlockSizeRepointsScratchAndZeroes)
{
  GainProcessor p("2-2");
  p.SetChannelConnections(kInput, 0, 2, false);
  ASSERT_TRUE(p.SetBlockSize(64));
  p.GetChannelData(kInput, 0)->mScratchBuf.Get()[3] = 5.0;
  ASSERT_TRUE(p.SetBlockSize(100000)); // the block moves
  ASSERT_TRUE(p.SetBlockSize(32));     // and shrinks
  const IChannelData* c = p.GetChannelData(kInput, 0);
  EXPECT_EQ(c->mScratchBuf.GetSize(), 32);
  EXPECT_EQ(*c->mData, c->mScratchBuf.Get());
  EXPECT_EQ(c->mScratchBuf.Get()[3], 0.0);
  ASSERT_TRUE(p.SetBlockSize(-5));
  EXPECT_EQ(p.GetBlockSize(), 0);
  EXPECT_EQ(*c->mData, nullptr);
}

TEST(ProcessorBuffers, ChannelRangesAreClipped)
{
  GainProcessor p("2-2");
  ASSERT_TRUE(p.SetBlockSize(4));
  p.SetChannelConnections(kInput, 1, 100, true);
  EXPECT_EQ(p.NChannelsConnected(kInput), 1);
  p.SetChannelConnections(kInput, -3, 2, true);
  p.SetChannelConnections(kInput, 5, 1, true);
  EXPECT_EQ(p.NChannelsConnected(kInput), 1);
  std::vector<double> x(4, 1.0);
  double* one[] = {x.data()};
  p.AttachBuffers(kInput, 1, 100, one); // takes only one pointer
  EXPECT_EQ(p.InputSlots()[1], x.data());
}

TEST(ProcessorBuffers, LimitToStereoIO)
{
  GainProcessor p("4-4");
  ASSERT_TRUE(p.SetBlockSize(4));
  ConnectAll(p);
  p.SetChannelConnections(kOutput, 0, 4, false);
  p.LimitToStereoIO();
  EXPECT_EQ(p.NChannelsConnected(kInput), 2);
  EXPECT_FALSE(p.IsChannelConnected(kInput, 2));
  EXPECT_TRUE(p.IsChannelConnected(kOutput, 3));
  EXPECT_FALSE(p.IsChannelConnected(kOutput, 0));
}

TEST(ProcessorLatency, BypassDelaysByTheLatency)
{
  GainProcessor p("1-1", 3);
  p.InitLatencyDelay();
  ASSERT_TRUE(p.SetBlockSize(8));
  ConnectAll(p);
  std::vector<double> in{1, 2, 3, 4, 5}, out(5, 9.0);
  double* ins[] = {in.data()};
  double* outs[] = {out.data()};
  p.AttachBuffers(kInput, 0, 1, ins);
  p.AttachBuffers(kOutput, 0, 1, outs);
  EXPECT_TRUE(p.PassThroughBuffers(0.0, 5));
  EXPECT_EQ(out, (std::vector<double>{0, 0, 0, 1, 2}));
  EXPECT_EQ(p.calls, 0);
}

TEST(ProcessorLatency, InPlaceHostBuffersAreDelayedCorrectly)
{
  GainProcessor p("2-2", 2);
  p.InitLatencyDelay();
  ASSERT_TRUE(p.SetBlockSize(8));
  ConnectAll(p);
  std::vector<double> l{1, 2, 3, 4}, r{5, 6, 7, 8};
  double* bufs[] = {l.data(), r.data()}; // the host hands the same buffers as inputs and outputs
  p.AttachBuffers(kInput, 0, 2, bufs);
  p.AttachBuffers(kOutput, 0, 2, bufs);
  ASSERT_TRUE(p.PassThroughBuffers(0.0, 4));
  EXPECT_EQ(l, (std::vector<double>{0, 0, 1, 2}));
  EXPECT_EQ(r, (std::vector<double>{0, 0, 5, 6}));
}

TEST(ProcessorLatency, SameOutputWhateverTheBlockSplit)
{
  std::vector<double> signal(200);
  for (size_t i = 0; i < signal.size(); ++i)
    signal[i] = std::sin(0.1 * static_cast<double>(i));
  const auto run = [&](const std::vector<int>& splits) {
    GainProcessor p("2-2", 37);
    p.InitLatencyDelay();
    EXPECT_TRUE(p.SetBlockSize(64));
    ConnectAll(p);
    std::vector<double> out(signal.size() * 2);
    size_t pos = 0;
    for (size_t k = 0; pos < signal.size(); ++k) {
      const int n = std::min<int>(splits[k % splits.size()], static_cast<int>(signal.size() - pos));
      double* ins[] = {signal.data() + pos, signal.data() + pos};
      double* outs[] = {out.data() + pos, out.data() + signal.size() + pos};
      p.AttachBuffers(kInput, 0, 2, ins);
      p.AttachBuffers(kOutput, 0, 2, outs);
      EXPECT_TRUE(p.PassThroughBuffers(0.0, n));
      pos += static_cast<size_t>(n);
    }
    return out;
  };
  const std::vector<double> whole = run({64});
  EXPECT_EQ(run({1}), whole);
  EXPECT_EQ(run({7, 13, 64, 2}), whole);
  EXPECT_EQ(whole[36], 0.0);
  EXPECT_EQ(whole[37 + 10], signal[10]);
  EXPECT_EQ(whole[200 + 37 + 10], signal[10]);
}

// The bypass of every layout gives the same output whatever the block split, and never runs the
// plug-in's block.
TEST(ProcessorLatency, EveryLayoutGivesTheSameOutputWhateverTheBlockSplit)
{
  using Channels = std::vector<std::vector<double>>;
  const std::tuple<const char*, int, std::vector<double>, Channels> cases[] = {
      {"1-1", 3, {1, 2, 3, 4, 5}, {{0, 0, 0, 1, 2}}},
      {"1-2", 2, {1, 2, 3}, {{0, 0, 1}, {0, 0, 0}}},  // an output without an input is silent
      {"1-2", 0, {1, 2, 3}, {{1, 2, 3}, {0, 0, 0}}}}; // no latency: a plain copy
  for (const auto& [io, latency, in, expected] : cases)
    for (int split : {1, 2, 16}) {
      GainProcessor p(io, latency);
      p.InitLatencyDelay();
      ASSERT_TRUE(p.SetBlockSize(16));
      ConnectAll(p);
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
      EXPECT_EQ(p.calls, 0);
    }
}

TEST(ProcessorLatency, OutputsWithoutAMatchingInputAreZeroed)
{
  GainProcessor p("1-2", 2);
  p.InitLatencyDelay();
  ASSERT_TRUE(p.SetBlockSize(4));
  ConnectAll(p);
  std::vector<double> in{1, 2, 3}, o0(3, 9.0), o1(3, 9.0);
  double* ins[] = {in.data()};
  double* outs[] = {o0.data(), o1.data()};
  p.AttachBuffers(kInput, 0, 1, ins);
  p.AttachBuffers(kOutput, 0, 2, outs);
  EXPECT_TRUE(p.PassThroughBuffers(0.0, 3));
  EXPECT_EQ(o0, (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(o1, (std::vector<double>{0, 0, 0}));
}

TEST(ProcessorLatency, WithoutLatencyTheBypassCopiesAndZeroesTheRest)
{
  GainProcessor p("1-2");
  p.InitLatencyDelay();
  ASSERT_TRUE(p.SetBlockSize(4));
  ConnectAll(p);
  std::vector<float> in{0.5f, 0.25f}, o0(2, 9.f), o1(2, 9.f);
  float* ins[] = {in.data()};
  float* outs[] = {o0.data(), o1.data()};
  p.AttachBuffers(kInput, 0, 1, ins, 2);
  p.AttachBuffers(kOutput, 0, 2, outs, 2);
  EXPECT_TRUE(p.PassThroughBuffers(0.0f, 2));
  EXPECT_EQ(o0, in);
  EXPECT_EQ(o1, (std::vector<float>{0.f, 0.f}));
}

TEST(ProcessorLatency, NegativeLatencyReadsAsNone)
{
  GainProcessor p("1-1", -10);
  EXPECT_EQ(p.GetLatency(), 0);
  p.InitLatencyDelay();
  p.SetLatency(-3);
  EXPECT_EQ(p.GetLatency(), 0);
  EXPECT_EQ(p.GetLatencyDelay()->GetDelay(), 0);
  p.SetLatency(4);
  EXPECT_EQ(p.GetLatencyDelay()->GetDelay(), 4);
  EXPECT_EQ(p.GetLatencyDelay()->GetWritePos(), 0);
  p.SetTailSize(-1);
  EXPECT_EQ(p.GetTailSize(), 0);
}

TEST(ProcessorLatency, NaNLeavesTheDelayLineAfterTheLatency)
{
  GainProcessor p("1-1", 4);
  p.InitLatencyDelay();
  ASSERT_TRUE(p.SetBlockSize(16));
  ConnectAll(p);
  std::vector<double> in(8, 0.0), out(8);
  in[0] = std::numeric_limits<double>::quiet_NaN();
  double* ins[] = {in.data()};
  double* outs[] = {out.data()};
  p.AttachBuffers(kInput, 0, 1, ins);
  p.AttachBuffers(kOutput, 0, 1, outs);
  ASSERT_TRUE(p.PassThroughBuffers(0.0, 8));
  EXPECT_TRUE(std::isnan(out[4]));
  in[0] = 0.0;
  ASSERT_TRUE(p.PassThroughBuffers(0.0, 8));
  for (double v : out)
    EXPECT_EQ(v, 0.0);
}

TEST(ProcessorMisc, MidiAndQueries)
{
  GainProcessor p("1-1");
  TypedBuf<IMidiMsg> msgs;
  ASSERT_NE(msgs.Resize(3), nullptr);
  msgs.Get()[0] = IMidiMsg{0, 0x90, 1, 2};
  msgs.Get()[1] = IMidiMsg{0, 0xFF, 0, 0}; // refused by the host
  msgs.Get()[2] = IMidiMsg{0, 0x80, 1, 0};
  EXPECT_FALSE(p.SendMidiMsgs(msgs));
  EXPECT_EQ(p.sent, (std::vector<int>{0x90, 0xFF, 0x80})); // continues after the failure
  TypedBuf<IMidiMsg> none;
  EXPECT_TRUE(p.SendMidiMsgs(none));
  p.ProcessMidiMsg(IMidiMsg{0, 0xB0, 7, 100});
  EXPECT_EQ(p.sent.back(), 0xB0);
  EXPECT_FALSE(p.SendSysEx(ISysEx{}));

  EXPECT_DOUBLE_EQ(p.GetSampleRate(), 48000.0);
  EXPECT_DOUBLE_EQ(p.GetSamplesPerBeat(), 24000.0);
  p.SetSampleRate(44100.0);
  p.TimeInfo().mTempo = 0.0;
  EXPECT_EQ(p.GetSamplesPerBeat(), 0.0);
  EXPECT_EQ(p.GetAUPluginType(), 0x61756678); // 'aufx'
  EXPECT_EQ(p.GetTimeInfo().mNumerator, 4);
  EXPECT_EQ(p.GetTimeInfo().mSamplePos, -1.0);
}
