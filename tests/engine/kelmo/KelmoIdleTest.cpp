#include "support/engine/KelmoTestSupport.h"

#include "engine/MeterTransmitter.h"
#include "framework/runloop/RunLoop.h"
#include "framework/runloop/RunLoopClock.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <type_traits>

using namespace kelmotest;

namespace {

using Idle = KelmoTest;

std::vector<int> Tags(const std::vector<EditorEvent>& events)
{
  std::vector<int> tags;
  for (const EditorEvent& e : events)
    tags.push_back(e.idx);
  return tags;
}

// A loud stereo block that makes the compressor work.
void RunLoud(TestKelmo& k, int blocks, int frames = 256)
{
  std::vector<double> l(static_cast<size_t>(frames)), r(static_cast<size_t>(frames));
  for (int b = 0; b < blocks; ++b) {
    for (int n = 0; n < frames; ++n) {
      l[static_cast<size_t>(n)] = 0.9 * std::sin(0.05 * (b * frames + n));
      r[static_cast<size_t>(n)] = 0.7 * std::sin(0.031 * (b * frames + n));
    }
    k.ProcessInPlace(l.data(), r.data(), frames);
  }
}

} // namespace

TEST(MeterRecordValue, SanitisesWhatCannotBeShown)
{
  const float milli = 0.0010000000474974513f;
  EXPECT_EQ(MeterRecordValue(0.0), milli);
  EXPECT_EQ(MeterRecordValue(-0.0), milli);
  EXPECT_EQ(MeterRecordValue(std::numeric_limits<double>::quiet_NaN()), milli);
  EXPECT_EQ(MeterRecordValue(INFINITY), milli);
  EXPECT_EQ(MeterRecordValue(-INFINITY), milli);
  EXPECT_EQ(MeterRecordValue(DBL_MIN / 4), milli);
  EXPECT_EQ(MeterRecordValue(-DBL_MIN / 4), milli);
  // Normal doubles too small for single precision arrive as 0, never as a subnormal float.
  EXPECT_EQ(MeterRecordValue(1e-40), 0.0f);
  EXPECT_EQ(MeterRecordValue(1e-300), 0.0f);
  EXPECT_EQ(MeterRecordValue(-12.5), -12.5f);
  EXPECT_EQ(MeterRecordValue(0.75), 0.75f);
  EXPECT_EQ(MeterRecordValue(1e300), INFINITY); // as single precision holds it
}

// The queues are allocated with the plug-in: a transmitter whose queues could not have their
// storage fails its construction (and so the plug-in's, which the factory reports as a failed
// creation) instead of claiming success and dropping every record.
static_assert(!std::is_nothrow_default_constructible_v<MeterTransmitter>);

TEST(MeterTransmitterQueues, RecordsAreSixteenBytesAndStartAtTheirTags)
{
  EXPECT_EQ(sizeof(IMeterRecord), 16u);
  MeterTransmitter m;
  for (int tag = 0; tag < 4; ++tag) {
    const IMeterRecord& r = m.Record(static_cast<MeterTransmitter::EMeterTag>(tag));
    EXPECT_EQ(r.mControlTag, tag);
    EXPECT_EQ(r.mNChans, 1);
    EXPECT_EQ(r.mChanOffset, 0);
    EXPECT_EQ(r.mValue, 0.0f);
  }
}

TEST_F(Idle, FourRecordsPerTickInTheOrderThreeOneTwoZero)
{
  TestKelmo k;
  k.Prepare(48000.0, 256);
  k.events.clear();
  k.OnIdle();
  const auto msgs = k.Only(EditorEvent::kControlMsg);
  ASSERT_EQ(msgs.size(), 4u);
  EXPECT_EQ(Tags(msgs), (std::vector<int>{3, 1, 2, 0}));
  for (const EditorEvent& e : msgs) {
    EXPECT_EQ(e.msgTag, 0);
    EXPECT_EQ(e.dataSize, 16);
    EXPECT_EQ(e.record.mControlTag, e.idx);
    EXPECT_EQ(e.record.mNChans, 1);
    EXPECT_EQ(e.record.mChanOffset, 0);
    // Right after a reset every meter reads 0.001.
    EXPECT_EQ(e.record.mValue, 0.0010000000474974513f);
  }
  // The editor hears nothing else from an idle tick with nothing pending.
  EXPECT_EQ(k.events.size(), 4u);
  k.OnIdle();
  EXPECT_EQ(k.Only(EditorEvent::kControlMsg).size(), 8u);
}

