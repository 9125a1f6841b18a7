#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace testhost;

namespace {

constexpr int kMessages = 100000;

} // namespace

// The audio thread pushes MIDI for the editor while the main thread's timer drains it: every
// message arrives once, in order, and only on the main thread.
TEST(PluginThreads, ProcessorToEditorMidiThroughTheTimer)
{
  ManualRunLoopClock clock;
  RunLoop loop(&clock);
  struct CountingPlugin : TestPlugin
  {
    void OnMidiMsgUI(const IMidiMsg& m) override
    {
      if (m.mOffset != received) ++outOfOrder;
      ++received;
    }
    void OnIdle() override { ++idles; }
    int received = 0, outOfOrder = 0, idles = 0;
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
    if (p.received < kMessages) std::this_thread::yield();
  }
  audio.join();
  EXPECT_EQ(p.received, kMessages);
  EXPECT_EQ(p.outOfOrder, 0);
  EXPECT_GT(p.idles, 0);
}

// The editor sends MIDI and sets parameters on the main thread while the audio thread processes
// blocks and pops the editor's MIDI. A full queue drops messages, so what arrives is checked for
// order and uniqueness rather than completeness.
TEST(PluginThreads, EditorEditsWhileTheAudioThreadProcesses)
{
  TestPlugin p(TestOptions{.io = "2-2"});
  ASSERT_TRUE(p.SetBlockSize(256));
  std::atomic<bool> stop{false};
  int popped = 0, outOfOrder = 0, badSamples = 0;
  std::thread audio([&] {
    std::vector<double> in(256, 0.5), outL(256), outR(256);
    double* ins[] = {in.data(), in.data()};
    double* outs[] = {outL.data(), outR.data()};
    const double lo = 0.5 * 0.0 - 1e-12, hi = 0.5 * 4.0 + 1e-12; // the gain range is 0..4
    int last = -1;
    for (bool finalPass = false;; finalPass = stop.load()) {
      IMidiMsg m;
      while (p.AudioPopMidi(m)) {
        if (m.mOffset <= last) ++outOfOrder;
        last = m.mOffset;
        ++popped;
      }
      p.SetChannelConnections(kInput, 0, 2, true);
      p.SetChannelConnections(kOutput, 0, 2, true);
      p.AttachBuffers(kInput, 0, 2, ins);
      p.AttachBuffers(kOutput, 0, 2, outs);
      p.ProcessBuffers(0.0, 256);
      // Each sample is the input times some gain the editor set: a whole value, never a torn one.
      if (!(outL[0] >= lo && outL[0] <= hi)) ++badSamples;
      if (finalPass) break;
    }
  });
  for (int i = 0; i < kMessages; ++i) {
    p.SendMidiMsgFromUI(IMidiMsg{i, 0xB0, 7, static_cast<uint8_t>(i & 0x7F)});
    if (i % 97 == 0) p.SendParameterValueFromUI(kGain, (i % 1000) / 1000.0);
    if (i % 8 == 0) std::this_thread::yield();
  }
  stop.store(true);
  audio.join();
  EXPECT_EQ(outOfOrder, 0);
  EXPECT_GT(popped, 0);
  EXPECT_LE(popped, kMessages);
  EXPECT_EQ(badSamples, 0);
  EXPECT_GT(p.blocks.load(), 0);
}

// The main thread restores and saves states, edits a parameter, sends MIDI to the audio side and
// pumps the timer, which drains the audio side's MIDI. The audio thread processes blocks, automates
// a parameter, pops the editor's MIDI and pushes its own. Every value either side sees is one that
// was written, never a torn mix; MIDI arrives in order (a full queue drops, never reorders), and
// the audio side's messages reach the editor exactly once.
TEST(PluginThreads, MainThreadWorkWhileTheAudioThreadProcesses)
{
  ManualRunLoopClock clock;
  RunLoop loop(&clock);
  struct CountingPlugin : TestPlugin
  {
    CountingPlugin() : TestPlugin(TestOptions{.io = "1-1"}) {}
    void OnMidiMsgUI(const IMidiMsg& m) override { outOfOrder += m.mOffset != received++; }
    int received = 0, outOfOrder = 0;
  } p;
  p.CreateTimer(loop);
  ASSERT_TRUE(p.SetBlockSize(64));
  IByteChunk stateA, stateB;
  p.GetParam(kGain)->Set(0.5);
  p.SerializeState(stateA);
  p.GetParam(kGain)->Set(3.0);
  p.SerializeState(stateB);
  std::atomic<bool> stop{false};
  std::atomic<int> sent{0};
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
      if (p.AudioPushMidi(IMidiMsg{sent.load(), 0x90, 60, 100})) ++sent;
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
    if (i % 10 == 0) {
      EXPECT_EQ(p.UnserializeState(i % 20 ? stateA : stateB, 0), stateA.Size());
    }
    if (i % 10 == 5) p.SendParameterValueFromUI(kGain, 0.25); // 1.0
    if (i % 100 == 0) loop.RunForMs(20.0);
    if (i % 1000 == 0) p.log.clear(); // the hook log is not under test here
    IByteChunk saved;
    p.SerializeState(saved);
    double attack = 0;
    saved.Get(&attack, 8 * kAttack);
    badSaved += attack != 1.0 && attack != 1000.0 && attack != 10.0;
  }
  stop.store(true);
  audio.join();
  loop.RunForMs(20.0);
  EXPECT_EQ(p.received, sent.load());
  EXPECT_EQ(p.outOfOrder + outOfOrder + badSamples + badSaved, 0);
  EXPECT_GT(p.blocks.load(), 0);
}
