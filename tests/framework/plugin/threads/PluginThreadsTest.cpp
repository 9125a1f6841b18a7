#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace testhost;

// The audio thread pushes MIDI for the editor while the main thread's timer drains it: every
// message arrives once, in order, and only on the main thread.
TEST(PluginThreads, ProcessorToEditorMidiThroughTheTimer)
{
  constexpr int kMessages = 100000;
  ManualRunLoopClock clock;
  RunLoop loop(&clock);
  struct CountingPlugin : TestPlugin
  {
    void OnMidiMsgUI(const IMidiMsg& m) override { outOfOrder += m.mOffset != received++; }
    int received = 0, outOfOrder = 0;
  } p;
  p.CreateTimer(loop);
  std::atomic<bool> done{false};
  std::thread audio([&] {
    for (int i = 0; i < kMessages; ++i)
      while (!p.AudioPushMidi(IMidiMsg{i, 0x90, 60, 100}))
        std::this_thread::yield();
    done.store(true);
  });
  while (!done.load() || p.received < kMessages) {
    loop.RunForMs(20.0);
    std::this_thread::yield();
  }
  audio.join();
  EXPECT_EQ(p.received, kMessages);
  EXPECT_EQ(p.outOfOrder, 0);
}

// The main thread edits, saves and restores states and sends MIDI while the audio thread
// processes blocks, automates a parameter and pops the editor's MIDI. Every value either side sees
// is one that was written, never a torn mix; a full MIDI queue drops messages but keeps the order.
TEST(PluginThreads, MainThreadWorkWhileTheAudioThreadProcesses)
{
  TestPlugin p(TestOptions{.io = "1-1"});
  ASSERT_TRUE(p.SetBlockSize(64));
  IByteChunk stateA, stateB;
  p.GetParam(kGain)->Set(0.5);
  p.SerializeState(stateA);
  p.GetParam(kGain)->Set(3.0);
  p.SerializeState(stateB);
  std::atomic<bool> stop{false};
  int outOfOrder = 0, badSamples = 0, badSaved = 0;
  std::thread audio([&] {
    std::vector<double> in(64, 1.0), out(64);
    double* ins[] = {in.data()};
    double* outs[] = {out.data()};
    int last = -1;
    for (int block = 0; !stop.load(); ++block) {
      IMidiMsg m;
      while (p.AudioPopMidi(m)) {
        outOfOrder += m.mOffset <= last;
        last = m.mOffset;
      }
      p.GetParam(kAttack)->SetNormalized(block & 1); // host automation
      p.SetChannelConnections(kInput, 0, 1, true);
      p.SetChannelConnections(kOutput, 0, 1, true);
      p.AttachBuffers(kInput, 0, 1, ins);
      p.AttachBuffers(kOutput, 0, 1, outs);
      p.ProcessBuffers(0.0, 64);
      badSamples += out[0] != 0.5 && out[0] != 3.0 && out[0] != 1.0;
    }
  });
  for (int i = 0; i < 20000 || p.blocks.load() < 200; ++i) { // until both sides did enough work
    p.SendMidiMsgFromUI(IMidiMsg{i, 0xB0, 7, 1});
    if (i % 1000 == 0) p.log.clear(); // the hook log is not under test here
    if (i % 10 == 0) {
      EXPECT_EQ(p.UnserializeState(i % 20 ? stateA : stateB, 0), stateA.Size());
    }
    if (i % 10 == 5) p.SendParameterValueFromUI(kGain, 0.25); // 1.0
    IByteChunk saved;
    p.SerializeState(saved);
    double attack = 0;
    saved.Get(&attack, 8 * kAttack);
    badSaved += attack != 1.0 && attack != 1000.0 && attack != 10.0;
  }
  stop.store(true);
  audio.join();
  EXPECT_EQ(outOfOrder, 0);
  EXPECT_EQ(badSamples, 0);
  EXPECT_EQ(badSaved, 0);
  EXPECT_GT(p.blocks.load(), 0);
}