TEST_F(Idle, RecordsCarryTheSignalPathsMeterValues)
{
  TestKelmo k;
  k.Prepare(48000.0, 256);
  k.Edit(kLinkChannelControls, 0.0);
  k.Edit(kChannelLink, 1.0);
  k.Edit(kLThreshold, 30.0);
  k.Edit(kRThreshold, 10.0);
  RunLoud(k, 40);
  const kelmo::dsp::KelmoDsp& dsp = k.Dsp();
  ASSERT_LT(dsp.MeterReadout(0), -0.5); // compressing
  k.events.clear();
  k.OnIdle();
  const auto msgs = k.Only(EditorEvent::kControlMsg);
  ASSERT_EQ(msgs.size(), 4u);
  EXPECT_EQ(msgs[0].value, MeterRecordValue(dsp.MeterReadout(1)));
  EXPECT_EQ(msgs[1].value, MeterRecordValue(dsp.MeterNeedle(1)));
  EXPECT_EQ(msgs[2].value, MeterRecordValue(dsp.MeterReadout(0)));
  EXPECT_EQ(msgs[3].value, MeterRecordValue(dsp.MeterNeedle(0)));
  EXPECT_NE(msgs[0].value, msgs[2].value); // the channels are metered apart
  EXPECT_GE(msgs[3].value, 0.0f);
  EXPECT_LE(msgs[3].value, 1.0f);
}

TEST_F(Idle, DrawScaleIsMirroredIntoPluginScale)
{
  TestKelmo k;
  k.drawScale = 0.0f; // no editor
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kPluginScale)->Value(), 1.0);
  k.drawScale = 1.5f;
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kPluginScale)->Value(), 1.5);
  // Limited to 1..2; the parameter is not stepped, so the scale is kept as the editor has it.
  k.drawScale = 1.234f;
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kPluginScale)->Value(), static_cast<double>(1.234f));
  k.drawScale = 3.0f;
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kPluginScale)->Value(), 2.0);
  // An unchanged editor scale does not overwrite the parameter again.
  k.GetParam(kPluginScale)->Set(1.1);
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kPluginScale)->Value(), 1.1);
  k.drawScale = std::numeric_limits<float>::quiet_NaN();
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kPluginScale)->Value(), 1.1);
}

TEST_F(Idle, AutomationReachesTheEditorOnlyAtTheTick)
{
  TestKelmo k;
  k.events.clear();
  k.Automate(kLThreshold, 0.5);
  EXPECT_EQ(k.GetParam(kRThreshold)->Value(), 18.0); // the twin follows at once
  k.Automate(kRAttack, 0.25);
  k.Automate(kDelta, 1.0);
  EXPECT_TRUE(k.events.empty());

  k.OnIdle();
  const auto sent = k.Only(EditorEvent::kParamValue);
  // One coalesced refresh of every value covers the twins and the listen switch.
  ASSERT_EQ(sent.size(), 44u);
  EXPECT_EQ(sent[kRThreshold].value, 0.5);
  k.events.clear();
  k.OnIdle();
  EXPECT_TRUE(k.Only(EditorEvent::kParamValue).empty());

  // Alone, the exclusive pair sends just the other switch.
  k.Automate(kSidechainListen, 1.0);
  EXPECT_EQ(k.GetParam(kDelta)->Value(), 0.0);
  k.OnIdle();
  const auto one = k.Only(EditorEvent::kParamValue);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].idx, kDelta);
  EXPECT_FALSE(one[0].normalized);
}

TEST_F(Idle, AutomatedSlotSwitchHappensAtTheTick)
{
  TestKelmo k;
  k.Edit(kVariGain, 25.0);
  k.Automate(kComparisonSlot, 1.0);
  EXPECT_EQ(k.Comparison().LiveSlot(), 0); // not yet
  EXPECT_EQ(k.Comparison().Slot(0)[kVariGain], ComparisonSlots::kNotStored);
  k.events.clear();
  k.OnIdle();
  EXPECT_EQ(k.Comparison().LiveSlot(), 1);
  EXPECT_EQ(k.Comparison().Slot(0)[kVariGain], 25.0);
  EXPECT_EQ(k.Only(EditorEvent::kParamValue).size(), 44u);

  k.Edit(kVariGain, 90.0);
  k.Automate(kComparisonSlot, 0.0);
  // A recall before the tick wins over the pending switch.
  ASSERT_TRUE(k.RestorePreset(3));
  const double recalled = k.GetParam(kVariGain)->Value();
  k.OnIdle();
  EXPECT_EQ(k.GetParam(kVariGain)->Value(), recalled);
  EXPECT_EQ(k.Comparison().LiveSlot(), 0);
}

TEST_F(Idle, TheTimerDrivesTheIdleWork)
{
  plugin::ManualRunLoopClock clock;
  plugin::RunLoop loop{&clock};
  {
    TestKelmo k;
    k.CreateTimer(loop);
    loop.RunPending(); // the first tick comes on the next pass
    k.events.clear();
    EXPECT_EQ(loop.RunForMs(100.0), 5);
    EXPECT_EQ(k.Only(EditorEvent::kControlMsg).size(), 5u * 4u);
  }
  // Gone with the object: no tick reaches it afterwards.
  EXPECT_EQ(loop.NTimers(), 0);
  EXPECT_EQ(loop.RunForMs(100.0), 0);
}
