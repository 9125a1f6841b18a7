// Counts every allocation made through the global operator new while the plug-in processes audio
// and takes host automation. This file replaces the global allocation functions, so it lives in
// its own test executable.
#include "engine/Kelmo.h"
#include "engine/UserPresetLocation.h"
#include "engine/presets/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstddef>
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

void* CountedAllocNoThrow(std::size_t size, std::size_t alignment) noexcept
{
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size ? size : 1);
  const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
  return std::aligned_alloc(alignment, rounded ? rounded : alignment);
}

// Counts the allocations made while it lives.
class AllocationCount
{
public:
  AllocationCount()
  {
    gAllocations.store(0);
    gCounting.store(true);
  }
  ~AllocationCount() { gCounting.store(false); }
  long Value() const { return gAllocations.load(); }
};

} // namespace

// Every form of the global allocation functions goes through the counter, so that the plain,
// nothrow and over-aligned forms pair up with the frees below.
void* operator new(std::size_t size)
{
  return CountedAlloc(size);
}
void* operator new[](std::size_t size)
{
  return CountedAlloc(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedAllocNoThrow(size, alignof(std::max_align_t));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedAllocNoThrow(size, alignof(std::max_align_t));
}
void* operator new(std::size_t size, std::align_val_t a)
{
  if (void* p = CountedAllocNoThrow(size, static_cast<std::size_t>(a))) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t a)
{
  if (void* p = CountedAllocNoThrow(size, static_cast<std::size_t>(a))) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept
{
  return CountedAllocNoThrow(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept
{
  return CountedAllocNoThrow(size, static_cast<std::size_t>(a));
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
void operator delete(void* p, const std::nothrow_t&) noexcept
{
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
  std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
  std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
  std::free(p);
}

TEST(KelmoAudioPath, ProcessingAndAutomationAllocateNothing)
{
  TempFolder folder;
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
    AllocationCount count;
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
    allocations = count.Value();
  }
  EXPECT_EQ(allocations, 0);
  // The main thread's tick then does the editor work without allocating either.
  {
    AllocationCount count;
    k.OnIdle();
    allocations = count.Value();
  }
  EXPECT_EQ(allocations, 0);
  SetUserPresetFolder(folder.Path() + "/gone-after-test");
}
