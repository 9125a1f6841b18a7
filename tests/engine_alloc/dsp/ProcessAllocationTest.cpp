// Counts every allocation made through the global operator new while the engine processes.
// This file replaces the global allocation functions, so it lives in its own test executable.
#include "engine/dsp/KelmoDsp.h"

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};

void* CountedAlloc(std::size_t size)
{
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
  return CountedAlloc(size);
}
void* operator new[](std::size_t size)
{
  return CountedAlloc(size);
}
void operator delete(void* p) noexcept
{
  std::free(p);
}
void operator delete[](void* p) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
  std::free(p);
}

namespace kelmo::dsp {
namespace {

TEST(ProcessAllocation, CounterSeesAllocations)
{
  gAllocations = 0;
  gCounting = true;
  auto* probe = new std::vector<int>(16);
  gCounting = false;
  delete probe;
  EXPECT_GE(gAllocations.load(), 1);
}

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

  gAllocations = 0;
  gCounting = true;
  for (int overSampling = 0; overSampling <= 4; ++overSampling) {
    p[kOverSampling] = overSampling;
    dsp->OnParamChange(kOverSampling);
    dsp->Process(in, 4, out, 2, 512, p, 120.0);
    dsp->Process(inF, 4, outF, 2, 512, p, 0.0);
  }
  dsp->Reset(96000.0, 512, 2);
  dsp->Process(in, 4, out, 2, 512, p, 120.0);
  const double meters = dsp->MeterReadout(0) + dsp->MeterNeedle(1);
  gCounting = false;
  EXPECT_EQ(gAllocations.load(), 0);
  EXPECT_TRUE(std::isfinite(meters));
}

} // namespace
} // namespace kelmo::dsp
