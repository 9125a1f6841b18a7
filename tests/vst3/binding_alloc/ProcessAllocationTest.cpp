// Counts every allocation made through the global operator new while the VST3 process call runs
// on a plug-in object built in this executable (32 and 64 bits, parameter changes, over-long
// blocks, side-chain changes, hostile buffer shapes). This file replaces the global allocation
// functions, so it lives in its own test executable.
#include "engine/Kelmo.h"
#include "engine/UserPresetLocation.h"
#include "engine/presets/TempFolder.h"
#include "tests/vst3/host/ProcessBlock.h"
#include "vst3/host/HostApplication.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;

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

TEST(BindingAudioPath, ProcessCallsAllocateNothing)
{
  TempFolder folder;
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
      AllocationCount count;
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
        ASSERT_EQ(fewer.process(*plug), kResultOk);
        ASSERT_EQ(nullArrays.process(*plug), kResultOk);
      }
      allocations = count.Value();
    }
    EXPECT_EQ(allocations, 0) << (size == kSample32 ? "32-bit" : "64-bit");
    ASSERT_EQ(plug->setActive(false), kResultOk);
    // The side-chain switched on for the next round (while inactive, as hosts do).
    ASSERT_EQ(plug->activateBus(kAudio, kInput, 1, true), kResultOk);
  }
  plug->terminate();
  SetUserPresetFolder(folder.Path() + "/gone-after-test");
}
