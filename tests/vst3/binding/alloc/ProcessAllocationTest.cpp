// Counts every allocation the audio thread makes while the VST3 process call runs on a plug-in
// object built in this executable (32 and 64 bits, either one whatever the set-up, parameter
// changes, over-long blocks, side-chain changes, hostile buffer shapes). The counter replaces the
// global allocation functions, so this test lives in its own executable.
#include "engine/Kelmo.h"
#include "engine/presets/UserPresetLocation.h"
#include "support/TempFolder.h"
#include "support/vst3/ProcessBlock.h"
#include "tests/support/AllocationCounter.h"
#include "tools/vst3host/HostApplication.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;

TEST(BindingAudioPath, ProcessCallsAllocateNothing)
{
  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  testsupport::TempFolder folder;
  SetUserPresetFolder(folder.Path());
  IPtr<Kelmo> plug(new Kelmo(plugin::InstanceInfo{}), false);
  auto host = owned(new HostApplication);
  ASSERT_EQ(plug->initialize(host.get()), kResultOk);
  for (BusDirection dir : {kInput, kOutput})
    ASSERT_EQ(plug->activateBus(kAudio, dir, 0, true), kResultOk);

  for (int32 size : {kSample32, kSample64}) {
    ProcessSetup setup = MakeSetup(size, 48000.0, 64);
    ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
    ASSERT_EQ(plug->setActive(true), kResultOk);
    // Everything the host side needs exists before counting starts.
    ProcessBlock block(size, {2, 2}, {2}, 200);
    ProcessBlock other(size == kSample32 ? kSample64 : kSample32, {2, 2}, {2}, 200); // not the set-up's
    ProcessBlock fewer(size, {2, 2}, {2}, 64);
    fewer.setHostBusCounts(1, 1);
    ProcessBlock nullArrays(size, {2, 2}, {2}, 64);
    nullArrays.setNullChannelArrays(true);
    for (int i = 0; i < 200; ++i) {
      block.setInput(0, 0, i, 0.8 * std::sin(0.03 * i));
      block.setInput(0, 1, i, 0.6 * std::sin(0.05 * i));
      block.setInput(1, 0, i, 0.5 * std::sin(0.01 * i));
    }

    long allocations = 0;
    {
      testsupport::CountAllocations count;
      for (int n = 0; n < 20; ++n) {
        block.inputChanges().clear();
        block.inputChanges().add(2, n % 7, (n % 5) / 4.0); // linked threshold
        block.inputChanges().add(20, 0, (n % 3) / 2.0);    // OverSampling
        block.inputChanges().add(37, 0, n % 2);            // comparison slot
        block.inputChanges().add(0x10000, 0, n % 4 == 3);  // bypass
        block.inputChanges().add(0x10009, 0, 1.0);         // MIDI controller (no MIDI input)
        block.inputChanges().add(25, 0, std::numeric_limits<double>::quiet_NaN());
        block.setNumSamples(n % 2 ? 200 : 64); // longer than the set-up: slices
        ASSERT_EQ(block.process(*plug), kResultOk);
        ASSERT_EQ(other.process(*plug), kResultOk);
        ASSERT_EQ(fewer.process(*plug), kResultOk);
        ASSERT_EQ(nullArrays.process(*plug), kResultOk);
      }
      allocations = count.Count();
    }
    EXPECT_EQ(allocations, 0) << (size == kSample32 ? "32-bit" : "64-bit");
    ASSERT_EQ(plug->setActive(false), kResultOk);
    // The side-chain switched on for the next round (while inactive, as hosts do).
    ASSERT_EQ(plug->activateBus(kAudio, kInput, 1, true), kResultOk);
  }
  plug->terminate();
  SetUserPresetFolder(folder.Path() + "/gone-after-test");
}
