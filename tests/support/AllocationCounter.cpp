#include "tests/support/AllocationCounter.h"

#include <cstddef>
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

thread_local bool tCounting = false;
thread_local long tAllocations = 0;

void CountOne() noexcept
{
  if (tCounting) ++tAllocations;
}

} // namespace

namespace testsupport {

CountAllocations::CountAllocations() noexcept
{
  tAllocations = 0;
  tCounting = true;
}

CountAllocations::~CountAllocations()
{
  tCounting = false;
}

long CountAllocations::Count() const noexcept
{
  return tAllocations;
}

} // namespace testsupport

#ifdef COUNT_WITH_SANITIZER_HOOK

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*));

namespace {

void OnMalloc(const volatile void*, size_t) noexcept
{
  CountOne();
}

void OnFree(const volatile void*) noexcept {}

const int kHookInstalled = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);

} // namespace

#else

namespace {

constexpr int kHookInstalled = 1; // the replaced operators below always count

void* Allocate(std::size_t n, std::size_t align)
{
  CountOne();
  void* p = nullptr;
  if (align <= alignof(std::max_align_t))
    p = std::malloc(n ? n : 1);
  else if (::posix_memalign(&p, align, n ? n : 1) != 0)
    p = nullptr;
  if (!p) throw std::bad_alloc();
  return p;
}

} // namespace

// The standard library routes the array and nothrow forms through these, so each new
// still pairs with its delete.
void* operator new(std::size_t n)
{
  return Allocate(n, 0);
}
void* operator new(std::size_t n, std::align_val_t a)
{
  return Allocate(n, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
  std::free(p);
}

#endif

namespace testsupport {

bool AllocationCountingWorks()
{
  if (kHookInstalled == 0) return false;
  long n = 0;
  {
    CountAllocations count;
    int* volatile probe = new int(1); // stored through a volatile pointer: the new cannot be left out
    delete probe;
    n = count.Count();
  }
  return n == 1;
}

} // namespace testsupport
