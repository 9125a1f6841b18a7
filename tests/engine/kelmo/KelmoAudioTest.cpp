#include "support/engine/KelmoTestSupport.h"

#include <cmath>
#include <limits>

using namespace kelmotest;
using kelmo::dsp::KelmoDsp;
using kelmo::dsp::ParamValues;

namespace {

using Audio = KelmoTest;

struct Programme
{
  std::vector<double> l, r, scL, scR;
};

Programme MakeProgramme(int frames)
{
  Programme p;
  for (int n = 0; n < frames; ++n) {
    p.l.push_back(0.8 * std::sin(0.021 * n) * std::sin(0.0007 * n));
    p.r.push_back(0.6 * std::sin(0.034 * n + 0.4));
    p.scL.push_back(0.5 * std::sin(0.011 * n));
    p.scR.push_back(0.9 * std::sin(0.052 * n));
  }
  return p;
}

ParamValues Snapshot(const Kelmo& k)
{
  ParamValues v{};
  for (int i = 0; i < kNumParams; ++i)
    v[static_cast<size_t>(i)] = k.GetParam(i)->Value();
  return v;
}

// Runs the programme through the plug-in's frame in blocks, with all four inputs attached.
std::vector<double> RunThroughFrame(TestKelmo& k, const Programme& in, int blockSize)
{
  const int frames = static_cast<int>(in.l.size());
  std::vector<double> out;
  std::vector<double> ol(static_cast<size_t>(blockSize)), orr(static_cast<size_t>(blockSize));
  for (int start = 0; start < frames; start += blockSize) {
    const int n = std::min(blockSize, frames - start);
    const size_t s = static_cast<size_t>(start);
    double* ins[4] = {const_cast<double*>(in.l.data() + s), const_cast<double*>(in.r.data() + s),
                      const_cast<double*>(in.scL.data() + s), const_cast<double*>(in.scR.data() + s)};
    double* outs[2] = {ol.data(), orr.data()};
    k.AttachBuffers(plugin::kInput, 0, 4, ins);
    k.AttachBuffers(plugin::kOutput, 0, 2, outs);
    EXPECT_TRUE(k.ProcessBuffers(0.0, n));
    for (int i = 0; i < n; ++i) {
      out.push_back(ol[static_cast<size_t>(i)]);
      out.push_back(orr[static_cast<size_t>(i)]);
    }
  }
  return out;
}

// The same programme through a bare signal path with the same values and tempo.
std::vector<double> RunBare(const ParamValues& values, const Programme& in, double rate, int blockSize,
                            double tempo)
{
  KelmoDsp dsp;
  dsp.Reset(rate);
  const int frames = static_cast<int>(in.l.size());
  std::vector<double> out;
  std::vector<double> ol(static_cast<size_t>(blockSize)), orr(static_cast<size_t>(blockSize));
  for (int start = 0; start < frames; start += blockSize) {
    const int n = std::min(blockSize, frames - start);
    const size_t s = static_cast<size_t>(start);
    const double* ins[4] = {in.l.data() + s, in.r.data() + s, in.scL.data() + s, in.scR.data() + s};
    double* outs[2] = {ol.data(), orr.data()};
    dsp.Process<double>(ins, 4, outs, 2, n, values, tempo);
    for (int i = 0; i < n; ++i) {
      out.push_back(ol[static_cast<size_t>(i)]);
      out.push_back(orr[static_cast<size_t>(i)]);
    }
  }
  return out;
}

} // namespace

