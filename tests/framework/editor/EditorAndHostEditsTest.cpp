#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace testhost;

namespace {
using HE = HookEvent;
}

TEST(EditorEdits, GestureBeginPerformEndReachesHostAndPlugin)
{
  TestPlugin p;
  p.log.clear();
  p.BeginInformHostOfParamChangeFromUI(kSteps);
  p.SendParameterValueFromUI(kSteps, 0.625); // 2.5 on 0..4 snaps to 3
  p.EndInformHostOfParamChangeFromUI(kSteps);
  EXPECT_EQ(p.GetParam(kSteps)->Value(), 3.0);
  const std::vector<HE> expected{
      {"begin", kSteps},
      {"perform", kSteps, 0.625},       // the caller's value, not the snapped one
      {"change", kSteps, 3.0, kUI, -1}, // host told first, then the plug-in
      {"changeUI", kSteps, 0.0, kUI},
      {"end", kSteps},
  };
  EXPECT_EQ(p.log, expected);
}

TEST(EditorEdits, ShapesMapNormalisedValues)
{
  TestPlugin p;
  p.SendParameterValueFromUI(kGain, 1.0);
  EXPECT_DOUBLE_EQ(p.GetParam(kGain)->Value(), 4.0);
  p.SendParameterValueFromUI(kFreq, 0.5);
  EXPECT_NEAR(p.GetParam(kFreq)->Value(), std::sqrt(20.0 * 20000.0),
              0.5); // geometric middle, 1 Hz steps
  p.SendParameterValueFromUI(kCurve, 0.5);
  EXPECT_DOUBLE_EQ(p.GetParam(kCurve)->Value(), 12.5); // 100 * 0.5^3
  p.SendParameterValueFromUI(kMode, 0.9);
  EXPECT_EQ(p.GetParam(kMode)->Value(), 3.0);
  p.SendParameterValueFromUI(kHalf, 0.55); // -2 + 4 * 0.55 = 0.2 -> 0
  EXPECT_EQ(p.GetParam(kHalf)->Value(), 0.0);
  p.SendParameterValueFromUI(kBypass, 0.7);
  EXPECT_EQ(p.GetParam(kBypass)->Value(), 1.0);
}

