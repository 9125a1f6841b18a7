// The tools' plug-in driver against the compressor bundle.
#include "tools/vst3host/PluginInstance.h"
#include "tests/vst3/binding/ProcessSupport.h"
#include "vst3/adapter/TransportInfo.h"
#include "tools/vst3host/PlayingTransport.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;
using plugin::vst3host::PluginInstance;

namespace {

constexpr int kBlock = 128;

std::unique_ptr<PluginInstance> LoadInstance()
{
  std::string error;
  auto instance = PluginInstance::Load(KelmoBundlePath(), error);
  EXPECT_TRUE(instance) << error;
  return instance;
}

template <typename Sample>
std::vector<std::vector<double>> Render(PluginInstance& p, const std::vector<std::vector<double>>& inputs,
                                        bool side)
{
  const size_t n = inputs[0].size();
  std::vector<std::vector<Sample>> in(4, std::vector<Sample>(n));
  for (size_t c = 0; c < 4; ++c)
    for (size_t i = 0; i < n && i < inputs[c].size(); ++i)
      in[c][i] = static_cast<Sample>(inputs[c][i]);
  std::vector<std::vector<Sample>> out(2, std::vector<Sample>(n, Sample(9)));
  const Sample* main[2] = {in[0].data(), in[1].data()};
  const Sample* sc[2] = {in[2].data(), in[3].data()};
  Sample* outs[2] = {out[0].data(), out[1].data()};
  EXPECT_TRUE(p.Process(main, 2, side ? sc : nullptr, side ? 2 : 0, outs, 2, static_cast<int>(n)));
  return {std::vector<double>(out[0].begin(), out[0].end()),
          std::vector<double>(out[1].begin(), out[1].end())};
}

} // namespace

TEST(PluginInstance, LoadsTheBundleAndReadsItsParameters)
{
  auto p = LoadInstance();
  ASSERT_TRUE(p);
  EXPECT_EQ(p->ClassName(), "ZPH Kelmo");
  EXPECT_EQ(p->ParameterCount(), kNumKelmoParams + 1);
  EXPECT_EQ(p->NumAudioBuses(kInput), 2);
  EXPECT_EQ(p->BusChannels(kInput, 1), 2);
  uint32_t id = 0;
  ASSERT_TRUE(p->FindParameter("\xCE\xBC-Diff", id));
  EXPECT_EQ(id, 32u);
  EXPECT_FALSE(p->FindParameter("No Such Parameter", id));
  PluginInstance::ParameterInfo info;
  ASSERT_TRUE(p->GetParameterInfo(7, info));
  EXPECT_EQ(info.id, 6u);
  EXPECT_EQ(info.units, "Hz");
  EXPECT_FALSE(p->GetParameterInfo(45, info));
  EXPECT_NEAR(p->ToNormalized(2, 20.0), 20.0 / 36.0, 1e-12);
  EXPECT_EQ(p->ToPlain(20, 0.3), 1.0);
  EXPECT_EQ(p->ValueText(2, 0.5), "-18.0");
}

