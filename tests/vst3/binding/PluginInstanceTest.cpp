// The tools' plug-in driver against the compressor bundle.
#include "vst3/host/PluginInstance.h"
#include "tests/vst3/binding/ProcessSupport.h"

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
