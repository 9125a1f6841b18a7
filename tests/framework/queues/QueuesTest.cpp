#include "framework/queues/IKeyPress.h"
#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testhost;
using HE = HookEvent;

TEST(LockFreeQueue, HoldsItsCapacityInOrderAcrossTheWrap)
{
  ILockFreeQueue<int> q(4); // 5 slots
  int v = -1;
  EXPECT_FALSE(q.Pop(v));
  EXPECT_EQ(v, -1);
  for (int round = 0; round < 7; ++round) {
    for (int i = 0; i < 4; ++i)
      ASSERT_TRUE(q.Push(10 * round + i));
    EXPECT_FALSE(q.Push(-2)); // the fifth is dropped
    EXPECT_EQ(q.ElementsAvailable(), 4);
    ASSERT_TRUE(q.Pop(v));
    EXPECT_EQ(v, 10 * round);
    ASSERT_TRUE(q.Push(-3)); // one pop frees one slot
    for (int i = 1; i < 4; ++i)
      ASSERT_TRUE(q.Pop(v) && v == 10 * round + i) << round << " " << i << " " << v;
    ASSERT_TRUE(q.Pop(v) && v == -3);
    EXPECT_EQ(q.ElementsAvailable(), 0);
  }
}

TEST(QueueRecords, SysExAndKeyPress)
{
  SysExData entry;
  std::memset(entry.mData, 0xAB, sizeof(entry.mData));
  ASSERT_TRUE(entry.Assign(ISysEx{7, 12, nullptr})); // no data: zero bytes with the stated size
  EXPECT_EQ(std::make_pair(entry.mOffset, entry.mSize), std::make_pair(7, 12));
  EXPECT_EQ(std::vector<uint8_t>(entry.mData, entry.mData + 512), std::vector<uint8_t>(512, 0));
  const uint8_t big[SysExData::kMaxBytes + 1] = {0xF0, 0x7E};
  EXPECT_TRUE(entry.Assign(ISysEx{0, SysExData::kMaxBytes, big}));
  EXPECT_EQ(entry.mData[1], 0x7E);
  EXPECT_FALSE(entry.Assign(ISysEx{1, SysExData::kMaxBytes + 1, big}));
  EXPECT_FALSE(entry.Assign(ISysEx{1, -1, big}));
  EXPECT_EQ(entry.mOffset, 0); // untouched

  const IKeyPress k("abcdefgh", 65, true, false, true);
  EXPECT_STREQ(k.mUtf8, "abcd");
  EXPECT_TRUE(k.mShift && !k.mCtrl && k.mAlt);
}

TEST(PluginQueues, EditorMessagesAreQueuedForTheAudioThread)
{
  TestPlugin p;
  for (int i = 0; i < 33; ++i)
    p.DeferMidiMsg(IMidiMsg{i, 0xB0, 1, 2}); // the 33rd is dropped
  const uint8_t big[600] = {};
  p.SendSysexMsgFromUI(ISysEx{0, 513, big}); // too large: refused
  for (int i = 0; i < 5; ++i)
    p.DeferSysexMsg(ISysEx{i, 12, nullptr});
  std::vector<int> midi, sysex;
  IMidiMsg m;
  while (p.AudioPopMidi(m))
    midi.push_back(m.mOffset);
  SysExData d;
  while (p.AudioPopSysEx(d))
    sysex.push_back(d.mOffset);
  EXPECT_EQ(midi.size(), 32u);
  EXPECT_EQ(midi.back(), 31);
  EXPECT_EQ(sysex, (std::vector<int>{0, 1, 2, 3}));
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
  ASSERT_TRUE(sx.Assign(ISysEx{5, 3, bytes}));
  ASSERT_TRUE(p.AudioPushSysEx(sx));
  EXPECT_EQ(loop.RunPending(), 1); // first tick on the next pass
  EXPECT_EQ(p.log, (std::vector<HE>{{"midiUI", 60, 0x90, -1, 0},
                                    {"midiUI", 61, 0x90, -1, 1},
                                    {"midiUI", 62, 0x90, -1, 2},
                                    {"sysexUI", 3, 0xF0, -1, 5},
                                    {"idle"}}));
  p.log.clear();
  EXPECT_EQ(loop.RunForMs(100.0), 5); // every 20 ms
  EXPECT_EQ(p.log, std::vector<HE>(5, HE{"idle"}));
  p.DestroyTimer();
  EXPECT_EQ(loop.NTimers(), 0);
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
