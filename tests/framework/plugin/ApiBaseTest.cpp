#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace testhost;
using HE = HookEvent;

TEST(ApiBase, ConfigurationIsCopied)
{
  const std::string longName(300, 'n');
  IPluginConfig c = MakeTestConfig({});
  c.mPluginName = longName.c_str();
  c.mMfrName = nullptr;
  const IPluginAPIBase p(c, kAPIVST3);
  EXPECT_EQ(std::string(p.GetPluginName()), longName.substr(0, 128));
  EXPECT_STREQ(p.GetMfrName(), "");
  EXPECT_EQ(p.GetUniqueID(), kTestUniqueID);
  EXPECT_EQ(p.GetHost(), -1);
  EXPECT_EQ(p.GetMinWidth(), 800); // reordered
  EXPECT_EQ(p.GetMaxWidth(), 900);
  EXPECT_EQ(p.NPresets(), 4);
  EXPECT_FALSE(p.HasTimer());
}

TEST(ApiBase, HostDetectionStoresTheHostThenCallsTheHooks)
{
  TestPlugin p;
  p.SetHost("REAPER", 0x00060000);
  EXPECT_EQ(p.GetHost(), 1);
  EXPECT_EQ(p.GetHostVersion(false), 0x00060000);
  EXPECT_EQ(p.log, (std::vector<HE>{{"hostInit", 1}, {"hostIdentified", 1}}));
}

TEST(ApiBase, EditorGestureTellsTheHostThenThePlugin)
{
  TestPlugin p;
  p.BeginInformHostOfParamChangeFromUI(kSteps);
  p.SendParameterValueFromUI(kSteps, 0.625); // 2.5 on 0..4 snaps to 3
  p.EndInformHostOfParamChangeFromUI(kSteps);
  p.SendParameterValueFromUI(kGain, std::numeric_limits<double>::quiet_NaN());
  p.SendParameterValueFromUI(kCurve, 7.5);
  p.SendParameterValueFromUI(kNumTestParams, 0.5); // no such parameter: ignored
  EXPECT_EQ(p.log, (std::vector<HE>{
                       {"begin", kSteps},
                       {"perform", kSteps, 0.625}, // the caller's value, not the snapped one
                       {"change", kSteps, 3.0, kUI, -1},
                       {"changeUI", kSteps, 0.0, kUI},
                       {"end", kSteps},
                       {"perform", kGain, 0.0}, // the host never hears NaN; the value is the minimum
                       {"change", kGain, 0.0, kUI, -1},
                       {"changeUI", kGain, 0.0, kUI},
                       {"perform", kCurve, 1.0}, // clamped to what a host takes
                       {"change", kCurve, 100.0, kUI, -1},
                       {"changeUI", kCurve, 0.0, kUI},
                   }));
}

TEST(ApiBase, AllValuesToTheHostAreNormalised)
{
  TestPlugin p;
  p.GetParam(kSteps)->Set(3.0);
  p.InformHostOfAllParamValuesFromUI();
  const auto performs = p.Only("perform");
  ASSERT_EQ(performs.size(), static_cast<size_t>(kNumTestParams));
  EXPECT_EQ(performs[kSteps], (HE{"perform", kSteps, 0.75}));
  EXPECT_EQ(performs[kMode], (HE{"perform", kMode, 1.0 / 3.0}));
}

TEST(ApiBase, CompareStateWithinSinglePrecision)
{
  TestPlugin p;
  std::vector<double> v = Values(p);
  v.insert(v.begin(), 99.0); // start index 1
  EXPECT_TRUE(p.CompareState(v.data(), 1));
  v[1 + kGain] += 1e-7;
  EXPECT_TRUE(p.CompareState(v.data(), 1));
  v[1 + kAttack] += 0.01;
  EXPECT_FALSE(p.CompareState(v.data(), 1));
}

TEST(ApiBase, EditorResizeAsksTheHostOnlyWhenThePlatformMust)
{
  TestPlugin p;
  EXPECT_TRUE(p.EditorResizeFromUI(10, 10, false));
  EXPECT_TRUE(p.EditorResizeFromUI(500, 600, true));
  EXPECT_EQ(p.log, (std::vector<HE>{{"resize", 500, 600.0}}));
}

TEST(ApiBase, EnqueuedParamChangesAreConvertedAndBounded)
{
  TestPlugin p;
  EXPECT_FALSE(p.EnqueueParamChange(-1, 0.5, true));
  EXPECT_TRUE(p.EnqueueParamChange(kSteps, 0.625, true));
  EXPECT_TRUE(p.EnqueueParamChange(kSteps, 7.25, false)); // a real value is queued unchanged
  IParamChange c;
  ASSERT_TRUE(p.PopParamChange(c));
  EXPECT_EQ(c.value, 3.0);
  ASSERT_TRUE(p.PopParamChange(c));
  EXPECT_EQ(c.value, 7.25);
  int accepted = 0;
  for (int i = 0; i < 600; ++i)
    accepted += p.EnqueueParamChange(kGain, 0.0, false);
  EXPECT_EQ(accepted, IPluginAPIBase::kParamChangeQueueSize);
}
