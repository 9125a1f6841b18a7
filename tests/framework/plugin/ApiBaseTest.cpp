#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace testhost;
using HE = HookEvent;

TEST(ApiBase, ConfigurationAndHostDetection)
{
  const std::string longName(300, 'n');
  IPluginConfig c = MakeTestConfig({});
  c.mPluginName = longName.c_str();
  c.mMfrName = nullptr;
  const IPluginAPIBase base(c, kAPIVST3);
  EXPECT_EQ(std::string(base.GetPluginName()) + "|" + base.GetMfrName(), longName.substr(0, 128) + "|");
  EXPECT_EQ(std::make_pair(base.GetMinWidth(), base.GetMaxWidth()), std::make_pair(800, 900)); // reordered
  EXPECT_EQ(base.GetHost(), -1);
  TestPlugin p;
  p.SetHost("REAPER", 0x00060000);
  EXPECT_EQ(std::make_pair(p.GetHost(), p.GetHostVersion(false)), std::make_pair(1, 0x00060000));
  EXPECT_EQ(p.log, (std::vector<HE>{{"hostInit", 1}, {"hostIdentified", 1}})); // after the id is stored
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
  EXPECT_EQ(p.log,
            (std::vector<HE>{{"begin", kSteps},
                             {"perform", kSteps, 0.625}, // the caller's value, not the snapped one
                             {"change", kSteps, 3.0, kUI, -1},
                             {"changeUI", kSteps, 0.0, kUI},
                             {"end", kSteps},
                             {"perform", kGain, 0.0}, // the host never hears NaN; the value is the minimum
                             {"change", kGain, 0.0, kUI, -1},
                             {"changeUI", kGain, 0.0, kUI},
                             {"perform", kCurve, 1.0}, // clamped to what a host takes
                             {"change", kCurve, 100.0, kUI, -1},
                             {"changeUI", kCurve, 0.0, kUI}}));
  p.log.clear();
  p.InformHostOfAllParamValuesFromUI();
  EXPECT_EQ(p.log[kSteps], (HE{"perform", kSteps, 0.75}));
  EXPECT_EQ(p.log[kMode], (HE{"perform", kMode, 1.0 / 3}));
  p.log.clear();
  EXPECT_TRUE(p.EditorResizeFromUI(10, 10, false) && p.EditorResizeFromUI(500, 600, true));
  EXPECT_EQ(p.log, (std::vector<HE>{{"resize", 500, 600.0}})); // asked only when the platform must
}

TEST(ApiBase, QueuesBetweenEditorAndAudio)
{
  TestPlugin p;
  for (int i = 0; i < 33; ++i)
    p.DeferMidiMsg(IMidiMsg{i, 0xB0, 1, 2}); // the 33rd is dropped
  const uint8_t big[600] = {};
  p.SendSysexMsgFromUI(ISysEx{0, 513, big}); // too large: refused
  for (int i = 0; i < 5; ++i)
    p.DeferSysexMsg(ISysEx{i, 12, nullptr});
  EXPECT_TRUE(p.EnqueueParamChange(kSteps, 0.625, true)); // converted, snapped
  EXPECT_TRUE(p.EnqueueParamChange(kSteps, 7.25, false)); // a real value is queued unchanged
  EXPECT_FALSE(p.EnqueueParamChange(-1, 0.5, true));
  std::vector<double> midi, sysex, changes;
  IMidiMsg m;
  SysExData d;
  IParamChange c;
  while (p.AudioPopMidi(m))
    midi.push_back(m.mOffset);
  while (p.AudioPopSysEx(d))
    sysex.push_back(d.mOffset);
  while (p.PopParamChange(c))
    changes.push_back(c.value);
  EXPECT_EQ(std::make_pair(midi.size(), midi.back()), std::make_pair(size_t{32}, 31.0));
  EXPECT_EQ(sysex, (std::vector<double>{0, 1, 2, 3}));
  EXPECT_EQ(changes, (std::vector<double>{3.0, 7.25}));
}

namespace {

// A test plug-in with its timer on a private loop in virtual time.
struct TimedPlugin : ::testing::Test
{
  ManualRunLoopClock clock;
  RunLoop loop{&clock};
};

} // namespace

TEST_F(TimedPlugin, TicksDrainTheQueuesThenIdle)
{
  TestPlugin p;
  p.CreateTimer(loop);
  p.CreateTimer(loop); // replaces, never doubles
  EXPECT_EQ(loop.NTimers(), 1);
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(p.AudioPushMidi(IMidiMsg{i, 0x90, static_cast<uint8_t>(60 + i), 100}));
  const uint8_t bytes[] = {0xF0, 0x01, 0xF7};
  SysExData sx;
  ASSERT_TRUE(sx.Assign(ISysEx{5, 3, bytes}) && p.AudioPushSysEx(sx));
  EXPECT_EQ(loop.RunPending(), 1);    // first tick on the next pass
  EXPECT_EQ(loop.RunForMs(100.0), 5); // then every 20 ms
  std::vector<HE> expected{{"midiUI", 60, 0x90, -1, 0},
                           {"midiUI", 61, 0x90, -1, 1},
                           {"midiUI", 62, 0x90, -1, 2},
                           {"sysexUI", 3, 0xF0, -1, 5}};
  expected.resize(10, HE{"idle"});
  EXPECT_EQ(p.log, expected);
}

TEST_F(TimedPlugin, WithoutUIOnlyIdleRunsAndMessagesStayQueued)
{
  {
    TestPlugin p(TestOptions{.hasUI = false});
    p.CreateTimer(loop);
    ASSERT_TRUE(p.AudioPushMidi(IMidiMsg{0, 0x80, 1, 0}));
    loop.RunForMs(40.0);
    EXPECT_EQ(p.log, std::vector<HE>(3, HE{"idle"}));
    for (int i = 0; i < IPluginAPIBase::kMidiQueueSize - 1; ++i)
      ASSERT_TRUE(p.AudioPushMidi(IMidiMsg{}));
    EXPECT_FALSE(p.AudioPushMidi(IMidiMsg{})); // the first message is still there
  }
  EXPECT_EQ(loop.NTimers(), 0); // destruction stops the timer first
}
