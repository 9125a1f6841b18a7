// Checks that the audio path and the queues never allocate. Counting is per thread and only inside
// a CountAllocations scope.
//
// In sanitizer builds the count comes from the sanitizer's allocation hook, which sees malloc as
// well as operator new and leaves the sanitizer's own new/delete checks in place for the other tests
// of this executable. In plain builds this file replaces the global operator new and delete; they
// forward to malloc and free, so the other tests see no difference.
#include "framework/host/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define COUNT_WITH_SANITIZER_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define COUNT_WITH_SANITIZER_HOOK 1
#endif
#endif

namespace {

thread_local int tCounting = 0;
thread_local long tAllocations = 0;

// Counts the allocations made by the calling thread while it lives.
class CountAllocations
{
public:
  CountAllocations() noexcept
  {
    tAllocations = 0;
    ++tCounting;
  }
  ~CountAllocations() { --tCounting; }
  long Count() const noexcept { return tAllocations; }
};

} // namespace

#ifdef COUNT_WITH_SANITIZER_HOOK

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*));

namespace {

void OnMalloc(const volatile void*, size_t) noexcept
{
  if (tCounting) ++tAllocations;
}

void OnFree(const volatile void*) noexcept {}

const int kHookInstalled = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);

} // namespace

#else

namespace {

void* Allocate(std::size_t n, std::size_t align) noexcept
{
  if (tCounting) ++tAllocations;
  if (n == 0) n = 1;
  if (align <= alignof(std::max_align_t)) return std::malloc(n);
  void* p = nullptr;
  return ::posix_memalign(&p, align, n) == 0 ? p : nullptr;
}

void* AllocateOrThrow(std::size_t n, std::size_t align)
{
  if (void* p = Allocate(n, align)) return p;
  throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t n)
{
  return AllocateOrThrow(n, 0);
}
void* operator new[](std::size_t n)
{
  return AllocateOrThrow(n, 0);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
  return Allocate(n, 0);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
  return Allocate(n, 0);
}
void* operator new(std::size_t n, std::align_val_t a)
{
  return AllocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a)
{
  return AllocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
  return Allocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
  return Allocate(n, static_cast<std::size_t>(a));
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
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
  std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
  std::free(p);
}

#endif

using namespace testhost;

TEST(AudioPathAllocation, TheCounterSeesAllocations)
{
#ifdef COUNT_WITH_SANITIZER_HOOK
  ASSERT_NE(kHookInstalled, 0);
#endif
  long n = 0;
  {
    CountAllocations count;
    auto* x = new int(5);
    delete x;
    auto* aligned = new plugin::ILockFreeQueue<int>(4); // over-aligned: the aligned form
    delete aligned;
    n = count.Count();
  }
  EXPECT_EQ(n, 3); // the int, the queue object, the queue's slots
}

TEST(AudioPathAllocation, ProcessingAndBypassAllocateNothing)
{
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
      p.GetParam(kParamGain)->SetNormalized(0.5);
    }
    n = count.Count();
  }
  EXPECT_TRUE(allOk);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(p.blocks.load(), 12);
}

TEST(AudioPathAllocation, QueuePushAndPopAllocateNothing)
{
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
      moved += p.EnqueueParamChange(kParamSteps, 0.5, true);
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