TEST(EditorEdits, HostilePayloadsAreContained)
{
  TestPlugin p;
  p.log.clear();
  p.SendParameterValueFromUI(kGain, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(p.GetParam(kGain)->Value(), 0.0); // NaN stores the minimum
  ASSERT_FALSE(p.Only("perform").empty());
  EXPECT_EQ(p.Only("perform")[0].value, 0.0); // the host never hears NaN
  p.log.clear();
  p.SendParameterValueFromUI(kGain, 7.5);
  EXPECT_EQ(p.GetParam(kGain)->Value(), 4.0);
  EXPECT_EQ(p.Only("perform")[0].value, 1.0); // clamped to what a host takes
  p.log.clear();
  p.SendParameterValueFromUI(-1, 0.5);
  p.SendParameterValueFromUI(kNumTestParams, 0.5);
  p.SetParameterValue(1000, 0.5);
  EXPECT_TRUE(p.log.empty()); // invalid indices are ignored entirely
}

TEST(HostEdits, SteppedValuesAreRoundedThenClamped)
{
  TestPlugin p;
  p.log.clear();
  p.HostSetNormalized(kSteps, 0.374, 17); // 1.496 -> 1
  EXPECT_EQ(p.GetParam(kSteps)->Value(), 1.0);
  p.HostSetNormalized(kSteps, 0.375); // 1.5 -> 2 (halves away from zero)
  EXPECT_EQ(p.GetParam(kSteps)->Value(), 2.0);
  p.HostSetNormalized(kSteps, 1.2); // 4.8 -> 5 -> clamped 4
  EXPECT_EQ(p.GetParam(kSteps)->Value(), 4.0);
  p.HostSetNormalized(kHalf, -0.1); // -2.4 -> -2.5 -> clamped -2
  EXPECT_EQ(p.GetParam(kHalf)->Value(), -2.0);
  EXPECT_EQ(p.log.front(), (HE{"change", kSteps, 1.0, kHost, 17}));
}

TEST(HostEdits, AllValuesToHostAreNormalised)
{
  TestPlugin p;
  p.GetParam(kSteps)->Set(3.0);
  p.log.clear();
  p.InformHostOfAllParamValuesFromUI();
  const auto performs = p.Only("perform");
  ASSERT_EQ(performs.size(), static_cast<size_t>(kNumTestParams));
  EXPECT_EQ(performs[kSteps].value, 0.75);
  EXPECT_EQ(performs[kMode].value, 1.0 / 3.0);
  for (int i = 0; i < kNumTestParams; ++i)
    EXPECT_EQ(performs[static_cast<size_t>(i)].idx, i);
}

TEST(HostEdits, EditorOpenSendsSnappedNormalisedValues)
{
  TestPlugin p;
  p.log.clear();
  p.OnUIOpen();
  const auto sent = p.Only("toEditor");
  ASSERT_EQ(sent.size(), static_cast<size_t>(kNumTestParams));
  EXPECT_EQ(sent[kSteps].value, 0.5); // default 2 of 0..4
  EXPECT_EQ(sent[kSteps].source, 1);  // flagged normalised
}

TEST(ApiBase, ConfigurationIsCopied)
{
  TestPlugin p;
  EXPECT_STREQ(p.GetPluginName(), "Test Plug-in");
  EXPECT_STREQ(p.GetMfrName(), "Test Maker");
  EXPECT_EQ(p.GetUniqueID(), kTestUniqueID);
  EXPECT_EQ(p.GetPluginVersion(true), 20103);
  EXPECT_EQ(p.GetAPI(), kAPIVST3);
  EXPECT_EQ(p.GetHost(), -1);
  EXPECT_EQ(p.GetEditorWidth(), 400);
  EXPECT_EQ(p.GetMinWidth(), 800); // reordered
  EXPECT_EQ(p.GetMaxWidth(), 900);
  EXPECT_EQ(p.NParams(), kNumTestParams);
  EXPECT_EQ(p.NPresets(), TestOptions{}.nPresets);
  EXPECT_EQ(p.NChannels(kInput), 2);
  EXPECT_STREQ(p.GetChannelLabel(kInput, 1), "Main R");
  EXPECT_FALSE(p.HasTimer());
  EXPECT_EQ(p.GetUI(), nullptr);
}

TEST(ApiBase, LongAndNullNamesAreCutOrEmpty)
{
  const std::string longName(300, 'n');
  IPluginConfig c = MakeTestConfig({});
  c.mPluginName = longName.c_str();
  c.mProductName = nullptr;
  c.mMfrName = nullptr;
  c.mBundleID = nullptr;
  IPluginAPIBase p(c, kAPIVST3);
  EXPECT_EQ(std::string(p.GetPluginName()), longName.substr(0, 128));
  EXPECT_STREQ(p.GetProductName(), "");
  EXPECT_STREQ(p.GetMfrName(), "");
  EXPECT_STREQ(p.GetBundleID(), "");
}

TEST(ApiBase, HostDetectionCallsTheHooksInOrder)
{
  TestPlugin p;
  p.log.clear();
  p.SetHost("REAPER", 0x00060000);
  EXPECT_EQ(p.GetHost(), 1);
  EXPECT_EQ(p.GetHostVersion(false), 0x00060000);
  EXPECT_EQ(p.log, (std::vector<HE>{{"hostInit", 1}, {"hostIdentified", 1}}));
  p.SetHost(nullptr, 0);
  EXPECT_EQ(p.GetHost(), 0);
}

TEST(ApiBase, CompareStateWithinTolerance)
{
  TestPlugin p;
  std::vector<double> v = Values(p);
  v.insert(v.begin(), 99.0); // start index 1
  EXPECT_TRUE(p.CompareState(v.data(), 1));
  v[1 + kGain] += 1e-7;
  EXPECT_TRUE(p.CompareState(v.data(), 1));
  v[1 + kAttack] += 0.01;
  EXPECT_FALSE(p.CompareState(v.data(), 1));
  EXPECT_FALSE(p.CompareState(nullptr, 0));
  IPluginConfig none = MakeTestConfig({});
  none.mNParams = 0;
  EXPECT_TRUE(IPluginAPIBase(none, kAPIVST3).CompareState(nullptr, 0));
}

TEST(ApiBase, EditorResizeAsksTheHostOnlyWhenThePlatformMust)
{
  TestPlugin p;
  p.log.clear();
  EXPECT_TRUE(p.EditorResizeFromUI(10, 10, false));
  EXPECT_TRUE(p.log.empty());
  EXPECT_TRUE(p.EditorResizeFromUI(500, 600, true));
  EXPECT_EQ(p.log, (std::vector<HE>{{"resize", 500, 600.0}}));
}

TEST(EditorOpen, OpeningAndRestoringSendSnappedNormalisedValues)
{
  TestPlugin p;
  p.GetParam(kHalf)->Set(0.9); // stored snapped to 1.0
  EXPECT_EQ(p.OpenWindow(nullptr), nullptr);
  p.OnRestoreState();
  const auto sent = p.Only("toEditor");
  ASSERT_EQ(sent.size(), 2u * kNumTestParams);
  EXPECT_EQ(sent[kSteps], (HE{"toEditor", kSteps, 0.5, 1}));
  EXPECT_EQ(sent[kNumTestParams + kHalf], (HE{"toEditor", kHalf, 0.75, 1}));
}
