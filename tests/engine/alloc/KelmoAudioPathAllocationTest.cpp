// Counts every allocation the audio thread makes while the plug-in processes audio and takes host
// automation. The counter replaces the global allocation functions, so this test lives in its own
// executable.
#include "engine/Kelmo.h"
#include "engine/presets/UserPresetLocation.h"
#include "support/TempFolder.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(KelmoAudioPath, ProcessingAndAutomationAllocateNothing)
{
  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  testsupport::TempFolder folder;
  SetUserPresetFolder(folder.Path());
  Kelmo k(plugin::InstanceInfo{});
  k.SetBlockSize(256);
  k.SetChannelConnections(plugin::kInput, 0, 4, true);
  k.SetChannelConnections(plugin::kOutput, 0, 2, true);
  k.OnReset();
  std::vector<double> l(256), r(256), sl(256), sr(256);
  for (int n = 0; n < 256; ++n) {
    l[static_cast<size_t>(n)] = 0.8 * std::sin(0.03 * n);
    r[static_cast<size_t>(n)] = 0.6 * std::sin(0.05 * n);
    sl[static_cast<size_t>(n)] = sr[static_cast<size_t>(n)] = 0.5 * std::sin(0.01 * n);
  }
  double* ins[4] = {l.data(), r.data(), sl.data(), sr.data()};
  double* outs[2] = {l.data(), r.data()};

  long allocations = 0;
  {
    testsupport::CountAllocations count;
    for (int block = 0; block < 20; ++block) {
      // Host automation on the audio thread: linked twins, the exclusive pair, the filter flag,
      // the comparison slot.
      for (int idx : {kLThreshold, kRAttack, kDelta, kSidechainListen, kOverSampling, kComparisonSlot}) {
        k.GetParam(idx)->SetNormalized((block % 5) / 4.0);
        k.OnParamChange(idx, plugin::kHost, block);
      }
      k.AttachBuffers(plugin::kInput, 0, 4, ins);
      k.AttachBuffers(plugin::kOutput, 0, 2, outs);
      k.ProcessBuffers(0.0, 256);
    }
    allocations = count.Count();
  }
  EXPECT_EQ(allocations, 0);
  // The main thread's tick then does the editor work without allocating either.
  {
    testsupport::CountAllocations count;
    k.OnIdle();
    allocations = count.Count();
  }
  EXPECT_EQ(allocations, 0);
  SetUserPresetFolder(folder.Path() + "/gone-after-test");
}
