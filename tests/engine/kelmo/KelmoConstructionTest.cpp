#include "support/engine/KelmoTestSupport.h"

#include "engine/KelmoEditorFunctions.h"
#include "engine/presets/FactoryPresets.h"
#include "framework/buffers/IByteChunk.h"
#include "framework/buffers/StringBuf.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace kelmotest;
using plugin::kInput;
using plugin::kOutput;

namespace {
using Construction = KelmoTest;
} // namespace

TEST_F(Construction, IdentityAndConfiguration)
{
  TestKelmo k;
  EXPECT_STREQ(k.GetPluginName(), "ZPH Kelmo");
  EXPECT_STREQ(k.GetProductName(), "ZPH Kelmo");
  EXPECT_STREQ(k.GetMfrName(), "Quillmere");
  plugin::StringBuf version;
  k.GetPluginVersionStr(version);
  EXPECT_STREQ(version.Get(), "v1.0.7");
  EXPECT_EQ(k.GetPluginVersion(false), 0x00010007);
  EXPECT_EQ(k.GetUniqueID(), 0x5A50486B); // 'ZPHk'
  EXPECT_EQ(k.GetMfrID(), 0x514D524C);    // 'QMRL'
  EXPECT_EQ(k.GetLatency(), 0);
  EXPECT_FALSE(k.DoesMidiIn());
  EXPECT_FALSE(k.DoesMidiOut());
  EXPECT_FALSE(k.DoesStateChunks());
  EXPECT_EQ(k.GetPlugType(), 0);
  EXPECT_TRUE(k.HasUI());
  EXPECT_FALSE(k.GetHostResizeEnabled());
  EXPECT_EQ(k.GetEditorWidth(), 899);
  EXPECT_EQ(k.GetEditorHeight(), 500);
  EXPECT_EQ(k.GetMinWidth(), 899);
  EXPECT_EQ(k.GetMaxWidth(), 2697);
  EXPECT_EQ(k.GetMinHeight(), 500);
  EXPECT_EQ(k.GetMaxHeight(), 1500);
  EXPECT_STRNE(k.GetBundleID(), "");
  EXPECT_STRNE(k.GetAppGroupID(), "");
}

TEST_F(Construction, ChannelLayoutsAndLabels)
{
  TestKelmo k;
  EXPECT_EQ(k.NIOConfigs(), 8);
  EXPECT_EQ(k.NChannels(kInput), 4);
  EXPECT_EQ(k.NChannels(kOutput), 2);
  EXPECT_EQ(k.GetIOConfigWithChanCounts({2, 2}, {2}), 7);
  EXPECT_STREQ(k.GetChannelLabel(kInput, 0), "Main L");
  EXPECT_STREQ(k.GetChannelLabel(kInput, 1), "Main R");
  EXPECT_STREQ(k.GetChannelLabel(kInput, 2), "SideChain L");
  EXPECT_STREQ(k.GetChannelLabel(kInput, 3), "SideChain R");
}

TEST_F(Construction, FortyPresetRecordsOfWhichThirtyTwoAreFactoryPresets)
{
  TestKelmo k;
  ASSERT_EQ(k.NPresets(), 40);
  EXPECT_EQ(k.GetCurrentPresetIdx(), 0);
  const auto factory = FactoryPresets();
  ASSERT_EQ(factory.size(), 32u);
  EXPECT_STREQ(k.GetPresetName(0), "Factory default");
  EXPECT_STREQ(k.GetPresetName(1), "42 dV");
  EXPECT_STREQ(k.GetPresetName(13), "RKvenlor Classic Pentode 1dB");
  EXPECT_STREQ(k.GetPresetName(22), "RKVenlor Fast Grab-14LUFS");
  EXPECT_STREQ(k.GetPresetName(31), "BRN-18: Pushed Step");
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE(i);
    const plugin::IPreset* rec = k.GetPreset(i);
    ASSERT_NE(rec, nullptr);
    if (i < 32) {
      EXPECT_TRUE(rec->mInitialized);
      EXPECT_STREQ(rec->mName, factory[static_cast<size_t>(i)].name);
      // Every record holds all 44 values: its own pairs and the defaults for the rest.
      ASSERT_EQ(rec->mChunk.Size(), 44 * 8);
      const auto expected = FactoryPresetRecordValues(factory[static_cast<size_t>(i)]);
      for (int p = 0; p < 44; ++p) {
        double v = 0.0;
        ASSERT_EQ(rec->mChunk.Get(&v, p * 8), (p + 1) * 8);
        EXPECT_EQ(v, expected[static_cast<size_t>(p)]) << "parameter " << p;
      }
    } else {
      EXPECT_FALSE(rec->mInitialized);
      EXPECT_STREQ(k.GetPresetName(i), "empty");
    }
  }
  // Construction recalls no preset: the values are the defaults.
  EXPECT_EQ(Values(k), Defaults(k));
}

