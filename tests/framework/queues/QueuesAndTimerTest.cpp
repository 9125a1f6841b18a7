#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testhost;

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
  ASSERT_TRUE(p.HasTimer());
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(p.AudioPushMidi(IMidiMsg{i, 0x90, static_cast<uint8_t>(60 + i), 100}));
  const uint8_t bytes[] = {0xF0, 0x01, 0xF7};
  SysExData sx;
  ASSERT_TRUE(sx.Assign(ISysEx{5, 3, bytes}));
  ASSERT_TRUE(p.AudioPushSysEx(sx));
  p.log.clear();

  EXPECT_EQ(loop.RunPending(), 1); // first tick on the next pass
  const std::vector<HookEvent> expected{
      {"midiUI", 60, 0x90, -1, 0},
      {"midiUI", 61, 0x90, -1, 1},
      {"midiUI", 62, 0x90, -1, 2},
      {"sysexUI", 3, 0xF0, -1, 5},
      {"idle"},
  };
  EXPECT_EQ(p.log, expected);

  p.log.clear();
  EXPECT_EQ(loop.RunForMs(100.0), 5); // every 20 ms
  EXPECT_EQ(p.Only("idle").size(), 5u);
  EXPECT_EQ(p.log.size(), 5u);
}

TEST_F(TimedPlugin, WithoutUIOnlyIdleRunsAndMessagesStayQueued)
{
  TestPlugin p(TestOptions{.hasUI = false});
  p.CreateTimer(loop);
  ASSERT_TRUE(p.AudioPushMidi(IMidiMsg{0, 0x80, 1, 0}));
  p.log.clear();
  loop.RunForMs(40.0);
  EXPECT_EQ(p.log, (std::vector<HookEvent>{{"idle"}, {"idle"}, {"idle"}}));
  // Still there: the consumer never ran.
  for (int i = 0; i < IPluginAPIBase::kMidiQueueSize - 1; ++i)
    ASSERT_TRUE(p.AudioPushMidi(IMidiMsg{}));
  EXPECT_FALSE(p.AudioPushMidi(IMidiMsg{}));
}

TEST_F(TimedPlugin, DestructionStopsTheTimerFirst)
{
  {
    TestPlugin p;
    p.CreateTimer(loop);
    p.CreateTimer(loop); // replaces, never doubles
    EXPECT_EQ(loop.NTimers(), 1);
    loop.RunPending();
    p.DestroyTimer();
    EXPECT_FALSE(p.HasTimer());
    EXPECT_EQ(loop.NTimers(), 0);
    p.CreateTimer(loop);
  }
  EXPECT_EQ(loop.NTimers(), 0);
  EXPECT_EQ(loop.RunForMs(100.0), 0);
}

TEST(PluginQueues, EditorMidiQueueHolds32)
{
  TestPlugin p;
  for (int i = 0; i < 32; ++i)
    p.SendMidiMsgFromUI(IMidiMsg{i, 0xB0, 1, 2});
  p.DeferMidiMsg(IMidiMsg{32, 0xB0, 1, 2}); // dropped: the queue is full
  IMidiMsg m;
  ASSERT_TRUE(p.AudioPopMidi(m));
  EXPECT_EQ(m.mOffset, 0);
  p.SendMidiMsgFromUI(IMidiMsg{33, 0xB0, 1, 2});
  int last = -1, n = 1;
  while (p.AudioPopMidi(m)) {
    last = m.mOffset;
    ++n;
  }
  EXPECT_EQ(n, 33);
  EXPECT_EQ(last, 33);
}

TEST(PluginQueues, EditorSysExIsCheckedAndPadded)
{
  TestPlugin p;
  uint8_t big[600] = {};
  p.SendSysexMsgFromUI(ISysEx{0, 513, big}); // too large
  p.SendSysexMsgFromUI(ISysEx{0, -4, big});  // negative
  p.DeferSysexMsg(ISysEx{9, 12, nullptr});   // no data: zero bytes with the stated size
  SysExData d;
  ASSERT_TRUE(p.AudioPopSysEx(d));
  EXPECT_EQ(d.mOffset, 9);
  EXPECT_EQ(d.mSize, 12);
  EXPECT_EQ(std::memcmp(d.mData, big, sizeof(d.mData)), 0);
  EXPECT_FALSE(p.AudioPopSysEx(d));
  for (int i = 0; i < 5; ++i)
    p.SendSysexMsgFromUI(ISysEx{i, 1, big});
  int n = 0;
  while (p.AudioPopSysEx(d))
    ++n;
  EXPECT_EQ(n, 4);
}

TEST(PluginQueues, EnqueuedParamChangesAreConvertedAndBounded)
{
  TestPlugin p;
  EXPECT_FALSE(p.EnqueueParamChange(-1, 0.5, true));
  EXPECT_FALSE(p.EnqueueParamChange(kNumTestParams, 0.5, false));
  EXPECT_TRUE(p.EnqueueParamChange(kSteps, 0.625, true));
  EXPECT_TRUE(p.EnqueueParamChange(kSteps, 7.25, false)); // a real value is queued unchanged
  IParamChange c;
  ASSERT_TRUE(p.PopParamChange(c));
  EXPECT_EQ(c.paramIdx, kSteps);
  EXPECT_EQ(c.value, 3.0);
  ASSERT_TRUE(p.PopParamChange(c));
  EXPECT_EQ(c.value, 7.25);
  int accepted = 0;
  for (int i = 0; i < 600; ++i)
    accepted += p.EnqueueParamChange(kGain, 0.0, false) ? 1 : 0;
  EXPECT_EQ(accepted, IPluginAPIBase::kParamChangeQueueSize);
}

TEST(PluginQueues, ArbitraryMessagesReachOnMessage)
{
  struct MsgPlugin : TestPlugin
  {
    bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void*) override
    {
      got = {msgTag, ctrlTag, dataSize};
      return true;
    }
    std::vector<int> got;
  } p;
  p.SendArbitraryMsgFromUI(1, 2, 3, nullptr);
  EXPECT_EQ(p.got, (std::vector<int>{1, 2, 3}));
}
