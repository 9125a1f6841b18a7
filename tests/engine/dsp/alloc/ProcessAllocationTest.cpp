// Counts every allocation the engine's thread makes while the engine processes. The counter
// replaces the global allocation functions, so this test lives in its own executable.
#include "engine/dsp/KelmoDsp.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace kelmo::dsp {
namespace {

TEST(ProcessAllocation, ProcessResetAndHooksAllocateNothing)
{
  auto dsp = std::make_unique<KelmoDsp>();
  std::vector<double> l(512, 0.25), r(512, -0.25), sc(512, 0.1), outL(512), outR(512);
  std::vector<float> lf(512, 0.25f), rf(512, -0.25f), outLf(512), outRf(512);
  const double* in[4] = {l.data(), r.data(), sc.data(), nullptr};
  double* out[2] = {outL.data(), outR.data()};
  const float* inF[4] = {lf.data(), rf.data(), nullptr, nullptr};
  float* outF[2] = {outLf.data(), outRf.data()};
  ParamValues p = DefaultParamValues();
  p[kVariGain] = 50;
  p[kLThreshold] = 20;
  p[kLAutoRelease] = 1;

  ASSERT_TRUE(testsupport::AllocationCountingWorks());
  long allocations = 0;
  double meters = 0.0;
  {
    testsupport::CountAllocations count;
    for (int overSampling = 0; overSampling <= 4; ++overSampling) {
      p[kOverSampling] = overSampling;
      dsp->OnParamChange(kOverSampling);
      dsp->Process(in, 4, out, 2, 512, p, 120.0);
      dsp->Process(inF, 4, outF, 2, 512, p, 0.0);
    }
    dsp->Reset(96000.0);
    dsp->Process(in, 4, out, 2, 512, p, 120.0);
    meters = dsp->MeterReadout(0) + dsp->MeterNeedle(1);
    allocations = count.Count();
  }
  EXPECT_EQ(allocations, 0);
  EXPECT_TRUE(std::isfinite(meters));
}

} // namespace
} // namespace kelmo::dsp
