// Checks that the audio path and the queues never allocate. Counting is per thread and only inside
// a CountAllocations scope.
#include "support/framework/TestPlugin.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

using testsupport::CountAllocations;
using namespace testhost;

TEST(AudioPathAllocation, TheCounterSeesAllocations)
{
  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  long n = 0;
  {
    CountAllocations count;
    auto* aligned = new plugin::ILockFreeQueue<int>(4); // over-aligned: the aligned form
    delete aligned;
    n = count.Count();
  }
  EXPECT_EQ(n, 2); // the queue object and its slots
}

TEST(AudioPathAllocation, ProcessingAndBypassAllocateNothing)
{
  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  TestPlugin p(TestOptions{.latency = 64});
  p.InitLatencyDelay();
  ASSERT_TRUE(p.SetBlockSize(512));
  std::vector<double> dIn(512, 0.25), dOut(512);
  std::vector<float> fIn(513, 0.5f), fOut(513); // the host buffers hold the longest block tried
  double* dIns[] = {dIn.data(), dIn.data()};
  double* dOuts[] = {dOut.data(), dOut.data()};
  float* fIns[] = {fIn.data(), fIn.data()};
  float* fOuts[] = {fOut.data(), fOut.data()};

  long n = 0;
  bool allOk = true;
  {
    CountAllocations count;
    for (int block = 0; block < 4; ++block) {
      p.SetChannelConnections(plugin::kInput, 0, 2, true);
      p.SetChannelConnections(plugin::kOutput, 0, 2, true);
      p.AttachBuffers(plugin::kInput, 0, 2, dIns);
      p.AttachBuffers(plugin::kOutput, 0, 2, dOuts);
      allOk &= p.ProcessBuffers(0.0, 512);
      allOk &= p.PassThroughBuffers(0.0, 512);
      p.AttachBuffers(plugin::kInput, 0, 2, fIns, 512);
      p.AttachBuffers(plugin::kOutput, 0, 2, fOuts, 512);
      allOk &= p.ProcessBuffers(0.0f, 512);
      allOk &= p.PassThroughBuffers(0.0f, 300);
      allOk &= p.ProcessBuffersAccumulating(0.0f, 512);
      allOk &= !p.ProcessBuffers(0.0f, 513); // the refused block allocates nothing either
      p.ZeroScratchBuffers();
      p.GetParam(kGain)->SetNormalized(0.5);
    }
    n = count.Count();
  }
  EXPECT_TRUE(allOk);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(p.blocks.load(), 12);
}

TEST(AudioPathAllocation, QueuePushAndPopAllocateNothing)
{
  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  TestPlugin p;
  plugin::ILockFreeQueue<plugin::IParamChange> changes(8);
  long n = 0;
  int moved = 0;
  {
    CountAllocations count;
    for (int i = 0; i < 40; ++i) {
      moved += p.AudioPushMidi(plugin::IMidiMsg{i, 0x90, 1, 1});
      plugin::SysExData d;
      moved += p.AudioPushSysEx(d);
      p.SendMidiMsgFromUI(plugin::IMidiMsg{i, 0x80, 1, 1});
      p.SendSysexMsgFromUI(plugin::ISysEx{i, 3, nullptr});
      moved += p.EnqueueParamChange(kSteps, 0.5, true);
      moved += changes.Push(plugin::IParamChange{i, 1.0});
      plugin::IMidiMsg m;
      moved += p.AudioPopMidi(m);
      moved += p.AudioPopSysEx(d);
      plugin::IParamChange c;
      moved += changes.Pop(c);
      moved += p.PopParamChange(c);
    }
    n = count.Count();
  }
  EXPECT_EQ(n, 0);
  EXPECT_GT(moved, 200);
}