TEST(PluginInstance, RefusesWhatItCannotLoadOrSetUp)
{
  std::string error;
  EXPECT_FALSE(PluginInstance::Load("/nonexistent/Nothing.vst3", error));
  EXPECT_FALSE(error.empty());

  auto p = LoadInstance();
  ASSERT_TRUE(p);
  PluginInstance::Setup setup;
  setup.sampleRate = -1.0;
  EXPECT_FALSE(p->Prepare(setup, error));
  setup.sampleRate = 48000.0;
  setup.maxBlockSize = 0;
  EXPECT_FALSE(p->Prepare(setup, error));
  setup.maxBlockSize = 64;
  for (double tempo :
       {0.0, -90.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    setup.tempoBpm = tempo;
    EXPECT_FALSE(p->Prepare(setup, error)) << tempo;
    EXPECT_EQ(error, "invalid tempo");
  }
  const float* none[1] = {nullptr};
  float* outs[1] = {nullptr};
  EXPECT_FALSE(p->Process(none, 0, nullptr, 0, outs, 0, 16)); // not prepared
  EXPECT_FALSE(p->SetParameter(4711, 0.5, true));
  EXPECT_FALSE(p->SetParameter(25, std::numeric_limits<double>::quiet_NaN(), true));
}

TEST(PluginInstance, RendersLikeTheEngineAtBothPrecisions)
{
  const auto inputs = WithSidechain(TestSignal(3 * kBlock + 55), TestSignal(3 * kBlock + 55, 0.9));
  for (bool doublePrecision : {false, true}) {
    for (bool side : {false, true}) {
      auto p = LoadInstance();
      ASSERT_TRUE(p);
      if (side) {
        ASSERT_TRUE(p->SetSidechainActive(true));
      }
      PluginInstance::Setup setup;
      setup.maxBlockSize = kBlock;
      setup.doublePrecision = doublePrecision;
      std::string error;
      ASSERT_TRUE(p->Prepare(setup, error)) << error;
      // Real values go through the controller's conversion.
      ASSERT_TRUE(p->SetParameter(2, 20.0, false));
      ASSERT_TRUE(p->SetParameter(25, 0.6, true));
      EXPECT_NEAR(p->GetNormalized(2), 20.0 / 36.0, 1e-12);
      const auto out = doublePrecision ? Render<double>(*p, inputs, side) : Render<float>(*p, inputs, side);
      const auto direct = RunDirect(doublePrecision ? kSample64 : kSample32, kBlock, inputs, side,
                                    {{2, 20.0 / 36.0}, {25, 0.6}});
      EXPECT_EQ(out, direct) << doublePrecision << side;
      EXPECT_EQ(p->FramesProcessed(), static_cast<int64_t>(inputs[0].size()));
      // The other precision is refused.
      const double* d[1] = {nullptr};
      double* dout[1] = {nullptr};
      const float* f[1] = {nullptr};
      float* fout[1] = {nullptr};
      if (doublePrecision) {
        EXPECT_FALSE(p->Process(f, 0, nullptr, 0, fout, 0, 1));
      } else {
        EXPECT_FALSE(p->Process(d, 0, nullptr, 0, dout, 0, 1));
      }
    }
  }
}

TEST(PluginInstance, StateRoundTripAndMonoLayout)
{
  auto p = LoadInstance();
  ASSERT_TRUE(p);
  ASSERT_TRUE(p->SetParameter(25, -4.5, false));
  std::vector<uint8_t> state;
  ASSERT_TRUE(p->GetState(state));
  EXPECT_EQ(state.size(), 356u);

  auto q = LoadInstance();
  ASSERT_TRUE(q);
  ASSERT_TRUE(q->SetState(state));
  EXPECT_NEAR(q->GetNormalized(25), 11.5 / 32.0, 1e-12);
  EXPECT_FALSE(q->SetState(std::vector<uint8_t>(state.begin(), state.begin() + 100)));

  ASSERT_TRUE(q->SetBusArrangements({1}, {1}));
  EXPECT_EQ(q->NumAudioBuses(kInput), 1);
  EXPECT_EQ(q->BusChannels(kOutput, 0), 1);
  EXPECT_FALSE(q->SetBusArrangements({1}, {2}));
  PluginInstance::Setup setup;
  std::string error;
  ASSERT_TRUE(q->Prepare(setup, error)) << error;
  std::vector<float> in(1000, 0.25f), out(1000, 9.0f);
  const float* ins[1] = {in.data()};
  float* outs[1] = {out.data()};
  ASSERT_TRUE(q->Process(ins, 1, nullptr, 0, outs, 1, 1000));
  for (float v : out)
    ASSERT_TRUE(std::isfinite(v));
  EXPECT_NE(out[500], 9.0f);
}

TEST(PluginInstance, PlayingTransportAsTheBindingReadsIt)
{
  using plugin::vst3host::PlayingTransport;
  // 6 s at 90 BPM: 9 quarter notes, in the third 4/4 bar (which starts at quarter note 8).
  const ProcessContext c = PlayingTransport(48000.0, 90.0, 288000);
  EXPECT_EQ(c.projectTimeSamples, 288000);
  EXPECT_EQ(c.continousTimeSamples, 288000);
  EXPECT_DOUBLE_EQ(c.projectTimeMusic, 9.0);
  EXPECT_EQ(c.barPositionMusic, 8.0);
  EXPECT_EQ(c.tempo, 90.0);
  EXPECT_EQ(c.sampleRate, 48000.0);
  EXPECT_EQ(c.timeSigNumerator, 4);
  EXPECT_EQ(c.timeSigDenominator, 4);
  const uint32 filled = ProcessContext::kPlaying | ProcessContext::kTempoValid |
                        ProcessContext::kTimeSigValid | ProcessContext::kProjectTimeMusicValid |
                        ProcessContext::kBarPositionValid | ProcessContext::kContTimeValid;
  EXPECT_EQ(c.state, filled); // no loop, recording, system time, chord, SMPTE or clock

  plugin::ITimeInfo info;
  plugin::vst3::FillTimeInfo(c, info);
  EXPECT_EQ(info.mTempo, 90.0);
  EXPECT_EQ(info.mSamplePos, 288000.0);
  EXPECT_DOUBLE_EQ(info.mPPQPos, 9.0);
  EXPECT_EQ(info.mLastBar, 8.0);
  EXPECT_EQ(info.mNumerator, 4);
  EXPECT_EQ(info.mDenominator, 4);
  EXPECT_TRUE(info.mTransportIsRunning);
  EXPECT_FALSE(info.mTransportLoopEnabled);

  const ProcessContext start = PlayingTransport(44100.0, 133.0, 0);
  EXPECT_EQ(start.projectTimeMusic, 0.0);
  EXPECT_EQ(start.barPositionMusic, 0.0);
  // Just before a bar line the bar still starts at the previous one.
  EXPECT_EQ(PlayingTransport(48000.0, 120.0, 95999).barPositionMusic, 0.0);
  EXPECT_EQ(PlayingTransport(48000.0, 120.0, 96000).barPositionMusic, 4.0); // 2 s: quarter note 4
}

TEST(PluginInstance, SyncedReleaseFollowsTheTransportTempo)
{
  // Auto release synced to quarter notes: the release time depends on the tempo alone.
  const auto inputs = WithSidechain(TestSignal(24000, 0.8));
  auto render = [&](std::optional<double> tempo, Changes* applied = nullptr) {
    auto p = LoadInstance();
    EXPECT_TRUE(p);
    if (!p) return std::vector<std::vector<double>>{};
    PluginInstance::Setup setup;
    setup.maxBlockSize = kBlock;
    setup.doublePrecision = true;
    setup.tempoBpm = tempo;
    std::string error;
    EXPECT_TRUE(p->Prepare(setup, error)) << error;
    EXPECT_FALSE(p->LastTransport());
    const Changes changes = {{kLThreshold, p->ToNormalized(kLThreshold, 24.0)},
                             {kLAutoRelease, 1.0},
                             {kLSyncRelease, p->ToNormalized(kLSyncRelease, 3.0)}};
    for (const auto& [id, normalized] : changes)
      EXPECT_TRUE(p->SetParameter(static_cast<uint32_t>(id), normalized, true));
    if (applied) *applied = changes;
    auto out = Render<double>(*p, inputs, false);
    const ProcessContext* last = p->LastTransport();
    EXPECT_EQ(last != nullptr, tempo.has_value());
    if (last) {
      // The last call began at the last slice of the set-up's block size.
      const int64 lastStart = (24000 - 1) / kBlock * kBlock;
      EXPECT_EQ(last->projectTimeSamples, lastStart);
      EXPECT_DOUBLE_EQ(last->projectTimeMusic, lastStart / 48000.0 * *tempo / 60.0);
      EXPECT_EQ(last->tempo, *tempo);
      EXPECT_TRUE(last->state & ProcessContext::kPlaying);
    }
    return out;
  };
  Changes changes;
  const auto at90 = render(90.0, &changes);
  EXPECT_EQ(at90, RunDirect(kSample64, kBlock, inputs, false, changes, 48000.0, 90.0));
  const auto at160 = render(160.0);
  EXPECT_EQ(at160, RunDirect(kSample64, kBlock, inputs, false, changes, 48000.0, 160.0));
  double difference = 0.0;
  for (size_t c = 0; c < 2; ++c)
    for (size_t i = 0; i < at90[c].size() && i < at160[c].size(); ++i)
      difference = std::max(difference, std::fabs(at90[c][i] - at160[c][i]));
  EXPECT_GT(difference, 1e-3);
  render(std::nullopt); // no tempo: no transport at all
}