TEST_F(Construction, StateIs352BytesAndRoundTrips)
{
  TestKelmo a;
  a.GetParam(kLinkChannelControls)->Set(0.0); // unlinked, so the restore keeps L and R apart
  for (int i = 0; i < kNumParams; ++i) {
    plugin::IParam& p = *a.GetParam(i);
    if (i == kLinkChannelControls) continue;
    p.Set(p.GetMin() + (p.GetMax() - p.GetMin()) * (0.13 + 0.017 * i));
  }
  plugin::IByteChunk state;
  ASSERT_TRUE(a.SerializeState(state));
  ASSERT_EQ(state.Size(), 352);
  double first = 0.0;
  state.Get(&first, 0);
  EXPECT_EQ(first, a.GetParam(0)->Value());

  TestKelmo b;
  EXPECT_EQ(b.UnserializeState(state, 0), 352);
  EXPECT_EQ(Values(b), Values(a));
  plugin::IByteChunk again;
  ASSERT_TRUE(b.SerializeState(again));
  EXPECT_TRUE(again.IsEqual(state));
}

TEST_F(Construction, HostileStateIsConstrainedOrRefused)
{
  TestKelmo a;
  plugin::IByteChunk state;
  ASSERT_TRUE(a.SerializeState(state));

  // NaN, infinities and out-of-range values come back constrained.
  plugin::IByteChunk bad;
  for (int i = 0; i < kNumParams; ++i) {
    double v = i % 3 == 0 ? std::numeric_limits<double>::quiet_NaN() : (i % 3 == 1 ? 1e300 : -INFINITY);
    bad.Put(&v);
  }
  TestKelmo b;
  EXPECT_EQ(b.UnserializeState(bad, 0), 352);
  for (int i = 0; i < kNumParams; ++i) {
    const plugin::IParam& p = *b.GetParam(i);
    EXPECT_TRUE(std::isfinite(p.Value())) << i;
    EXPECT_GE(p.Value(), p.GetMin()) << i;
    EXPECT_LE(p.Value(), p.GetMax()) << i;
  }

  // A truncated state reports failure; the parameters it covered are set, the rest keep theirs.
  plugin::IByteChunk cut;
  const double wet = 5.5;
  cut.Put(&wet); // parameter 0 ("Power") = 5.5, clamped to 1
  cut.Put(&wet); // parameter 1 ("L Wet Gain")
  TestKelmo c;
  c.GetParam(kLinkChannelControls)->Set(0.0);
  EXPECT_EQ(c.UnserializeState(cut, 0), -1);
  EXPECT_EQ(c.GetParam(kPower)->Value(), 1.0);
  EXPECT_EQ(c.GetParam(kLWetGain)->Value(), 5.5);
  EXPECT_EQ(c.GetParam(kRWetGain)->Value(), 0.0);
}

TEST_F(Construction, EditorFunctionsAreStoredAndAskForTheScaledEditor)
{
  TestKelmo k;
  EXPECT_TRUE(k.GetMakeGraphicsFunc());
  EXPECT_TRUE(k.GetLayoutFunc());
  // No graphics factory yet: no graphics context, so the editor stays closed, and laying out
  // nothing is harmless.
  EXPECT_EQ(k.CreateGraphics(), nullptr);
  EXPECT_EQ(k.OpenWindow(nullptr), nullptr);
  EXPECT_EQ(k.GetUI(), nullptr);
  k.LayoutUI(nullptr);
  k.CloseWindow();

  k.GetParam(kPluginScale)->Set(1.5);
  const Kelmo::GraphicsRequest r = k.GetGraphicsRequest();
  EXPECT_EQ(r.width, 899);
  EXPECT_EQ(r.height, 500);
  EXPECT_EQ(r.fps, 60);
  EXPECT_EQ(r.drawScale, 1.5f);
}

namespace {

Kelmo* sMadeFor = nullptr;
Kelmo* sLaidOutFor = nullptr;
plugin::ui::ICanvas* sLaidOutOn = nullptr;
// A token the installed factory returns; never dereferenced.
plugin::ui::ICanvas* const kToken = reinterpret_cast<plugin::ui::ICanvas*>(std::uintptr_t{0x10});

} // namespace

// An installed editor reaches the objects built after the installation, each with itself; objects
// built before keep what they had.
TEST_F(Construction, InstalledEditorFunctionsReachLaterObjects)
{
  TestKelmo before;
  InstallKelmoEditorFunctions({[](Kelmo& k) { return sMadeFor = &k, kToken; },
                               [](Kelmo& k, plugin::ui::ICanvas* ui) { sLaidOutFor = &k, sLaidOutOn = ui; }});
  TestKelmo after;
  EXPECT_EQ(before.CreateGraphics(), nullptr);
  EXPECT_EQ(sMadeFor, nullptr);
  EXPECT_EQ(after.CreateGraphics(), kToken);
  EXPECT_EQ(sMadeFor, &after);
  after.LayoutUI(kToken);
  EXPECT_EQ(sLaidOutFor, &after);
  EXPECT_EQ(sLaidOutOn, kToken);
  InstallKelmoEditorFunctions({});
  TestKelmo none;
  EXPECT_EQ(none.CreateGraphics(), nullptr);
  EXPECT_EQ(InstalledKelmoEditorFunctions().layout, nullptr);
}