TEST_F(Audio, TheBlockProcessIsTheSignalPathWithTheCurrentValuesAndTempo)
{
  const Programme in = MakeProgramme(3000);
  TestKelmo k;
  k.Prepare(44100.0, 512, 4, 2);
  k.Edit(kLinkChannelControls, 0.0);
  k.Edit(kChannelLink, 1.0);
  k.Edit(kLThreshold, 24.0);
  k.Edit(kRThreshold, 12.0);
  k.Edit(kRSidechainInput, 3.0); // ext 2: the side-chain input matters
  k.Edit(kRAutoRelease, 1.0);
  k.Edit(kRSyncRelease, 3.0); // tempo-synced release: the tempo matters
  k.Edit(kVariGain, 40.0);
  k.TimeInfo().mTempo = 90.0;

  const std::vector<double> got = RunThroughFrame(k, in, 300);
  const std::vector<double> expected = RunBare(Snapshot(k), in, 44100.0, 300, 90.0);
  ASSERT_EQ(got.size(), expected.size());
  EXPECT_EQ(got, expected);
  // The comparison is not vacuous: the tempo and the side-chain change the result.
  EXPECT_NE(got, RunBare(Snapshot(k), in, 44100.0, 300, 140.0));
}

TEST_F(Audio, OutputDoesNotDependOnTheBlockSplit)
{
  const Programme in = MakeProgramme(2048);
  std::vector<double> reference;
  for (int block : {2048, 512, 100, 37, 1}) {
    SCOPED_TRACE(block);
    TestKelmo k;
    k.Prepare(48000.0, 2048, 4, 2);
    k.Edit(kLThreshold, 20.0);
    const std::vector<double> out = RunThroughFrame(k, in, block);
    if (reference.empty())
      reference = out;
    else
      EXPECT_EQ(out, reference);
  }
}

TEST_F(Audio, HostileSamplesAndEmptyBlocks)
{
  TestKelmo k;
  k.Prepare(48000.0, 64);
  std::vector<double> l(64), r(64);
  for (int n = 0; n < 64; ++n) {
    l[static_cast<size_t>(n)] = n % 3 == 0 ? std::numeric_limits<double>::quiet_NaN() : 0.5;
    r[static_cast<size_t>(n)] = n % 5 == 0 ? INFINITY : -0.5;
  }
  k.ProcessInPlace(l.data(), r.data(), 64);
  for (int n = 0; n < 64; ++n) {
    EXPECT_TRUE(std::isfinite(l[static_cast<size_t>(n)])) << n;
    EXPECT_TRUE(std::isfinite(r[static_cast<size_t>(n)])) << n;
  }
  // A block with no frames runs only the block set-up; missing channel arrays read as silence.
  k.ProcessInPlace(l.data(), r.data(), 0);
  k.ProcessBlock(nullptr, nullptr, 16);
  k.events.clear();
  k.OnIdle();
  for (const EditorEvent& e : k.Only(EditorEvent::kControlMsg))
    EXPECT_TRUE(std::isfinite(e.value));
}

TEST_F(Audio, FloatHostBuffersAndOverlongBlocks)
{
  TestKelmo k;
  k.Prepare(48000.0, 32);
  std::vector<float> l(64, 0.25f), r(64, -0.25f);
  float* ins[2] = {l.data(), r.data()};
  k.AttachBuffers(plugin::kInput, 0, 2, ins, 32);
  k.AttachBuffers(plugin::kOutput, 0, 2, ins, 32);
  EXPECT_TRUE(k.ProcessBuffers(0.0f, 32));
  // More frames than the block size: refused, outputs silenced, nothing overrun.
  EXPECT_FALSE(k.ProcessBuffers(0.0f, 64));
}

TEST_F(Audio, ResetUsesTheFramesRateAndClearsTheMeters)
{
  const Programme in = MakeProgramme(1024);
  TestKelmo k;
  k.Prepare(96000.0, 128, 4, 2);
  k.Edit(kLThreshold, 30.0);
  const double tempo = k.TimeInfo().mTempo;
  const std::vector<double> got = RunThroughFrame(k, in, 128);
  EXPECT_EQ(got, RunBare(Snapshot(k), in, 96000.0, 128, tempo));
  // The comparison is not vacuous: the rate changes the result.
  EXPECT_NE(got, RunBare(Snapshot(k), in, 48000.0, 128, tempo));
  ASSERT_NE(k.Dsp().MeterReadout(0), 0.001);
  k.Prepare(22050.0, 128);
  EXPECT_EQ(k.Dsp().MeterReadout(0), 0.001);
  EXPECT_EQ(k.Dsp().MeterNeedle(1), 0.001);
}
